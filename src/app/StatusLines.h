#pragma once
// The lines the main window shows below its menu: on a first start, what to
// do first; once a person is current, whom the work refers to. Each line is
// one message, derived from the session alone; further messages (a reminder
// of the last backup, say) join the list here and the window shows them all,
// one under the other, in this order.

#include <string>
#include <vector>

namespace app {

class CZorevaDoc;

inline constexpr const char* kFirstStepHint =
    "Изберете или въведете задължено лице от „Служебни функции“ → „Избор на задължено лице“";

std::vector<std::string> StatusLines(const CZorevaDoc& doc);

}  // namespace app
