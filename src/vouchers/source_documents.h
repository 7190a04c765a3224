// The documents of the suite's other modules that make vouchers: a voucher's
// source kind names the document type and the host form that shows it.
#pragma once

#include <optional>
#include <string>

namespace qj::vouchers {

struct SourceDocument {
  int documentType = 0;  // the suite's document type number
  std::string form;      // the host form showing such a document; "" when there is none
};

// The document behind a source kind 11 to 39; nothing for any other kind.
std::optional<SourceDocument> SourceDocumentOf(int sourceKind);

// The host privilege that lets a user view documents of a type (action 1).
[[nodiscard]] constexpr int DocumentViewPrivilege(int documentType) { return 1000 + documentType; }

// The host command that shows a source document: the form name as its
// argument and BILLID in the parameter bag.
inline constexpr const char* kShowBillCommand = "SHOWBILLFORMFROMCRED";

}  // namespace qj::vouchers
