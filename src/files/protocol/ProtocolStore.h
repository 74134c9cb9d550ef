#pragma once
// What the protocol report reads: the VAT return of the period, computed
// anew with its VIES return, and the documents of both journals in NUMBER
// order, the same documents the return sums (a head office's with all its
// branches', a branch's only its own).

#include <string>

#include "db/Database.h"
#include "files/protocol/ProtocolReport.h"
#include "returns/VatReturnComputation.h"

namespace files::protocol {

// Who the report is about, beside the scope: the person's name and filer
// (FACE1).
struct ProtocolRequest {
    returns::ReturnScope scope;
    std::string name, filer;
};

// Computes and stores the VAT return and the VIES return of the period, then
// reads everything the report shows; `today` is DD/MM/YYYY.
ProtocolData LoadProtocolData(db::Database& db, const ProtocolRequest& request,
                              const std::string& today);

}  // namespace files::protocol
