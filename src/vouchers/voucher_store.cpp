#include "vouchers/voucher_store.h"

#include <algorithm>

namespace qj::vouchers {

namespace {

// A flag column as the save checks read it: 'T' or anything else.
constexpr const char* kCheckedIs = "(CASE WHEN CHECKFLAG='T' THEN 'T' ELSE 'F' END)=:expectedChecked";
constexpr const char* kPostedIs = "(CASE WHEN POSTFLAG='T' THEN 'T' ELSE 'F' END)=:expectedPosted";

const char* flag(bool set) { return set ? "T" : "F"; }

data::Value optional(const std::optional<std::int64_t>& value) { return value ? data::Value(*value) : data::Value(); }

data::Value amountOrNull(Money amount) { return amount.isZero() ? data::Value() : data::Value(amount); }

data::Params headerParams(const VoucherHeader& header) {
  return {{"credId", header.credId},
          {"credNo", header.credNo},
          {"credDate", header.credDate},
          {"billNumber", header.billNumber},
          {"billMaker", header.billMaker},
          {"billCheck", header.billCheck},
          {"billPost", header.billPost},
          {"checked", flag(header.checked)},
          {"posted", flag(header.posted)},
          {"sourceKind", header.sourceKind ? data::Value(*header.sourceKind) : data::Value()},
          {"relevantBillId", optional(header.relevantBillId)},
          {"typeId", header.typeId},
          {"credCode", optional(header.credCode)},
          {"printStyleId", header.printStyleId}};
}

constexpr std::string_view kHeaderColumns[] = {
    "CREDID",   "CREDNO",      "CREDDATE", "BILLNUMBER",         "BILLMAKER",      "BILLCHECK",
    "BILLPOST", "CHECKFLAG",   "POSTFLAG", "AccountVoucherType", "RELEVANTBILLID", "AccountVoucherTypeID",
    "CREDCODE", "PRINTSTYLEID"};

void appendHeader(std::vector<data::Value>& row, const VoucherHeader& header) {
  row.insert(row.end(),
             {header.credId, header.credNo, header.credDate, header.billNumber, header.billMaker, header.billCheck,
              header.billPost, flag(header.checked), flag(header.posted),
              header.sourceKind ? data::Value(*header.sourceKind) : data::Value(), optional(header.relevantBillId),
              header.typeId, optional(header.credCode), header.printStyleId});
}

constexpr std::string_view kLineColumns[] = {"CREDID", "FENLUNO",  "SUBJECTID", "Precis",    "ATTRFLAG", "MONEYID",
                                             "RATE",   "READONLY", "RAWDEBIT",  "RAWCREDIT", "DEBIT",    "CREDIT"};

// The stored lines: FENLUNO 0, 1, ... over the lines that carry an amount.
void appendLines(std::vector<data::Value>& rows, const std::string& credId, const std::vector<VoucherLine>& lines) {
  int fenLuNo = 0;
  for (const VoucherLine& line : lines) {
    if (line.debit.isZero() && line.credit.isZero()) continue;
    const bool foreignOnDebit = !line.debit.isZero();
    const Money rawDebit = foreignOnDebit ? line.foreignAmount : Money();
    const Money rawCredit = foreignOnDebit ? Money() : line.foreignAmount;
    rows.insert(rows.end(),
                {credId, fenLuNo++, line.subjectCode, line.summary, 0, line.moneyId, line.rate, flag(line.readOnly),
                 amountOrNull(rawDebit), amountOrNull(rawCredit), amountOrNull(line.debit), amountOrNull(line.credit)});
  }
}

void insertHeader(data::Connection& db, const VoucherHeader& header) {
  std::vector<data::Value> row;
  appendHeader(row, header);
  db.insertRows("VoucherMaster", kHeaderColumns, row);
}

// Rewrites the stored header under its (possibly new) identifier, only while
// the stored flags are still those the checks saw.
bool updateHeader(data::Connection& db, const VoucherWrite& voucher) {
  data::Params params = headerParams(voucher.header);
  params.push_back({"stored", voucher.storedCredId});
  params.push_back({"expectedChecked", flag(voucher.expected.checked)});
  params.push_back({"expectedPosted", flag(voucher.expected.posted)});
  return db.execute(std::string("UPDATE VoucherMaster SET CREDID=:credId, CREDNO=:credNo, CREDDATE=:credDate, "
                                "BILLNUMBER=:billNumber, BILLMAKER=:billMaker, BILLCHECK=:billCheck, "
                                "BILLPOST=:billPost, CHECKFLAG=:checked, POSTFLAG=:posted, "
                                "AccountVoucherType=:sourceKind, RELEVANTBILLID=:relevantBillId, "
                                "AccountVoucherTypeID=:typeId, CREDCODE=:credCode, PRINTSTYLEID=:printStyleId "
                                "WHERE CREDID=:stored AND ") +
                        kCheckedIs + " AND " + kPostedIs,
                    params) == 1;
}

void insertLines(data::Connection& db, const std::string& credId, const std::vector<VoucherLine>& lines) {
  std::vector<data::Value> rows;
  appendLines(rows, credId, lines);
  db.insertRows("VoucherDetail", kLineColumns, rows);
}

void deleteLines(data::Connection& db, const std::string& credId) {
  db.execute("DELETE FROM VoucherDetail WHERE CREDID=:credId", {{"credId", credId}});
}

void deleteAllocation(data::Connection& db, const std::string& credId) {
  db.execute("DELETE FROM FluxionDistribute WHERE CREDID=:credId", {{"credId", credId}});
}

}  // namespace

void MoveAllocation(data::Connection& db, const std::string& from, const std::string& to) {
  if (from.empty() || from == to) return;
  data::Transaction transaction(db);
  // Rows left under the target by a voucher removed long ago are nobody's.
  deleteAllocation(db, to);
  db.execute("UPDATE FluxionDistribute SET CREDID=:to WHERE CREDID=:from", {{"to", to}, {"from", from}});
  transaction.commit();
}

WriteOutcome WriteVoucher(data::Connection& db, const VoucherWrite& voucher) {
  const std::string& credId = voucher.header.credId;
  data::Transaction transaction(db);
  if (voucher.storedCredId.empty()) {
    insertHeader(db, voucher.header);
  } else if (!updateHeader(db, voucher)) {
    return WriteOutcome::StoredStateChanged;
  }
  if (!voucher.storedCredId.empty() && voucher.storedCredId != credId) deleteLines(db, voucher.storedCredId);
  deleteLines(db, credId);
  insertLines(db, credId, voucher.lines);
  if (voucher.allocationCredId.empty()) {
    // A new identifier starts without an allocation, whatever an earlier
    // voucher of that identifier left behind.
    if (voucher.storedCredId.empty()) deleteAllocation(db, credId);
  } else {
    MoveAllocation(db, voucher.allocationCredId, credId);
  }
  transaction.commit();
  return WriteOutcome::Written;
}

void NewVoucherRows::add(const VoucherHeader& header, const std::vector<VoucherLine>& lines) {
  appendHeader(headers_, header);
  appendLines(lines_, header.credId, lines);
}

std::size_t NewVoucherRows::size() const {
  return headers_.size() / std::size(kHeaderColumns) + lines_.size() / std::size(kLineColumns);
}

void NewVoucherRows::write(data::Connection& db) {
  db.insertRows("VoucherMaster", kHeaderColumns, headers_);
  // In subject order, the lines reach the subject index in one pass over the
  // pages they go to instead of one random visit each; the lines' own keys
  // all lie after the stored ones whatever the order.
  constexpr std::size_t width = std::size(kLineColumns);
  constexpr std::size_t subjectColumn = 2;
  std::vector<std::size_t> order(lines_.size() / width);
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i * width;
  std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
    return std::get<std::string>(lines_[a + subjectColumn].storage()) <
           std::get<std::string>(lines_[b + subjectColumn].storage());
  });
  std::vector<data::Value> sorted;
  sorted.reserve(lines_.size());
  for (const std::size_t first : order)
    for (std::size_t i = 0; i < width; ++i) sorted.push_back(std::move(lines_[first + i]));
  db.insertRows("VoucherDetail", kLineColumns, sorted);
  headers_.clear();
  lines_.clear();
}

