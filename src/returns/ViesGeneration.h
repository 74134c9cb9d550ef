#pragma once
// The VIES return is never typed in: it is generated from the sales journal
// every time it is shown, written to file or reported on. Generation replaces
// every VIES row of the person, branch and period.
//
// Section 1 (intra-Community supplies) has one row per counterpart and month
// whose sums are not all zero; section 2 (call-off stock) one row per
// operation. A head office reads the documents of all its branches, a branch
// only its own. Member-state numbers are judged by the month of the document.

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <tuple>

#include "db/Database.h"
#include "platform/Money.h"
#include "returns/VatReturnComputation.h"

namespace returns {

// One sale as the VIES return reads it; the texts are the caller's, the
// amounts the stotinki each shows.
struct ViesSaleView {
    std::string_view type, knum, date, viesType, code8a, sdelka;
    platform::money::Stotinki ss15 = 0, ss17 = 0, ss25 = 0, ss19 = 0;
};

// The VIES return of a scope, gathered one sale at a time in any order, so
// that a writer reading the period once can build it on the way.
class ViesSales {
  public:
    // Sales of types other than 01, 02, 03, 09 and 04 are not read.
    void add(const ViesSaleView& sale);
    // Replaces the VIES rows of the scope with the return of the sales added,
    // in one transaction.
    void store(db::Database& db, const ReturnScope& scope) const;

  private:
    // Section 1 sums per counterpart, month (MM/YYYY) and VIES_TYPE, in that order.
    struct GroupKey {
        std::string knum, month, viesType;
    };
    struct KeyOrder {
        using is_transparent = void;
        template <class A, class B>
        bool operator()(const A& a, const B& b) const {
            return std::tie(a.knum, a.month, a.viesType) < std::tie(b.knum, b.month, b.viesType);
        }
    };
    struct KeyView {
        std::string_view knum, month, viesType;
    };
    struct Sums {
        platform::money::Stotinki s15 = 0, s17 = 0, s25 = 0, s19 = 0;
    };
    Sums& sumsOf(const KeyView& key);

    std::map<GroupKey, Sums, KeyOrder> section1_;
    // The group of the sale before: sales of a counterpart tend to follow each other.
    std::map<GroupKey, Sums, KeyOrder>::iterator last_ = section1_.end();
    // Section 2: each counterpart, 8a code, month and SDELKA once, in that order.
    std::set<std::tuple<std::string, std::string, std::string, std::string>> callOffStock_;
};

// Regenerates both sections of the scope in one transaction; running it twice
// gives the same rows and numbers.
void GenerateViesReturn(db::Database& db, const ReturnScope& scope);

}  // namespace returns
