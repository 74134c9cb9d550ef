#include "returns/ViesGeneration.h"

#include <cstdlib>
#include <string>

#include "db/Rows.h"
#include "journals/JournalRulesMoney.h"
#include "persons/IdentifierChecks.h"

namespace returns {
namespace {

std::string TrimSpaces(const std::string& s) {
    const auto begin = s.find_first_not_of(' ');
    if (begin == std::string::npos) return "";
    return s.substr(begin, s.find_last_not_of(' ') - begin + 1);
}

// MM/YYYY -> YYYYMM, the period a document's month stands for.
std::string PeriodOfMonth(const std::string& monthYear) {
    if (monthYear.size() != 7) return monthYear;
    return monthYear.substr(3, 4) + monthYear.substr(0, 2);
}

bool AcceptedIn(const std::string& vatNumber, const std::string& monthYear) {
    return persons::IsEuVatPrefixValid(persons::EuPrefixVariant::A, vatNumber,
                                       PeriodOfMonth(monthYear), /*acceptXi=*/false);
}

// "VIN = ?" for a head office (all branches), "VIN = ? AND KLON = ?" for a branch.
db::Statement ScopedQuery(db::Database& db, const std::string& select, const ReturnScope& scope,
                          const std::string& rest) {
    auto s = db.prepare(select +
                        (scope.klon.empty() ? " WHERE VIN = ?" : " WHERE VIN = ? AND KLON = ?") +
                        " AND PERIOD = ?" + rest);
    db::Binder b(s);
    b << scope.vin;
    if (!scope.klon.empty()) b << scope.klon;
    b << scope.period;
    return s;
}

// One counterpart and month of section 1 while its source rows are added.
struct Section1Group {
    std::string knum, month;
    double goods = 0, services = 0, triangular = 0;
    bool marked = false;

    // n is the VIES_TYPE of the source row: (n - 1) mod 5 is the analysis of
    // the exempt column, n > 5 the advance mark that drops the triangular sum.
    void add(double s15, double s17, double s25, double s19, int n) {
        goods += s15;
        services += s17;
        if (n < 5) triangular += s25;
        if (n % 5 == 2) goods += s19;
        if (n % 5 == 3) services += s19;
        if (knum.starts_with("XI")) services = 0;
        // Zero is judged on the amount as shown, so floating noise of a
        // cancelled invoice does not make an empty row.
        using journals::LevaToStotinki;
        if (LevaToStotinki(goods) != 0 || LevaToStotinki(services) != 0 ||
            LevaToStotinki(triangular) != 0)
            marked = true;
    }
};

class Writer {
  public:
    Writer(db::Database& db, const ReturnScope& scope) : db_(db), scope_(scope) {}

    void section1Row(const Section1Group& g) {
        db::InsertViesRow(db_, {scope_.vin, scope_.klon, scope_.period, 1, ++section1Count_, g.knum,
                                "", g.month, g.goods, g.services, g.triangular});
    }

    // A section 2 row is written once: the same recipient, earlier recipient,
    // month and operation code of the scope are not repeated.
    void section2Row(const std::string& knum, int code, const std::string& knumz,
                     const std::string& month) {
        const auto recipient = TrimSpaces(knum), earlier = TrimSpaces(knumz);
        auto s = db_.query(
            "SELECT count(*) FROM VIES WHERE PERIOD = ? AND VIN = ? AND KLON = ? AND SECTION = 2 "
            "AND KNUM = ? AND PERIOD1 = ? AND KNUMZ = ? AND SS15 = ?",
            scope_.period, scope_.vin, scope_.klon, recipient, month, earlier, double(code));
        if (s.step() && s.integer(0) > 0) return;
        db::InsertViesRow(db_, {scope_.vin, scope_.klon, scope_.period, 2, ++section2Count_,
                                recipient, earlier, month, double(code), 0, 0});
    }

  private:
    db::Database& db_;
    const ReturnScope& scope_;
    int section1Count_ = 0, section2Count_ = 0;
};

void GenerateSection1(db::Database& db, const ReturnScope& scope, Writer& writer) {
    auto s = ScopedQuery(db,
                         "SELECT KNUM, substr(DDATE, -7), total(SS15), total(SS17), total(SS25), "
                         "total(SS19), VIES_TYPE FROM PRODAGBI",
                         scope,
                         " AND TYPE IN ('01','02','03','09') GROUP BY KNUM, substr(DDATE, -7), "
                         "VIES_TYPE ORDER BY KNUM, substr(DDATE, -7)");
    Section1Group group;
    bool open = false;
    while (s.step()) {
        const auto knum = s.text(0), month = s.text(1);
        if (!AcceptedIn(knum, month)) continue;
        if (!open || knum != group.knum || month != group.month) {
            if (open && group.marked) writer.section1Row(group);
            group = Section1Group{knum, month};
            open = true;
        }
        group.add(s.real(2), s.real(3), s.real(4), s.real(5), std::atoi(s.text(6).c_str()));
    }
    if (open && group.marked) writer.section1Row(group);
}

void GenerateSection2(db::Database& db, const ReturnScope& scope, Writer& writer) {
    auto s = ScopedQuery(db, "SELECT KNUM, substr(DDATE, -7), SS8A, SDELKA FROM PRODAGBI", scope,
                         " AND TYPE = '04' GROUP BY KNUM, substr(DDATE, -7), SS8A, SDELKA "
                         "ORDER BY KNUM, SS8A");
    while (s.step()) {
        const auto knum = s.text(0), month = s.text(1), other = s.text(3);
        if (!AcceptedIn(knum, month)) continue;
        switch (std::atoi(s.text(2).c_str())) {
            case 41:
                writer.section2Row(knum, 1, "", month);
                break;
            case 43:
                if (AcceptedIn(other, month)) writer.section2Row(knum, 3, other, month);
                break;
            case 46:
                if (AcceptedIn(other, month)) {
                    writer.section2Row(other, 2, "", month);
                    writer.section2Row(knum, 1, "", month);
                }
                break;
            case 48:
                writer.section2Row(knum, 2, "", month);
                break;
            default:
                break;
        }
    }
}

}  // namespace

void GenerateViesReturn(db::Database& db, const ReturnScope& scope) {
    db::Transaction t(db);
    db.execute("DELETE FROM VIES WHERE VIN = ? AND KLON = ? AND PERIOD = ?", scope.vin, scope.klon,
               scope.period);
    Writer writer(db, scope);
    GenerateSection1(db, scope, writer);
    GenerateSection2(db, scope, writer);
    t.commit();
}

}  // namespace returns
