// The rules of DEKLAR.TXT, the VAT return in one line of 590 characters.

#include <cmath>

#include "files/checker/CheckText.h"
#include "files/checker/LineRules.h"
#include "files/checker/Readers.h"
#include "platform/Money.h"

namespace files::checker {
namespace {

constexpr std::string_view kZeroAmount = "0.00";

bool IsLineEndOrCtrlZ(char c) {
    return c == '\r' || c == '\n' || c == '\x1A';
}

// The line must be 590 characters, followed by one CR or LF, or by two or
// three characters each of which is CR, LF or Ctrl-Z.
bool HasValidStructure(std::string_view text, std::string_view line) {
    if (line.size() != kDeklarLineLength) return false;
    const std::string_view rest = text.substr(line.size());
    if (rest.size() == 1) return rest[0] == '\r' || rest[0] == '\n';
    if (rest.size() != 2 && rest.size() != 3) return false;
    for (char c : rest)
        if (!IsLineEndOrCtrlZ(c)) return false;
    return true;
}

void CutFields(CheckState& s, std::string_view line) {
    for (std::size_t f = 0; f < kDeklarFieldCount; ++f) {
        std::string_view field = RightTrim(Cut(line, kDeklarLayout[f].column));
        if (f >= kFirstDeklarCell && field.empty()) field = kZeroAmount;
        s.returnData[f] = field;
    }
}

// A count of documents: present, a whole number, not negative.
bool IsValidCount(std::string_view count) {
    return !count.empty() && IsNumericText(count, false) && LeadingInteger(count) >= 0;
}

class DeklarRules {
  public:
    explicit DeklarRules(CheckState& s) : s_(s), d_(s.returnData), e_(s.returnErrors) {}

    void apply() {
        identity();
        cells();
        result();
    }

  private:
    Stotinki stotinki(DeklarField f) const {
        return money::FromFileField(d_[f], money::Rounding::HalfUp).value;
    }
    // The leva of a cell with every decimal it has, read like its stotinki
    // (a decimal comma included).
    double leva(DeklarField f) const { return money::LevaFromText(d_[f]); }
    void numeric(DeklarField f, int code) {
        if (!IsNumericText(d_[f], true)) e_.set(code);
    }

    void identity() {
        SetVatNumberCode(TestVatNumber(d_[kVin], true), 1, 2, e_);
        if (d_[kName].empty()) e_.set(3);
        if (d_[kPeriod].empty()) e_.set(4);
        if (std::string_view(s_.today.yearMonth) < d_[kPeriod]) e_.set(5);
        if (d_[kFiler].empty()) e_.set(6);
        if (!IsValidCount(d_[kSalesCount])) e_.set(7);
        if (!IsValidCount(d_[kPurchaseCount])) e_.set(8);
    }

    void cells() {
        // Codes 9-29 follow the order of the cells in the line, except that
        // DS13 (15) is tested before DS23 (16).
        constexpr std::pair<DeklarField, int> kCells[] = {
            {kDS01, 9},  {kDS20, 10}, {kDS11, 11}, {kDS21, 12}, {kDS12, 13}, {kDS22, 14},
            {kDS13, 15}, {kDS23, 16}, {kDS24, 17}, {kDS14, 18}, {kDS15, 19}, {kDS16, 20},
            {kDS17, 21}, {kDS18, 22}, {kDS19, 23}, {kDB30, 24}, {kDB31, 25}, {kDB41, 26},
            {kDB32, 27}, {kDB42, 28}, {kDB43, 29}, {kDR33, 30}, {kDR40, 32}, {kDR50, 34},
            {kDR60, 35}, {kDR70, 36}, {kDR71, 37}, {kDR80, 38}, {kDR81, 39}, {kDR82, 40},
        };
        for (auto [field, code] : kCells) numeric(field, code);
    }

    // The difference of two texts read as floating point, in thousandths of
    // a lev and truncated, must lie within -5..5.
    static bool withinHalfStotinka(double leva) {
        const double thousandths = std::trunc(leva * 1000);
        return thousandths >= -5 && thousandths <= 5;
    }

    void result() {
        if (stotinki(kDR33) > 100) e_.set(31);
        const Stotinki share = money::CoefficientShare(stotinki(kDB42), stotinki(kDR33));
        const Stotinki credit =
            money::WrappingAdd(money::WrappingAdd(stotinki(kDB41), share), stotinki(kDB43));
        if (stotinki(kDR40) != credit) e_.set(33);

        const double due = leva(kDS20) - leva(kDR40);
        if (due >= 0 && !withinHalfStotinka(due - leva(kDR50))) e_.set(34);
        if (due < 0 && !withinHalfStotinka(leva(kDR60) + due)) e_.set(35);

        if (stotinki(kDR80) < 0) e_.set(73);
        if (stotinki(kDR81) < 0) e_.set(74);
        if (stotinki(kDR82) < 0) e_.set(75);
    }

    CheckState& s_;
    const std::array<std::string_view, kDeklarFieldCount>& d_;
    db::ErrorSet& e_;
};

}  // namespace

int TakeText(std::optional<FileText> text, bool oem, FileText& slot) {
    if (!text) return kFileNotOpened;
    slot = std::move(*text);
    if (oem) slot.convertFromOem();
    if (const int signature = EncodingSignature(slot.view())) return signature + 1;
    return kFileRead;
}

int ResultOfScan(std::string_view text, const TextScan& scan) {
    return IsUtf8CyrillicText(text, scan.firstNonAscii) ? kFileInUtf8 : kFileRead;
}

TakenText TakeFileText(std::optional<FileText> text, bool oem, FileText& slot) {
    const int result = TakeText(std::move(text), oem, slot);
    if (result != kFileRead) return {result};
    const TextScan scan = ScanText(slot.view());
    return {ResultOfScan(slot.view(), scan), scan.permitted};
}

int CheckDeklarFile(CheckState& s, std::optional<FileText> text, bool oem) {
    s.returnErrors = {};
    const TakenText taken = TakeFileText(std::move(text), oem, s.deklarText);
    const int result = taken.result;
    if (result == kFileNotOpened) s.returnErrors.set(kDeklarNotOpenedCode);
    if (result != kFileRead) return result;

    const std::string_view bytes = s.deklarText.view();
    LineReader reader(bytes);
    std::string_view line;
    reader.next(line);
    if (!HasValidStructure(bytes, line)) s.returnErrors.set(42);
    if (!taken.permitted) s.returnErrors.set(68);

    CutFields(s, line);
    DeklarRules(s).apply();
    return kFileRead;
}

}  // namespace files::checker
