// Storing and deleting vouchers: the header row, the line rows and the
// cash-flow allocation that belongs to a voucher, always together.
#pragma once

#include <string>
#include <vector>

#include "data/connection.h"
#include "vouchers/entry_checks.h"
#include "vouchers/voucher_header.h"
#include "vouchers/voucher_line.h"

namespace qj::vouchers {

// A voucher to store as it stands on screen.
struct VoucherWrite {
  const VoucherHeader& header;
  const std::vector<VoucherLine>& lines;  // in display order; lines without debit and credit are not stored
  std::string storedCredId;               // the CREDID its rows are stored under; "" for a new voucher
  std::string allocationCredId;           // the CREDID its FluxionDistribute rows are under; "" for none
  StoredFlags expected;                   // the audited and posted flags the save checks saw stored
};

enum class WriteOutcome {
  Written,
  // The stored voucher is gone or its audited/posted flags are no longer the
  // ones the checks saw (another session audited, posted or deleted it):
  // nothing was written.
  StoredStateChanged,
};

// Writes the header, replaces the line rows (FENLUNO 0, 1, ... over the stored
// lines; zero amounts as null), drops the line rows left under the old CREDID
// of a renumbered voucher and moves its allocation to the new CREDID. Runs
// inside the caller's transaction (one is opened when there is none); a
// duplicate number within type or CREDID surfaces as the engine's DbError.
WriteOutcome WriteVoucher(data::Connection& db, const VoucherWrite& voucher);

// The rows of many new vouchers, gathered to be written in bulk: what
// WriteVoucher stores for each, headers and lines alike.
class NewVoucherRows {
 public:
  // The voucher must carry its identifier and numbers.
  void add(const VoucherHeader& header, const std::vector<VoucherLine>& lines);
  // Header and line rows gathered and not yet written.
  [[nodiscard]] std::size_t size() const;
  // Inserts the rows gathered, inside the caller's transaction, and forgets them.
  void write(data::Connection& db);

 private:
  std::vector<data::Value> headers_;
  std::vector<data::Value> lines_;
};

// Deletes the line and allocation rows of the month of `firstCredId` whose
// identifier is that one or above: nobody's rows once no voucher is stored
// from there on, and in the way of the new vouchers numbered there.
void DeleteRowsLeftFrom(data::Connection& db, const std::string& firstCredId);

// Moves a voucher's allocation rows from one CREDID to another.
void MoveAllocation(data::Connection& db, const std::string& from, const std::string& to);

enum class AuditOutcome {
  Audited,
  // Audited by someone else by now, deleted, or (with the maker rule on) made
  // by the auditor: nothing was written.
  StoredStateChanged,
};

// Marks a stored voucher audited by `auditor`, only while it is unaudited
// and, when the maker may not audit, not made by the auditor.
AuditOutcome AuditStoredVoucher(data::Connection& db, const std::string& credId, const std::string& auditor,
                                bool makerMayAudit);

enum class DeleteOutcome {
  Deleted,
  // Audited or posted by now, or already deleted: nothing was deleted.
  StoredStateChanged,
};

// Deletes the voucher's lines, its header and its cash-flow allocation in one
// transaction, only while it is neither audited nor posted.
DeleteOutcome DeleteStoredVoucher(data::Connection& db, const std::string& credId);

// Deletes the machine-made vouchers of one source kind (AccountVoucherType)
// whose identifiers lie in the month, with their lines and allocation,
// whatever their flags: what the period end made and takes back. Returns how
// many were deleted.
std::int64_t DeleteMonthVouchersOfKind(data::Connection& db, const Period& month, int kind);
// The same for the vouchers of one kind that carry a RELEVANTBILLID.
std::int64_t DeleteVouchersOfKindAndBill(data::Connection& db, int kind, std::int64_t bill);

}  // namespace qj::vouchers
