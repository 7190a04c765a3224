#include "vouchers/voucher_delete_rules.h"

#include "base/product_caption.h"
#include "vouchers/voucher_queries.h"

namespace qj::vouchers {

namespace {

// The card named by the voucher's RELEVANTBILLID, if it names one that exists.
std::optional<FixedAssetCard> SourceCard(data::Connection& db, const VoucherHeader& header) {
  if (!header.relevantBillId) return std::nullopt;
  return ReadFixedAssetCard(db, *header.relevantBillId);
}

bool OwnedByFixedAssets(data::Connection& db, const VoucherHeader& header) {
  if (!header.sourceKind) return false;
  switch (*header.sourceKind) {
    case kFixedAssetDocumentVoucher:
      return true;
    case kFixedAssetCardVoucher:
      return SourceCard(db, header).has_value();
    case kFixedAssetClearVoucher: {
      const auto card = SourceCard(db, header);
      return card && card->cleared;
    }
    default:
      return false;
  }
}

}  // namespace

std::optional<Refusal> DeleteRefusal(data::Connection& db, const VoucherHeader& header) {
  if (header.posted) return Refusal{"该张凭证已经被登帐，不能被删除", caption::Notice};
  if (header.checked) return Refusal{"该张凭证已经被审核，不能被删除", caption::Notice};
  if (OwnedByFixedAssets(db, header))
    return Refusal{"该张凭证为固定资产单据对应凭证，不能在此删除", base::kProductCaption};
  return std::nullopt;
}

}  // namespace qj::vouchers
