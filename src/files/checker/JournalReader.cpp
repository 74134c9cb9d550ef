#include "files/checker/JournalReader.h"

#include <future>

#include "files/checker/CheckText.h"
#include "files/checker/Readers.h"

namespace files::checker {

bool HasReturnToCompare(const CheckState& s) {
    return !s.returnErrors.has(kDeklarNotOpenedCode);
}

void TakeIdentityFromFirstLine(CheckState& s, std::string_view text) {
    std::string_view first;
    if (!s.returnData[kVin].empty() || !LineReader(text).next(first)) return;
    s.returnData[kVin] = RightTrim(Cut(first, kJournalLeadLayout[kLineVin].column));
    s.returnData[kPeriod] = RightTrim(Cut(first, kJournalLeadLayout[kLinePeriod].column));
}

JournalText TakeJournalText(std::optional<FileText> text, bool oem, FileText& slot,
                            const JournalFileKind& kind) {
    JournalText taken;
    const TakenText read = TakeFileText(std::move(text), oem, slot);
    taken.result = read.result;
    if (taken.result == kFileNotOpened) taken.returnCodes.set(kind.notOpenedCode);
    if (taken.result != kFileRead) return taken;
    taken.clean = read.permitted;
    if (!taken.clean) taken.returnCodes.set(kind.fileCharacterCode);
    return taken;
}

JournalResults CheckJournalFiles(CheckState& s, std::optional<FileText> purchases,
                                 std::optional<FileText> sales, bool oem) {
    ClearPurchases(s);
    ClearSales(s);
    // The texts and their characters.
    auto salesTaking = std::async(std::launch::async, [&] {
        return TakeJournalText(std::move(sales), oem, s.salesText, kSalesFile);
    });
    const JournalText purchaseText =
        TakeJournalText(std::move(purchases), oem, s.purchaseText, kPurchaseFile);
    const JournalText salesText = salesTaking.get();
    s.returnErrors.merge(purchaseText.returnCodes);
    s.returnErrors.merge(salesText.returnCodes);
    // Without a return, the first journal line read gives its identity,
    // which the other journal's rules then compare with.
    if (purchaseText.result == kFileRead) TakeIdentityFromFirstLine(s, s.purchaseText.view());
    if (salesText.result == kFileRead) TakeIdentityFromFirstLine(s, s.salesText.view());

    // The lines: the two halves write apart, DEKLAR codes into sets of their own.
    db::ErrorSet purchaseCodes, salesCodes;
    auto salesChecking = std::async(std::launch::async, [&] {
        if (salesText.result == kFileRead) CheckSalesLines(s, salesText.clean, salesCodes);
    });
    if (purchaseText.result == kFileRead) CheckPurchaseLines(s, purchaseText.clean, purchaseCodes);
    salesChecking.get();
    s.returnErrors.merge(purchaseCodes);
    s.returnErrors.merge(salesCodes);
    return {purchaseText.result, salesText.result};
}

}  // namespace files::checker
