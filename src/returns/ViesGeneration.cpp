#include "returns/ViesGeneration.h"

#include <cstdlib>
#include <string>

#include "db/Rows.h"
#include "persons/IdentifierChecks.h"
#include "platform/Money.h"
#include "platform/Text.h"
#include "returns/ReturnStore.h"

namespace returns {

namespace money = platform::money;
using money::Stotinki;

namespace {

// MM/YYYY -> YYYYMM, the period a document's month stands for.
std::string PeriodOfMonth(const std::string& monthYear) {
    if (monthYear.size() != 7) return monthYear;
    return monthYear.substr(3, 4) + monthYear.substr(0, 2);
}

bool AcceptedIn(const std::string& vatNumber, const std::string& monthYear) {
    return persons::IsEuVatPrefixValid(persons::EuPrefixVariant::A, vatNumber,
                                       PeriodOfMonth(monthYear), /*acceptXi=*/false);
}

// The sums of the rows of one counterpart, month and VIES_TYPE, in stotinki
// of each document's amounts as shown.
struct TypeGroup {
    std::string knum, month, viesType;
    Stotinki s15 = 0, s17 = 0, s25 = 0, s19 = 0;
};

// One counterpart and month of section 1 while its type groups are added.
struct Section1Group {
    std::string knum, month;
    Stotinki goods = 0, services = 0, triangular = 0;
    bool marked = false;

    // n is the VIES_TYPE of the group: (n - 1) mod 5 is the analysis of the
    // exempt column, n > 5 the advance mark that drops the triangular sum.
    void add(const TypeGroup& g, int n) {
        goods += g.s15;
        services += g.s17;
        if (n < 5) triangular += g.s25;
        if (n % 5 == 2) goods += g.s19;
        if (n % 5 == 3) services += g.s19;
        if (knum.starts_with("XI")) services = 0;
        if (goods != 0 || services != 0 || triangular != 0) marked = true;
    }
};

class Writer {
  public:
    Writer(db::Database& db, const ReturnScope& scope) : db_(db), scope_(scope) {}

    void section1Row(const Section1Group& g) {
        using money::ToStoredLeva;
        db::InsertViesRow(
            db_, {scope_.vin, scope_.klon, scope_.period, 1, ++section1Count_, g.knum, "", g.month,
                  ToStoredLeva(g.goods), ToStoredLeva(g.services), ToStoredLeva(g.triangular)});
    }

    // A section 2 row is written once: the same recipient, earlier recipient,
    // month and operation code of the scope are not repeated.
    void section2Row(const std::string& knum, int code, const std::string& knumz,
                     const std::string& month) {
        const std::string recipient(platform::Trim(knum)), earlier(platform::Trim(knumz));
        if (HasSection2Row(db_, scope_, recipient, month, earlier, code)) return;
        db::InsertViesRow(db_, {scope_.vin, scope_.klon, scope_.period, 2, ++section2Count_,
                                recipient, earlier, month, double(code), 0, 0});
    }

  private:
    db::Database& db_;
    const ReturnScope& scope_;
    int section1Count_ = 0, section2Count_ = 0;
};

// Adds one type group to the section 1 group of its counterpart and month,
// writing the previous section 1 group when this one starts another.
class Section1Builder {
  public:
    explicit Section1Builder(Writer& writer) : writer_(writer) {}
    void add(const TypeGroup& g) {
        if (!AcceptedIn(g.knum, g.month)) return;
        if (!open_ || g.knum != group_.knum || g.month != group_.month) {
            finish();
            group_ = Section1Group{g.knum, g.month};
            open_ = true;
        }
        group_.add(g, std::atoi(g.viesType.c_str()));
    }
    void finish() {
        if (open_ && group_.marked) writer_.section1Row(group_);
        open_ = false;
    }

  private:
    Writer& writer_;
    Section1Group group_;
    bool open_ = false;
};

// The month of a document date: its last seven characters (MM/YYYY of
// DD/MM/YYYY), all of a shorter date.
std::string_view MonthOf(std::string_view date) {
    std::size_t start = date.size();
    for (int characters = 0; start > 0 && characters < 7;) {
        --start;
        if ((static_cast<unsigned char>(date[start]) & 0xC0) != 0x80) ++characters;
    }
    return date.substr(start);
}

bool IsSection1Type(std::string_view type) {
    return type == "01" || type == "02" || type == "03" || type == "09";
}

void CallOffStockRows(Writer& writer, const std::string& knum, const std::string& code8a,
                      const std::string& month, const std::string& other) {
    if (!AcceptedIn(knum, month)) return;
    switch (std::atoi(code8a.c_str())) {
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

}  // namespace

ViesSales::Sums& ViesSales::sumsOf(const KeyView& key) {
    if (last_ != section1_.end() && !KeyOrder()(last_->first, key) &&
        !KeyOrder()(key, last_->first))
        return last_->second;
    last_ = section1_.find(key);
    if (last_ == section1_.end())
        last_ = section1_
                    .emplace(GroupKey{std::string(key.knum), std::string(key.month),
                                      std::string(key.viesType)},
                             Sums{})
                    .first;
    return last_->second;
}

void ViesSales::add(const ViesSaleView& sale) {
    const auto month = MonthOf(sale.date);
    if (IsSection1Type(sale.type)) {
        auto& sums = sumsOf({sale.knum, month, sale.viesType});
        sums.s15 += sale.ss15;
        sums.s17 += sale.ss17;
        sums.s25 += sale.ss25;
        sums.s19 += sale.ss19;
    } else if (sale.type == "04") {
        callOffStock_.emplace(sale.knum, sale.code8a, month, sale.sdelka);
    }
}

void ViesSales::store(db::Database& db, const ReturnScope& scope) const {
    db::Transaction t(db);
    DeleteViesReturn(db, scope);
    Writer writer(db, scope);
    Section1Builder builder(writer);
    for (const auto& [key, sums] : section1_)
        builder.add({key.knum, key.month, key.viesType, sums.s15, sums.s17, sums.s25, sums.s19});
    builder.finish();
    for (const auto& [knum, code8a, month, sdelka] : callOffStock_)
        CallOffStockRows(writer, knum, code8a, month, sdelka);
    t.commit();
}

void GenerateViesReturn(db::Database& db, const ReturnScope& scope) {
    db::Transaction t(db);
    ViesSales sales;
    using money::FromStoredLeva;
    ForEachViesSale(db, scope, [&](const ViesSale& s) {
        sales.add({s.type, s.knum, s.date, s.viesType, s.code8a, s.sdelka, FromStoredLeva(s.ss15),
                   FromStoredLeva(s.ss17), FromStoredLeva(s.ss25), FromStoredLeva(s.ss19)});
    });
    sales.store(db, scope);
    t.commit();
}

}  // namespace returns
