#pragma once
// Adds loaded documents to the journals as one unit of work: every document
// is inserted and every period that received one is renumbered (all
// branches together, by ID), or, when anything fails or the program stops
// on the way, nothing of it is in the database.

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "db/Database.h"
#include "files/merge/MergedDocument.h"

namespace files::merge {

// A VAT number and period that received documents.
using VinPeriod = std::pair<std::string, std::string>;

struct AddedDocuments {
    long long purchases = 0, sales = 0;
    std::vector<VinPeriod> periods;  // in ascending order
};

class MergeStore {
  public:
    // Starts the unit of work; `dateCreate` is DATE_CREATE of every row.
    MergeStore(db::Database& db, std::string dateCreate);
    ~MergeStore();
    MergeStore(const MergeStore&) = delete;
    MergeStore& operator=(const MergeStore&) = delete;

    // Inserts the document as the last of its VAT number and period. Throws
    // db::Error; the destructor then undoes everything added.
    void add(const MergedDocument& document);

    // Makes the unit permanent.
    AddedDocuments commit();

  private:
    struct Inserter;
    // The numbers the next documents of a VAT number and period get.
    struct NextNumbers {
        long long purchase = 0, sale = 0;
    };
    NextNumbers& nextNumbers(const MergedDocument& document);

    db::Database& db_;
    std::string dateCreate_;
    db::Transaction transaction_;
    std::unique_ptr<Inserter> purchases_, sales_;
    std::map<VinPeriod, NextNumbers> next_;
    VinPeriod lastKey_;
    NextNumbers* last_ = nullptr;
    AddedDocuments added_;
};

}  // namespace files::merge
