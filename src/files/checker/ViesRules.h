#pragma once
// The VIES file, read by either reader (VIES.TXT with fixed columns, VIES.CSV
// with ';' between fields), is checked by the same rules.

#include "files/checker/CheckState.h"

namespace files::checker {

// What the reader found after the three header lines, whose fields and
// whose rows it has put into the state's VIES data.
struct ViesBody {
    bool tooShort = false;      // the first line after the header is 7 characters or fewer
    bool totalsRead = false;    // a TTR line opened section 1
    bool section2Read = false;  // a CHR line opened section 2
    bool textLeft = false;      // text follows the last line read
};

// Applies the rules of the header lines, the rows and the counts.
void ApplyViesRules(CheckState& s, const ViesBody& body);

}  // namespace files::checker
