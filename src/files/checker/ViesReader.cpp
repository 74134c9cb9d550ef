// The readers of the VIES file: VIES.TXT with fixed columns and, when that
// file is absent, VIES.CSV with the same records and ';' between fields.

#include "files/checker/CheckText.h"
#include "files/checker/Readers.h"
#include "files/checker/ViesRules.h"

namespace files::checker {
namespace {

constexpr int kMissingViesCode = 76;  // DEKLAR: the sales need a VIES return
constexpr int kViesCharacterCode = 72;
constexpr int kReadFailedCode = 25;  // header: a VIES.CSV field could not be read

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Starts a reader: the missing-file warning, the common reading steps and
// the character test. Returns the reader result and whether the text may be
// read on.
std::pair<int, bool> StartViesReader(CheckState& s, std::optional<FileText> text, bool oem,
                                     std::string_view fileName) {
    if (!text) {
        if (s.viesSales.needViesReturn()) s.returnErrors.set(kMissingViesCode);
        return {kFileNotOpened, false};
    }
    const TakenText taken = TakeFileText(std::move(text), oem, s.viesText);
    if (taken.result != kFileRead) return {taken.result, false};
    s.vies = {};
    s.vies.fileName = fileName;
    if (!taken.permitted) {
        s.returnErrors.set(kViesCharacterCode);
        return {kFileRead, false};
    }
    return {kFileRead, true};
}

// Cuts a VIES.TXT line into fields of the given widths.
template <std::size_t N>
std::array<std::string_view, N> CutFields(std::string_view line,
                                          const std::array<std::size_t, N>& widths) {
    std::array<std::string_view, N> fields{};
    std::size_t start = 0;
    for (std::size_t i = 0; i < N; ++i) {
        fields[i] = Cut(line, {start, widths[i]});
        start += widths[i];
    }
    return fields;
}

// The VAT numbers of a section row are compared right-trimmed, whichever
// file they were read from.
void TrimVatNumbers(ViesSection1Row& row) {
    row.fields[kVirVin] = RightTrim(row.fields[kVirVin]);
}
void TrimVatNumbers(ViesSection2Row& row) {
    row.fields[kCosVin] = RightTrim(row.fields[kCosVin]);
    row.fields[kCosReplacingVin] = RightTrim(row.fields[kCosReplacingVin]);
}

// VIES.TXT lines: a line runs to the next CR or LF, and the next line starts
// two characters after its end (CR LF).
class TxtCursor {
  public:
    explicit TxtCursor(std::string_view text) : text_(text) {}
    std::string_view line() const {
        if (pos_ >= text_.size()) return {};
        std::size_t end = pos_;
        while (end < text_.size() && !IsLineEnd(text_[end])) ++end;
        return text_.substr(pos_, end - pos_);
    }
    void advance() { pos_ = std::min(text_.size(), pos_ + line().size() + 2); }
    bool atEnd() const { return pos_ >= text_.size(); }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// The three header lines of VIES.TXT; false (with the structure code of the
// first line of the wrong length) when they are not there.
bool ReadTxtHeader(TxtCursor& cursor, ViesData& v) {
    constexpr std::size_t kLengths[] = {15, 373, 368};
    constexpr int kCodes[] = {26, 27, 28};
    std::string_view lines[3];
    for (int i = 0; i < 3; ++i) {
        lines[i] = cursor.line();
        if (lines[i].size() != kLengths[i]) {
            v.header.set(kCodes[i]);
            return false;
        }
        cursor.advance();
    }
    v.vhr = CutFields(lines[0], kVhrWidths);
    v.vdr = CutFields(lines[1], kVdrWidths);
    v.vtr = CutFields(lines[2], kVtrWidths);
    v.vtr[1] = RightTrim(v.vtr[1]);
    return true;
}

// The rows of a section of VIES.TXT: the lines that follow while they have
// `length` characters and start with `tag`.
template <typename Row, std::size_t N>
void ReadTxtRows(TxtCursor& cursor, std::size_t length, std::string_view tag,
                 const std::array<std::size_t, N>& widths, std::vector<Row>& rows) {
    while (cursor.line().size() == length && cursor.line().starts_with(tag)) {
        TrimVatNumbers(rows.emplace_back(Row{CutFields(cursor.line(), widths), {}}));
        cursor.advance();
    }
}

ViesBody ReadTxtBody(TxtCursor& cursor, ViesData& v) {
    ViesBody body;
    if (cursor.line().size() <= 7) {
        body.tooShort = true;
        return body;
    }
    if (cursor.line().size() == 27 && cursor.line().starts_with("TTR")) {
        body.totalsRead = true;
        v.ttr = CutFields(cursor.line(), kTtrWidths);
        cursor.advance();
        ReadTxtRows(cursor, 66, "VIR", kVirWidths, v.section1);
    }
    if (cursor.line().starts_with("CHR")) {
        body.section2Read = true;
        v.chr = CutFields(cursor.line(), kChrWidths);
        cursor.advance();
        ReadTxtRows(cursor, 46, "COS", kCosWidths, v.section2);
    }
    body.textLeft = !cursor.atEnd();
    return body;
}

// VIES.CSV lines end at CR LF, LF or CR.
class CsvCursor {
  public:
    explicit CsvCursor(std::string_view text) : text_(text) {}
    bool atEnd() const { return pos_ >= text_.size(); }
    std::string_view line() const {
        std::size_t end = pos_;
        while (end < text_.size() && !IsLineEnd(text_[end])) ++end;
        return text_.substr(std::min(pos_, text_.size()), end - std::min(pos_, text_.size()));
    }
    void advance() {
        pos_ += line().size();
        if (pos_ < text_.size() && text_[pos_] == '\r') ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    }
    // Whether anything but line ends follows.
    bool textLeft() const {
        for (std::size_t i = pos_; i < text_.size(); ++i)
            if (!IsLineEnd(text_[i])) return true;
        return false;
    }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// Splits a VIES.CSV line at ';' into the fields of a record; false when a
// ';' is missing or a field is longer than its VIES.TXT width.
template <std::size_t N>
bool SplitFields(std::string_view line, const std::array<std::size_t, N>& widths,
                 std::array<std::string_view, N>& fields) {
    for (std::size_t i = 0; i < N; ++i) {
        std::size_t end = line.size();
        if (i + 1 < N) {
            end = line.find(';');
            if (end == std::string_view::npos) return false;
        }
        fields[i] = line.substr(0, end);
        if (fields[i].size() > widths[i]) return false;
        line.remove_prefix(std::min(line.size(), end + 1));
    }
    return true;
}

class CsvReader {
  public:
    CsvReader(std::string_view text, ViesData& v) : cursor_(text), v_(v) {}

