#include "files/merge/MergeImport.h"

#include <algorithm>
#include <cstdio>

#include "files/Layouts.h"
#include "files/checker/CheckText.h"
#include "platform/CodePage.h"

namespace files::merge {
namespace {

std::string DateCreate(const platform::LocalDateTime& now) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d", now.year, now.month, now.day,
                  now.hour, now.minute);
    return text;
}

}  // namespace

AddedDocuments AddLoadedDocuments(db::Database& db, const checker::CheckState& state,
                                  SalesSource salesSource, const platform::LocalDateTime& now) {
    MergeStore store(db, DateCreate(now));
    MergedDocument document;
    for (const checker::LineRecord& record : state.purchases) {
        if (!IsDocumentLine(record)) continue;
        ReadMergedPurchase(record, document);
        store.add(document);
    }
    for (const checker::LineRecord& record : state.sales) {
        if (!IsDocumentLine(record)) continue;
        ReadMergedSale(record, salesSource, document);
        store.add(document);
    }
    return store.commit();
}

std::optional<std::string> OtherVatNumber(const checker::CheckState& state, std::string_view vin) {
    const std::string own = platform::ToCp1251(vin);
    for (const auto* records : {&state.purchases, &state.sales}) {
        for (const checker::LineRecord& record : *records) {
            if (!IsDocumentLine(record)) continue;
            const std::string_view lineVin =
                checker::RightTrim(Cut(record.line, kJournalLeadLayout[kLineVin].column));
            if (lineVin != own) return platform::DecodeCp1251(lineVin);
        }
    }
    return std::nullopt;
}

std::string AddedMessage(const AddedDocuments& added) {
    std::string text = "Добавени са:\r\n" + std::to_string(added.purchases) +
                       " броя записи от Дневника за покупки и\r\n" + std::to_string(added.sales) +
                       " броя записи от Дневника за продажби!";
    if (added.periods.empty()) return text;
    // Documents of more than one VAT number name it beside each period.
    const bool oneVin =
        std::all_of(added.periods.begin(), added.periods.end(),
                    [&](const VinPeriod& p) { return p.first == added.periods[0].first; });
    std::string periods;
    for (const auto& [vin, period] : added.periods) {
        if (!periods.empty()) periods += ", ";
        periods += oneVin ? period : period + " (" + vin + ")";
    }
    text += added.periods.size() == 1 ? "\r\nДанъчен период: " : "\r\nДанъчни периоди: ";
    return text + periods;
}

}  // namespace files::merge
