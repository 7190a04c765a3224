// Which stored vouchers may not be deleted, and why: posted, audited, or made
// by a fixed-asset document that owns it.
#pragma once

#include <optional>

#include "data/connection.h"
#include "hostapi/refusal.h"
#include "vouchers/voucher_header.h"

namespace qj::vouchers {

// Source kinds of the vouchers the fixed-asset documents make; their
// RELEVANTBILLID is a FixedAssetsCard ID.
inline constexpr int kFixedAssetCardVoucher = 200;
inline constexpr int kFixedAssetDocumentVoucher = 201;
inline constexpr int kFixedAssetClearVoucher = 202;

inline constexpr const char* kDeleteQuestion = "凭证被删除将不能恢复，你是否确实要删除本张凭证？";  // caption "警告"

// The first reason, in this order, the voucher may not be deleted: posted
// ("该张凭证已经被登帐，不能被删除"), audited ("该张凭证已经被审核，不能被删除"),
// both caption "提示"; then a fixed-asset voucher — kind 200 while its card
// exists, 202 while its card exists and is cleared, 201 always —
// "该张凭证为固定资产单据对应凭证，不能在此删除" under the product caption.
std::optional<Refusal> DeleteRefusal(data::Connection& db, const VoucherHeader& header);

}  // namespace qj::vouchers
