#include "files/checker/ViesRules.h"

#include <algorithm>
#include <set>
#include <unordered_map>

#include "files/checker/CheckText.h"
#include "files/checker/LineRules.h"
#include "journals/JournalRules.h"
#include "persons/IdentifierChecks.h"
#include "platform/Money.h"
#include "platform/Text.h"

namespace files::checker {
namespace {

using persons::EuPrefixVariant;

std::string_view Trim(std::string_view text) {
    text = RightTrim(text);
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    return text;
}

// A period MM/YYYY of a row: 7 characters with digits where digits belong.
bool IsWellFormedRowPeriod(std::string_view period) {
    if (period.size() < 7) return false;
    for (std::size_t i : {0, 1, 3, 4, 5, 6})
        if (!platform::IsDigit(period[i])) return false;
    return true;
}

// MM/YYYY as YYYYMM, written into `buffer`.
std::string_view AsYearMonth(std::string_view period, char (&buffer)[6]) {
    const std::string_view year = period.substr(3, 4), month = period.substr(0, 2);
    for (std::size_t i = 0; i < 4; ++i) buffer[i] = year[i];
    buffer[4] = month[0];
    buffer[5] = month[1];
    return {buffer, 6};
}

bool IsCount(std::string_view text) {
    return IsNumericText(text, false) && LeadingInteger(text) >= 0;
}

class ViesRules {
  public:
    explicit ViesRules(CheckState& s)
        : s_(s), v_(s.vies), h_(s.vies.header), period_(s.returnData[kPeriod]) {}

    void apply(const ViesBody& body) {
        headerLines();
        if (body.tooShort) {
            h_.set(29);
            return;
        }
        section1(body);
        section2(body);
        counts(body);
    }

  private:
    void headerLines() {
        const auto& vhr = v_.vhr;
        if (vhr[0] != "VHR") h_.set(1);
        const std::string_view period = Trim(vhr[1]);
        if (period.size() > 6 && period[2] == '/') {
            std::string yearMonth(period.substr(period.size() - 4));
            yearMonth += period.substr(0, 2);
            if (yearMonth != period_) h_.set(3);
        } else {
            h_.set(2);
        }
        if (!IsCount(Trim(vhr[2]))) h_.set(4);

        const auto& vdr = v_.vdr;
        if (vdr[0] != "VDR") h_.set(5);
        const std::string_view personal = Trim(vdr[1]);
        if (personal.size() != 10 || !IsNumericText(personal, false)) h_.set(6);
        if (Trim(vdr[2]).empty()) h_.set(7);
        if (Trim(vdr[3]).empty()) h_.set(8);
        const std::int64_t postcode = LeadingInteger(Trim(vdr[4]));
        if (postcode < 999 || postcode > 9999) h_.set(9);
        if (Trim(vdr[6]) != "A" && Trim(vdr[6]) != "R") h_.set(10);

        const auto& vtr = v_.vtr;
        if (vtr[0] != "VTR") h_.set(11);
        SetVatNumberCode(TestVatNumber(vtr[1], true), 12, 13, h_);
        if (vtr[1] != s_.returnData[kVin]) h_.set(14);
        if (Trim(vtr[2]).empty()) h_.set(15);
        if (Trim(vtr[3]).empty()) h_.set(16);
    }

    void section1(const ViesBody& body) {
        const bool salesNeedSection1 =
            std::any_of(s_.viesSales.counterparts.begin(), s_.viesSales.counterparts.end(),
                        [](const auto& entry) { return entry.second.anyNonZero(); });
        if (!body.totalsRead) {
            if (salesNeedSection1) s_.returnErrors.set(77);
            return;
        }
        if (!IsNumericText(Trim(v_.ttr[1]), true)) h_.set(31);
        if (!IsNumericText(Trim(v_.ttr[2]), true)) h_.set(32);
        markCounterpartsFoundInSales();
        std::int64_t total = 0, goods = 0;
        std::unordered_map<std::string_view, std::int64_t> sumsByVin;
        for (auto& row : v_.section1) {
            checkSection1Row(row);
            const auto& f = row.fields;
            const std::int64_t rowGoods =
                money::FromFileField(Trim(f[kVirGoods]), money::Rounding::HalfUp).value;
            const std::int64_t rowTotal = money::WrappingAdd(
                rowGoods,
                money::WrappingAdd(
                    money::FromFileField(Trim(f[kVirTriangular]), money::Rounding::HalfUp).value,
                    money::FromFileField(Trim(f[kVirServices]), money::Rounding::HalfUp).value));
            goods = money::WrappingAdd(goods, rowGoods);
            total = money::WrappingAdd(total, rowTotal);
            std::int64_t& byVin = sumsByVin[f[kVirVin]];
            byVin = money::WrappingAdd(byVin, rowTotal);
        }
        if (!h_.has(31) && !h_.has(32)) {
            if (money::FromFileField(Trim(v_.ttr[1]), money::Rounding::HalfUp).value != total)
                h_.set(19);
            if (money::FromFileField(Trim(v_.ttr[2]), money::Rounding::HalfUp).value != goods)
                h_.set(20);
        }
        compareWithSales(sumsByVin);
    }

