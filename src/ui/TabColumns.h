#pragma once
// How a fixed-pitch pane lays out a report whose columns are marked with
// tabs. The reports put as many tabs after a caption as its length needed in
// the proportional font they were laid out in, so no spacing of tab stops
// lines their colons up in a fixed-pitch font. The pane instead treats the
// first run of tabs of a line as "go to the section's column": the column
// just after the longest caption that stands before a tab in the section.
// A section ends at two or more blank lines in a row. A line without tabs
// stays as it is; any later tab goes to the next stop of eight characters.
// The file itself is never changed; only what the pane shows.

#include <string>
#include <string_view>

namespace ui {

// The UTF-8 text with every tab replaced by spaces as described above.
std::string AlignTabColumns(std::string_view text);

}  // namespace ui
