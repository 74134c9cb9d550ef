#include "ui/TabColumns.h"

#include <algorithm>
#include <vector>

namespace ui {
namespace {

constexpr std::size_t kTabWidth = 8;

// The characters of UTF-8 text: every byte that does not continue a sequence.
std::size_t Width(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// The lines of the text, each with its line end.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const auto length = end == std::string_view::npos ? text.size() : end + 1;
        lines.push_back(text.substr(0, length));
        text.remove_prefix(length);
    }
    return lines;
}

bool IsBlank(std::string_view line) {
    return line.find_first_not_of("\r\n") == std::string_view::npos;
}

// The text after the first run of tabs, its later tabs expanded to stops of
// eight characters counted from `column`.
void AppendExpanded(std::string& out, std::string_view rest, std::size_t column) {
    for (const char c : rest) {
        if (c == '\t') {
            const std::size_t next = (column / kTabWidth + 1) * kTabWidth;
            out.append(next - column, ' ');
            column = next;
            continue;
        }
        out += c;
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++column;
    }
}

// Lays out lines [first, last) of one section.
void AlignSection(std::string& out, const std::vector<std::string_view>& lines, std::size_t first,
                  std::size_t last) {
    std::size_t column = 0;
    for (std::size_t i = first; i < last; ++i)
        if (const auto tab = lines[i].find('\t'); tab != std::string_view::npos)
            column = std::max(column, Width(lines[i].substr(0, tab)));
    for (std::size_t i = first; i < last; ++i) {
        const auto line = lines[i];
        const auto tab = line.find('\t');
        if (tab == std::string_view::npos) {
            out += line;
            continue;
        }
        const auto caption = line.substr(0, tab);
        out += caption;
        out.append(column - Width(caption), ' ');
        const auto rest = line.find_first_not_of('\t', tab);
        if (rest != std::string_view::npos) AppendExpanded(out, line.substr(rest), column);
    }
}

}  // namespace

std::string AlignTabColumns(std::string_view text) {
    if (text.find('\t') == std::string_view::npos) return std::string(text);
    const auto lines = Lines(text);
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    std::size_t first = 0, blanks = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        blanks = IsBlank(lines[i]) ? blanks + 1 : 0;
        if (blanks == 2) {
            AlignSection(out, lines, first, i + 1);
            first = i + 1;
        }
    }
    AlignSection(out, lines, first, lines.size());
    return out;
}

}  // namespace ui
