// The layout tables: fields follow one another without gaps or overlaps and
// end where the lines of their files end.

#include "files/Layouts.h"

#include <gtest/gtest.h>

#include <span>

using namespace files;

namespace {

// Where the fields end, or 0 when one does not start where the last ended.
std::size_t EndOfContiguous(std::span<const Field> fields, std::size_t start = 0) {
    for (const Field& f : fields) {
        if (f.column.start != start) return 0;
        start += f.column.width;
    }
    return start;
}

}  // namespace

TEST(Layouts, FieldsFollowOneAnotherToTheEndOfTheirLine) {
    EXPECT_EQ(EndOfContiguous(kDeklarLayout), kDeklarLineLength);
    EXPECT_EQ(kDeklarLayout[kDR33].column.width, 4u);
    EXPECT_EQ(kDeklarLayout[kDR33].column.start, 466u) << "columns 467-470";

    EXPECT_EQ(EndOfContiguous(kJournalLeadLayout), kFirstAmountStart);
    EXPECT_EQ(Code8aField(kPurchaseAmountCount).column.start, kBS8AColumn.start);
    EXPECT_EQ(Code8aField(kSalesAmountCount).column.start, kSS8AColumn.start);
    EXPECT_EQ(kBS8AColumn.start + kBS8AColumn.width, kPurchaseLineLength);
    EXPECT_EQ(kSS8AColumn.start + kSS8AColumn.width, kSalesLineLength);
    EXPECT_EQ(kMergeViesDigitField.column.start, kSalesLineLength);
    EXPECT_EQ(kMergeViesDigitField.column.start + 1, kMergeSalesLineLength);

    const struct {
        const char* record;
        std::size_t length, computed;
    } records[] = {
        {"VHR", 15, EndOfContiguous(kVhrLayout)},  {"VDR", 373, EndOfContiguous(kVdrLayout)},
        {"VTR", 368, EndOfContiguous(kVtrLayout)}, {"TTR", 27, EndOfContiguous(kTtrLayout)},
        {"VIR", 66, EndOfContiguous(kVirLayout)},  {"CHR", 8, EndOfContiguous(kChrLayout)},
        {"COS", 46, EndOfContiguous(kCosLayout)},
    };
    for (const auto& r : records) EXPECT_EQ(r.computed, r.length) << r.record;
    EXPECT_EQ(LengthOf(kCosLayout), 46u);
}

TEST(Layouts, CutGivesWhatALineHoldsOfAColumn) {
    EXPECT_EQ(Cut("VHR05/2023    1", kVhrLayout[1].column), "05/2023");
    EXPECT_EQ(Cut("VHR05/20", kVhrLayout[1].column), "05/20");
    EXPECT_EQ(Cut("VHR", kVhrLayout[2].column), "");
}
