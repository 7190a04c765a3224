#include "periodend/posting.h"

#include <exception>
#include <map>
#include <utility>
#include <variant>

#include "balances/asset_surplus_store.h"
#include "balances/movements.h"
#include "base/book_state_store.h"
#include "base/currency_ids.h"
#include "base/host_lock.h"
#include "data/db_error.h"
#include "hostapi/refusal.h"
#include "periodend/month_status_queries.h"
#include "periodend/posting_check_store.h"
#include "periodend/posting_checks.h"
#include "periodend/posting_store.h"

namespace qj::periodend {
namespace {

// Source kinds of the fixed-asset module's vouchers.
constexpr std::int64_t kAssetAdded = 200;
constexpr std::int64_t kDepreciation = 201;
constexpr std::int64_t kAssetChanged = 202;

bool isFixedAssetSubject(const PostingContext& context, const std::string& subject) {
  const std::string& asset = context.fixedAssetSubject;
  return !asset.empty() && subject.starts_with(asset);
}

// One line of a fixed-asset voucher (kinds 200 and 202) on the surplus record
// of its asset: asset movements for lines on the fixed-asset subject (or one
// of its sub-accounts), depreciation movements for any other line. An added
// asset (200) first takes its work and depreciation so far from its card.
void bookAssetLine(data::Connection& db, const PostingContext& context, const ClaimedAssetLine& line) {
  if (!line.assetId) return;  // no asset to book on
  const std::int64_t asset = *line.assetId;
  balances::EnsureSurplusRecord(db, asset, context.period);
  if (!isFixedAssetSubject(context, line.subject)) {
    balances::AddDepreciationMovement(db, asset, context.period, line.debit, line.credit);
    return;
  }
  if (line.kind == kAssetAdded) balances::StartFromAssetCard(db, asset, context.period);
  balances::AddAssetMovement(db, asset, context.period, line.debit, line.credit);
}

// The fixed-asset module's claimed vouchers, line by line in the order of
// posting, since a depreciation voucher sets what an earlier change voucher
// may have added to. The month's depreciation is booked once per
// depreciation voucher.
void bookFixedAssets(data::Connection& db, const PostingContext& context, const ClaimedVouchers& claimed) {
  std::string previous;
  for (const ClaimedAssetLine& line :
       ClaimedAssetLines(db, context.period, {kAssetAdded, kDepreciation, kAssetChanged}, claimed)) {
    const bool startsVoucher = line.credId != previous;
    previous = line.credId;
    if (line.kind == kDepreciation) {
      if (startsVoucher) balances::BookMonthDepreciation(db, context.period);
    } else {
      bookAssetLine(db, context, line);
    }
  }
}

// Books the claimed vouchers, whose lines sum to `sums`.
void bookClaimed(data::Connection& db, const PostingContext& context, const ClaimedVouchers& claimed,
                 const std::vector<ClaimedSum>& sums) {
  balances::ApplyMovements(db, context.period, SpreadMovements(sums, context.structure));
  bookFixedAssets(db, context, claimed);
}

// A pass that met rows without their other half and booked nothing.
struct OrphansMet {};

// Claims the month's vouchers, checks every voucher of the month and books the
// claimed ones, in one transaction; the checks read every line once and the
// claimed ones are summed on the way. A refusal rolls the claim back, and so,
// unless `afterCleanUp`, does a pass that met rows without their other half.
std::variant<std::int64_t, Refusal, OrphansMet> claimCheckAndBook(data::Connection& db, const PostingContext& context,
                                                                  bool stopOnGap, bool afterCleanUp) {
  data::Transaction tx(db);
  const ClaimedVouchers claimed = ClaimMonthVouchers(db, context.period, context.user, context.mustCheck);
  ClaimedSumsBuilder sums(&claimed);
  const MonthCheck check = CheckMonthVouchers(db, context.period, stopOnGap, &sums);
  if (check.refusal) return *check.refusal;
  if (check.orphansSeen && !afterCleanUp) return OrphansMet{};
  DeleteOrphanAllocations(db, context.period);
  bookClaimed(db, context, claimed, sums.take());
  tx.commit();
  return static_cast<std::int64_t>(claimed.size());
}

}  // namespace

std::map<balances::BalanceKey, balances::Movement> SpreadMovements(const std::vector<ClaimedSum>& sums,
                                                                   const base::CodeStructure& structure) {
  std::map<std::string, std::vector<std::string>> chains;  // subject -> itself and its ancestors
  std::map<balances::BalanceKey, balances::Movement> movements;
  for (const ClaimedSum& sum : sums) {
    auto chain = chains.find(sum.subject);
    if (chain == chains.end()) {
      std::vector<std::string> codes{sum.subject};
      for (std::string parent = structure.parentOf(sum.subject); parent != codes.back();
           parent = structure.parentOf(parent))
        codes.push_back(parent);
      chain = chains.emplace(sum.subject, std::move(codes)).first;
    }
    const bool foreign = base::IsForeignCurrency(sum.moneyId);
    for (const std::string& code : chain->second) {
      balances::Movement& own = movements[{sum.moneyId, code}];
      own.debit += sum.debit;
      own.credit += sum.credit;
      if (foreign) {
        own.rawDebit += sum.rawDebit;
        own.rawCredit += sum.rawCredit;
      }
      balances::Movement& all = movements[{base::kAllCurrencies, code}];
      all.debit += sum.debit;
      all.credit += sum.credit;
    }
  }
  return movements;
}

PostingContext PostingContextOf(HostServices& host) {
  data::Connection& db = host.FindStartupDB();
  const base::AuditFlags flags = base::ReadAuditFlags(db);
  host.SetAuditFlags(flags.mustCheck, flags.sameUser);
  const AccountBooksData& book = host.accountBooksData();
  PostingContext context{Period{book.CurrYear, book.CurrMon},
                         flags.mustCheck,
                         host.asUserName(),
                         base::CodeStructure(book.SubjectLevelLen),
                         {}};
  const ReservedSubjects& reserved = host.ReservedSub();
  if (const auto asset = reserved.find(0); asset != reserved.end()) context.fixedAssetSubject = asset->second;
  return context;
}

std::int64_t PostCurrentPeriod(data::Connection& db, const PostingContext& context) {
  data::Transaction tx(db);
  const ClaimedVouchers claimed = ClaimMonthVouchers(db, context.period, context.user, context.mustCheck);
  bookClaimed(db, context, claimed, ClaimedSums(db, context.period, claimed));
  tx.commit();
  return static_cast<std::int64_t>(claimed.size());
}

std::int64_t PostVouchers(data::Connection& db, const PostingContext& context,
                          const std::vector<std::string>& credIds) {
  data::Transaction tx(db);
  const ClaimedVouchers claimed = ClaimVouchers(db, context.period, context.user, credIds);
  bookClaimed(db, context, claimed, ClaimedSums(db, context.period, claimed));
  tx.commit();
  return static_cast<std::int64_t>(claimed.size());
}

std::variant<std::int64_t, Refusal> PostCurrentPeriodChecked(data::Connection& db, const PostingContext& context,
                                                             bool stopOnGap) {
  // A month posted to the end has nothing to book; its posted vouchers cannot
  // be changed, so there is nothing new to check either.
  if (!AnyUnpostedVoucher(db, context.period)) return std::int64_t{0};
  // Rows without their other half are rare. The checks pass over them, so
  // they find the same with or without them; when the pass meets one, or
  // refuses, the clean-up runs in its own transaction, as it would have first,
  // and a pass that met one is taken again.
  auto outcome = claimCheckAndBook(db, context, stopOnGap, false);
  if (std::holds_alternative<std::int64_t>(outcome)) return std::get<std::int64_t>(outcome);
  DeleteOrphanVoucherRows(db, context.period);
  if (std::holds_alternative<OrphansMet>(outcome)) outcome = claimCheckAndBook(db, context, stopOnGap, true);
  if (const auto* refusal = std::get_if<Refusal>(&outcome)) return *refusal;
  return std::get<std::int64_t>(outcome);
}

bool RunPosting(HostServices& host, bool stopOnGap) {
  const base::HostLock lock(host, base::kLedgerLock);
  if (!lock) {
    Show(host, {kPostingLockRefused, host.asProductionName()});
    return false;
  }
  data::Connection& db = host.FindStartupDB();
  std::int64_t posted = 0;
  try {
    const auto outcome = PostCurrentPeriodChecked(db, PostingContextOf(host), stopOnGap);
    if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
      Show(host, *refusal);
      return false;
    }
    posted = std::get<std::int64_t>(outcome);
  } catch (const data::DbError& error) {
    host.EDBEngineErrorHandler(error);
    return false;
  } catch (const std::exception& error) {
    Show(host, FailureRefusal(error));
    return false;
  }
  Show(host, {"共有" + std::to_string(posted) + "张凭证被登帐", caption::Info});
  return true;
}

}  // namespace qj::periodend
