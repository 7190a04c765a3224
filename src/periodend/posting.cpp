#include "periodend/posting.h"

#include <algorithm>
#include <exception>
#include <map>
#include <set>
#include <utility>

#include "balances/movements.h"
#include "base/book_state.h"
#include "base/currency_ids.h"
#include "base/host_lock.h"
#include "base/refusal.h"
#include "data/db_error.h"
#include "periodend/posting_checks.h"

namespace qj::periodend {
namespace {

// While one posting runs, the vouchers it has claimed carry this flag; it is
// turned into 'T' before the posting ends and never outlives its transaction.
constexpr const char* kClaimed = "P";

// Source kinds of the fixed-asset module's vouchers.
constexpr int kAssetAdded = 200;
constexpr int kDepreciation = 201;
constexpr int kAssetChanged = 202;

// Identifiers per claiming statement of PostVouchers.
constexpr std::size_t kIdsPerStatement = 500;

data::Params periodParams(const PostingContext& context) {
  const VoucherIdRange range = MonthVoucherRange(context.period);
  return {{"first", range.first}, {"last", range.last}, {"claimed", kClaimed}};
}

// The claimed vouchers' lines summed per subject and currency by the database,
// then spread over each subject's ancestors and the all-currency row. A line
// is a debit line when its debit is not 0, otherwise a credit line (of 0 when
// it has no amount, which still creates its rows).
std::map<balances::BalanceKey, balances::Movement> claimedMovements(data::Connection& db,
                                                                    const PostingContext& context) {
  const data::Rows sums = db.query(
      "SELECT d.SUBJECTID, d.MONEYID, SUM(COALESCE(d.DEBIT, 0)) AS DEBIT, "
      "SUM(CASE WHEN COALESCE(d.DEBIT, 0)<>0 THEN 0 ELSE COALESCE(d.CREDIT, 0) END) AS CREDIT, "
      "SUM(CASE WHEN COALESCE(d.DEBIT, 0)<>0 THEN COALESCE(d.RAWDEBIT, 0) ELSE 0 END) AS RAWDEBIT, "
      "SUM(CASE WHEN COALESCE(d.DEBIT, 0)<>0 THEN 0 ELSE COALESCE(d.RAWCREDIT, 0) END) AS RAWCREDIT "
      "FROM VoucherMaster m JOIN VoucherDetail d ON d.CREDID=m.CREDID "
      "WHERE m.CREDID BETWEEN :first AND :last AND m.POSTFLAG=:claimed GROUP BY d.SUBJECTID, d.MONEYID",
      periodParams(context));

  std::map<std::string, std::vector<std::string>> chains;  // subject -> itself and its ancestors
  std::map<balances::BalanceKey, balances::Movement> movements;
  for (const data::Row& sum : sums) {
    const std::string subject = sum.text("SUBJECTID");
    auto chain = chains.find(subject);
    if (chain == chains.end()) {
      std::vector<std::string> codes{subject};
      for (std::string parent = context.structure.parentOf(subject); parent != codes.back();
           parent = context.structure.parentOf(parent))
        codes.push_back(parent);
      chain = chains.emplace(subject, std::move(codes)).first;
    }
    const std::int64_t moneyId = sum.integer("MONEYID");
    const Money debit = sum.money("DEBIT");
    const Money credit = sum.money("CREDIT");
    const Money rawDebit = base::IsForeignCurrency(moneyId) ? sum.money("RAWDEBIT") : Money();
    const Money rawCredit = base::IsForeignCurrency(moneyId) ? sum.money("RAWCREDIT") : Money();
    for (const std::string& code : chain->second) {
      balances::Movement& own = movements[{moneyId, code}];
      own.debit += debit;
      own.credit += credit;
      own.rawDebit += rawDebit;
      own.rawCredit += rawCredit;
      balances::Movement& all = movements[{base::kAllCurrencies, code}];
      all.debit += debit;
      all.credit += credit;
    }
  }
  return movements;
}

bool isFixedAssetSubject(const PostingContext& context, const std::string& subject) {
  const std::string& asset = context.fixedAssetSubject;
  return !asset.empty() && subject.starts_with(asset);
}

// One line of a fixed-asset voucher (kinds 200 and 202) on the surplus record
// of its asset: asset movements for lines on the fixed-asset subject (or one
// of its sub-accounts), depreciation movements for any other line. An added
// asset (200) first takes its work and depreciation so far from its card.
void bookAssetLine(data::Connection& db, const PostingContext& context, const data::Row& line) {
  if (line.isNull("RELEVANTBILLID")) return;  // no asset to book on
  const data::Params key{{"id", line.integer("RELEVANTBILLID")}, {"ym", context.period.text()}};
  if (!db.queryOne("SELECT ID FROM FixedAssetsSurplus WHERE ID=:id AND YEARMON=:ym", key))
    db.execute("INSERT INTO FixedAssetsSurplus (ID, YEARMON) VALUES (:id, :ym)", key);
  data::Params amounts = key;
  amounts.push_back({"debit", TruncateCurrency(line.money("DEBIT"))});
  amounts.push_back({"credit", TruncateCurrency(line.money("CREDIT"))});
  if (!isFixedAssetSubject(context, line.text("SUBJECTID"))) {
    db.execute(
        "UPDATE FixedAssetsSurplus SET DPRDEBIT=COALESCE(DPRDEBIT, 0)+:debit, YDPRDEBIT=COALESCE(YDPRDEBIT, 0)+:debit, "
        "DPRCREDIT=COALESCE(DPRCREDIT, 0)+:credit, YDPRCREDIT=COALESCE(YDPRCREDIT, 0)+:credit "
        "WHERE ID=:id AND YEARMON=:ym",
        amounts);
    return;
  }
  if (line.integer("KIND") == kAssetAdded)
    db.execute(
        "UPDATE FixedAssetsSurplus SET TOTALWL=(SELECT USEDAGO FROM FixedAssetsCard WHERE ID=:id), CURRWL=0, "
        "USEDVALUE=(SELECT USEDVALUEAGO FROM FixedAssetsCard WHERE ID=:id) WHERE ID=:id AND YEARMON=:ym",
        key);
  db.execute(
      "UPDATE FixedAssetsSurplus SET ASTDEBIT=COALESCE(ASTDEBIT, 0)+:debit, YASTDEBIT=COALESCE(YASTDEBIT, 0)+:debit, "
      "ASTCREDIT=COALESCE(ASTCREDIT, 0)+:credit, YASTCREDIT=COALESCE(YASTCREDIT, 0)+:credit "
      "WHERE ID=:id AND YEARMON=:ym",
      amounts);
}

// The period's depreciation booked into its surplus records, once per
// depreciation voucher.
void bookDepreciation(data::Connection& db, const PostingContext& context) {
  db.execute(
      "UPDATE FixedAssetsSurplus SET DPRCREDIT=DEPRVALUE, YDPRCREDIT=COALESCE(YDPRCREDIT, 0)+DEPRVALUE "
      "WHERE YEARMON=:ym AND COALESCE(DEPRVALUE, 0)<>0",
      {{"ym", context.period.text()}});
}

// The fixed-asset module's claimed vouchers, line by line in the order of
// posting (date, voucher word, number), since a depreciation voucher sets what
// an earlier change voucher may have added to.
void bookFixedAssets(data::Connection& db, const PostingContext& context) {
  data::Params params = periodParams(context);
  params.push_back({"added", kAssetAdded});
  params.push_back({"depreciation", kDepreciation});
  params.push_back({"changed", kAssetChanged});
  const data::Rows lines = db.query(
      "SELECT m.CREDID, m.AccountVoucherType AS KIND, m.RELEVANTBILLID, d.SUBJECTID, d.DEBIT, d.CREDIT "
      "FROM VoucherMaster m JOIN VoucherDetail d ON d.CREDID=m.CREDID "
      "WHERE m.CREDID BETWEEN :first AND :last AND m.POSTFLAG=:claimed "
      "AND m.AccountVoucherType IN (:added, :depreciation, :changed) "
      "ORDER BY m.CREDDATE, m.AccountVoucherTypeID, m.CREDCODE, m.CREDID, d.FENLUNO",
      params);
  std::string previous;
  for (const data::Row& line : lines) {
    const std::string credId = line.text("CREDID");
    const bool startsVoucher = credId != previous;
    previous = credId;
    if (line.integer("KIND") == kDepreciation) {
      if (startsVoucher) bookDepreciation(db, context);
    } else {
      bookAssetLine(db, context, line);
    }
  }
}

// Books the claimed vouchers and marks them posted.
void bookClaimed(data::Connection& db, const PostingContext& context) {
  balances::ApplyMovements(db, context.period, claimedMovements(db, context));
  bookFixedAssets(db, context);
  db.execute("UPDATE VoucherMaster SET POSTFLAG='T' WHERE CREDID BETWEEN :first AND :last AND POSTFLAG=:claimed",
             periodParams(context));
}

}  // namespace

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
  data::Params params = periodParams(context);
  params.push_back({"user", context.user});
  const std::int64_t count =
      db.execute(std::string("UPDATE VoucherMaster SET POSTFLAG=:claimed, BILLPOST=:user WHERE CREDID BETWEEN :first "
                             "AND :last AND COALESCE(POSTFLAG, 'F')<>'T'") +
                     (context.mustCheck ? " AND CHECKFLAG='T'" : ""),
                 params);
  bookClaimed(db, context);
  tx.commit();
  return count;
}