void DeleteRowsLeftFrom(data::Connection& db, const std::string& firstCredId) {
  const data::Params range{{"first", firstCredId}, {"last", firstCredId.substr(0, 6) + "999999"}};
  data::Transaction transaction(db);
  db.execute("DELETE FROM VoucherDetail WHERE CREDID BETWEEN :first AND :last", range);
  db.execute("DELETE FROM FluxionDistribute WHERE CREDID BETWEEN :first AND :last", range);
  transaction.commit();
}

AuditOutcome AuditStoredVoucher(data::Connection& db, const std::string& credId, const std::string& auditor,
                                bool makerMayAudit) {
  std::string sql =
      "UPDATE VoucherMaster SET CHECKFLAG='T', BILLCHECK=:auditor WHERE CREDID=:credId AND (CHECKFLAG IS NULL OR "
      "CHECKFLAG<>'T')";
  if (!makerMayAudit) sql += " AND (BILLMAKER IS NULL OR BILLMAKER<>:auditor)";
  const std::int64_t audited = db.execute(sql, {{"auditor", auditor}, {"credId", credId}});
  return audited == 1 ? AuditOutcome::Audited : AuditOutcome::StoredStateChanged;
}

DeleteOutcome DeleteStoredVoucher(data::Connection& db, const std::string& credId) {
  data::Transaction transaction(db);
  const std::int64_t removed = db.execute(
      "DELETE FROM VoucherMaster WHERE CREDID=:credId AND (CHECKFLAG IS NULL OR CHECKFLAG<>'T') AND "
      "(POSTFLAG IS NULL OR POSTFLAG<>'T')",
      {{"credId", credId}});
  if (removed != 1) return DeleteOutcome::StoredStateChanged;
  deleteLines(db, credId);
  deleteAllocation(db, credId);
  transaction.commit();
  return DeleteOutcome::Deleted;
}

namespace {

std::int64_t deleteChosen(data::Connection& db, const std::string& chosen, const data::Params& params) {
  data::Transaction transaction(db);
  db.execute("DELETE FROM VoucherDetail WHERE CREDID IN (SELECT CREDID FROM VoucherMaster WHERE " + chosen + ")",
             params);
  db.execute("DELETE FROM FluxionDistribute WHERE CREDID IN (SELECT CREDID FROM VoucherMaster WHERE " + chosen + ")",
             params);
  const std::int64_t removed = db.execute("DELETE FROM VoucherMaster WHERE " + chosen, params);
  transaction.commit();
  return removed;
}

}  // namespace

std::int64_t DeleteMonthVouchersOfKind(data::Connection& db, const Period& month, int kind) {
  const VoucherIdRange range = MonthVoucherRange(month);
  return deleteChosen(db, "CREDID BETWEEN :first AND :last AND AccountVoucherType=:kind",
                      {{"first", range.first}, {"last", range.last}, {"kind", kind}});
}

std::int64_t DeleteVouchersOfKindAndBill(data::Connection& db, int kind, std::int64_t bill) {
  return deleteChosen(db, "AccountVoucherType=:kind AND RELEVANTBILLID=:bill", {{"kind", kind}, {"bill", bill}});
}

}  // namespace qj::vouchers