    // Reads the records; false when the reading stopped (with its code set).
    bool read(ViesBody& body) {
        constexpr int kMissingLineCodes[] = {26, 27, 28};
        for (int i = 0; i < 3; ++i) {
            if (cursor_.atEnd()) {
                v_.header.set(kMissingLineCodes[i]);
                return false;
            }
            const bool read = i == 0   ? next(kVhrWidths, v_.vhr)
                              : i == 1 ? next(kVdrWidths, v_.vdr)
                                       : next(kVtrWidths, v_.vtr);
            if (!read) return false;
        }
        v_.vtr[1] = RightTrim(v_.vtr[1]);
        if (cursor_.atEnd() || cursor_.line().empty()) {
            body.tooShort = true;
            return true;
        }
        return readSections(body);
    }

  private:
    bool readSections(ViesBody& body) {
        if (cursor_.line().starts_with("TTR")) {
            body.totalsRead = true;
            if (!next(kTtrWidths, v_.ttr) || !readRows("VIR", kVirWidths, v_.section1))
                return false;
        }
        if (!cursor_.atEnd() && cursor_.line().starts_with("CHR")) {
            body.section2Read = true;
            if (!next(kChrWidths, v_.chr) || !readRows("COS", kCosWidths, v_.section2))
                return false;
        }
        body.textLeft = cursor_.textLeft();
        return true;
    }

    // The rows of a section: the lines that follow while they start with
    // `tag`; false when one cannot be read.
    template <typename Row, std::size_t N>
    bool readRows(std::string_view tag, const std::array<std::size_t, N>& widths,
                  std::vector<Row>& rows) {
        while (!cursor_.atEnd() && cursor_.line().starts_with(tag)) {
            Row row;
            if (!next(widths, row.fields)) return false;
            TrimVatNumbers(row);
            rows.push_back(row);
        }
        return true;
    }

    // Reads the next line into `fields`; a line that cannot be read leaves
    // them as they were, so that nothing half-read is echoed.
    template <std::size_t N>
    bool next(const std::array<std::size_t, N>& widths, std::array<std::string_view, N>& fields) {
        std::array<std::string_view, N> split{};
        const bool read = SplitFields(cursor_.line(), widths, split);
        cursor_.advance();
        if (!read) {
            v_.header.set(kReadFailedCode);
            return false;
        }
        fields = split;
        return true;
    }

    CsvCursor cursor_;
    ViesData& v_;
};

}  // namespace

int CheckViesTxtFile(CheckState& s, std::optional<FileText> text, bool oem) {
    const auto [result, readOn] = StartViesReader(s, std::move(text), oem, "VIES.TXT");
    if (!readOn) return result;
    TxtCursor cursor(s.viesText.view());
    if (!ReadTxtHeader(cursor, s.vies)) return kFileRead;
    ApplyViesRules(s, ReadTxtBody(cursor, s.vies));
    return kFileRead;
}

int CheckViesCsvFile(CheckState& s, std::optional<FileText> text, bool oem) {
    const auto [result, readOn] = StartViesReader(s, std::move(text), oem, "VIES.CSV");
    if (!readOn) return result;
    ViesBody body;
    if (CsvReader(s.viesText.view(), s.vies).read(body)) ApplyViesRules(s, body);
    return kFileRead;
}

}  // namespace files::checker