    // The counterparts whose rows (all periods together) do not sum to what
    // their sales lines allow, or who have no row at all.
    void compareWithSales(const std::unordered_map<std::string_view, std::int64_t>& sumsByVin) {
        for (const auto& [vin, range] : s_.viesSales.supplies) {
            const auto found = sumsByVin.find(vin);
            const std::int64_t rowsSum = found == sumsByVin.end() ? 0 : found->second;
            if (range.admits(rowsSum)) continue;
            CounterpartMismatch& m = v_.mismatches.emplace_back();
            m.vin = vin;
            m.sales = range.sales;
            if (found != sumsByVin.end()) m.vies = rowsSum;
        }
        std::sort(v_.mismatches.begin(), v_.mismatches.end(),
                  [](const auto& a, const auto& b) { return a.vin < b.vin; });
    }

    // A row's period is valid and earlier than the return's period.
    bool isEarlierPeriod(std::string_view period, char (&buffer)[6]) const {
        return !period.empty() && IsWellFormedRowPeriod(period) &&
               AsYearMonth(period, buffer) < period_;
    }

    void checkSection1Row(ViesSection1Row& row) {
        db::ErrorSet& e = row.errors;
        const auto& f = row.fields;
        if (f[kVirCode] != "VIR") e.set(1);
        const std::string_view period = Trim(f[kVirPeriod]);
        const bool wellFormed = !period.empty() && IsWellFormedRowPeriod(period);
        if (!period.empty() && !wellFormed) e.set(5);
        char buffer[6];
        const bool earlier = isEarlierPeriod(period, buffer);
        if (wellFormed && !earlier) e.set(7);
        const std::string_view vin = f[kVirVin];
        const std::string_view checkPeriod = earlier ? std::string_view(buffer, 6) : period_;
        if (!persons::IsEuVatPrefixValid(EuPrefixVariant::A, vin, checkPeriod)) {
            e.set(2);
            return;
        }
        if (vin.starts_with("XI") &&
            money::FromFileField(Trim(f[kVirServices]), money::Rounding::HalfUp).value != 0)
            e.set(8);
        if (!foundInSales_.at(vin)) e.set(3);
        if (!rowsSeen_.emplace(vin, f[kVirPeriod]).second) e.set(4);
    }

    // Which VAT numbers of section 1 some sales line has as its counterpart:
    // one pass over the sales, only when section 1 has rows.
    void markCounterpartsFoundInSales() {
        for (const auto& row : v_.section1) foundInSales_.emplace(row.fields[kVirVin], false);
        if (foundInSales_.empty()) return;
        for (const auto& record : s_.sales) {
            const std::string_view id =
                RightTrim(Cut(record.line, kJournalLeadLayout[kLineCounterpart].column));
            if (auto it = foundInSales_.find(id); it != foundInSales_.end()) it->second = true;
        }
    }

    void section2(const ViesBody& body) {
        if (!body.section2Read) {
            if (!s_.viesSales.storageRegime.empty()) s_.returnErrors.set(78);
            return;
        }
        if (!IsNumericText(Trim(v_.chr[1]), false)) h_.set(33);
        for (auto& row : v_.section2) checkSection2Row(row);
    }

    void checkSection2Row(ViesSection2Row& row) {
        db::ErrorSet& e = row.errors;
        const auto& f = row.fields;
        const std::string_view period = Trim(f[kCosPeriod]);
        char buffer[6];
        std::string_view rowMonth = period_;
        if (!period.empty()) {
            const bool wellFormed = IsWellFormedRowPeriod(period) && period.substr(0, 2) <= "12" &&
                                    period.substr(3, 4) <= s_.today.lastYear;
            if (!wellFormed) e.set(11);
            if (IsWellFormedRowPeriod(period)) {
                if (period.substr(3, 4) < "2020") e.set(17);
                rowMonth = AsYearMonth(period, buffer);
                if (wellFormed && rowMonth > period_) e.set(12);
            }
        }
        const std::string_view destined = f[kCosVin], replacing = f[kCosReplacingVin];
        if (!persons::IsEuVatPrefixValid(EuPrefixVariant::A, destined, rowMonth)) e.set(18);
        const std::string_view operation = Trim(f[kCosOperation]);
        if (operation != "1" && operation != "2" && operation != "3") e.set(9);
        if ((operation == "1" || operation == "2") && !replacing.empty()) e.set(16);
        if (operation != "3") return;
        if (replacing.empty()) e.set(15);
        if (persons::IsEuVatPrefixValid(EuPrefixVariant::A, replacing, rowMonth)) {
            if (replacing.substr(0, 2) != destined.substr(0, 2)) e.set(13);
        } else {
            e.set(10);
        }
    }

    void counts(const ViesBody& body) {
        if (!h_.has(4) &&
            LeadingInteger(Trim(v_.vhr[2])) != static_cast<std::int64_t>(v_.section1.size()))
            h_.set(18);
        if (body.section2Read &&
            LeadingInteger(Trim(v_.chr[1])) != static_cast<std::int64_t>(v_.section2.size()))
            h_.set(18);
        if (body.textLeft) h_.set(30);
    }

    CheckState& s_;
    ViesData& v_;
    db::ErrorSet& h_;
    std::string_view period_;
    std::unordered_map<std::string_view, bool> foundInSales_;
    std::set<std::pair<std::string_view, std::string_view>> rowsSeen_;  // VAT number, period
};

}  // namespace

void ApplyViesRules(CheckState& s, const ViesBody& body) {
    ViesRules(s).apply(body);
}

}  // namespace files::checker