std::int64_t PostVouchers(data::Connection& db, const PostingContext& context,
                          const std::vector<std::string>& credIds) {
  data::Transaction tx(db);
  const std::set<std::string> unique(credIds.begin(), credIds.end());
  const std::vector<std::string> ids(unique.begin(), unique.end());
  std::int64_t count = 0;
  for (std::size_t from = 0; from < ids.size(); from += kIdsPerStatement) {
    const std::size_t to = std::min(ids.size(), from + kIdsPerStatement);
    data::Params params = periodParams(context);
    params.push_back({"user", context.user});
    std::string list;
    for (std::size_t i = from; i < to; ++i) {
      const std::string name = "id" + std::to_string(i - from);
      list.append(list.empty() ? ":" : ", :").append(name);
      params.push_back({name, ids[i]});
    }
    count += db.execute("UPDATE VoucherMaster SET POSTFLAG=:claimed, BILLPOST=:user WHERE CREDID IN (" + list +
                            ") AND CREDID BETWEEN :first AND :last AND COALESCE(POSTFLAG, 'F')<>'T'",
                        params);
  }
  bookClaimed(db, context);
  tx.commit();
  return count;
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
    const PostingContext context = PostingContextOf(host);
    if (auto refusal = CheckVouchersBeforePosting(db, context.period, stopOnGap)) {
      Show(host, *refusal);
      return false;
    }
    data::Transaction tx(db);
    posted = PostCurrentPeriod(db, context);
    tx.commit();
  } catch (const data::DbError& error) {
    host.EDBEngineErrorHandler(error);
    return false;
  } catch (const std::exception& error) {
    host.ShowMsgBox(error.what(), caption::Failure, msgbox::IconError);
    return false;
  }
  Show(host, {"共有" + std::to_string(posted) + "张凭证被登帐", caption::Info});
  return true;
}

}  // namespace qj::periodend
