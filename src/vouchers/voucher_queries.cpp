#include "vouchers/voucher_queries.h"

#include "data/period.h"

namespace qj::vouchers {

namespace {

std::optional<std::int64_t> optionalInteger(const data::Row& row, const char* column) {
  if (row.isNull(column)) return std::nullopt;
  return row.integer(column);
}

VoucherHeader headerOf(const data::Row& row) {
  VoucherHeader header;
  header.credId = row.text("CREDID");
  header.credNo = row.integer("CREDNO");
  header.typeId = row.integer("AccountVoucherTypeID");
  header.credCode = optionalInteger(row, "CREDCODE");
  if (const auto date = row.date("CREDDATE")) {
    header.credDate = *date;
  } else if (const auto period = Period::parse(header.credId.substr(0, 6))) {
    header.credDate = period->firstDay();
  }
  header.billNumber = static_cast<int>(row.integer("BILLNUMBER"));
  header.billMaker = row.text("BILLMAKER");
  header.billCheck = row.text("BILLCHECK");
  header.billPost = row.text("BILLPOST");
  header.checked = row.flag("CHECKFLAG");
  header.posted = row.flag("POSTFLAG");
  header.sourceKind = row.isNull("AccountVoucherType")
                          ? std::nullopt
                          : std::optional<int>(static_cast<int>(row.integer("AccountVoucherType")));
  header.relevantBillId = optionalInteger(row, "RELEVANTBILLID");
  header.printStyleId = row.integer("PRINTSTYLEID");
  return header;
}

}  // namespace

std::optional<StoredVoucher> ReadVoucher(data::Connection& db, const std::string& credId, const ChartLookup& chart,
                                         const Currencies& currencies) {
  const auto master = db.queryOne(
      "SELECT CREDID, CREDNO, AccountVoucherTypeID, CREDCODE, CREDDATE, BILLNUMBER, BILLMAKER, BILLCHECK, BILLPOST, "
      "CHECKFLAG, POSTFLAG, AccountVoucherType, RELEVANTBILLID, PRINTSTYLEID FROM VoucherMaster WHERE CREDID=:id",
      {{"id", credId}});
  if (!master) return std::nullopt;
  StoredVoucher voucher{headerOf(*master), {}, false};
  const auto fill = [&](AmountBuffer& buffer, Money value) {
    if (auto built = AmountBuffer::fromValue(value))
      buffer = *built;
    else
      voucher.oversizedAmount = true;
  };
  for (const auto& row : db.query(
           "SELECT SUBJECTID, Precis, MONEYID, RATE, RAWDEBIT, RAWCREDIT, DEBIT, CREDIT, READONLY FROM VoucherDetail "
           "WHERE CREDID=:id ORDER BY FENLUNO",
           {{"id", credId}})) {
    VoucherLine line;
    line.summary = row.text("Precis");
    line.subjectCode = row.text("SUBJECTID");
    if (const ChartSubject* subject = chart.find(line.subjectCode)) {
      line.subjectFullName = subject->fullName;
      line.foreignMode = subject->foreignMode;
      line.cashFlow = subject->cashFlow;
    }
    line.readOnly = row.flag("READONLY");
    line.moneyId = static_cast<int>(row.integer("MONEYID"));
    line.rate = row.money("RATE");
    if (line.hasForeignCurrency()) {
      const Currency* currency = currencies.find(line.moneyId);
      if (currency != nullptr) line.currencyName = currency->name;
    }
    line.debit = row.money("DEBIT");
    line.credit = row.money("CREDIT");
    const Money rawDebit = row.money("RAWDEBIT");
    line.foreignAmount = rawDebit.isZero() ? row.money("RAWCREDIT") : rawDebit;
    if (line.hasForeignCurrency()) line.foreignSide = line.debit.isZero() ? ForeignSide::Credit : ForeignSide::Debit;
    fill(line.debitBuffer, line.debit);
    fill(line.creditBuffer, line.credit);
    fill(line.foreignBuffer, line.foreignAmount);
    voucher.lines.push_back(std::move(line));
  }
  return voucher;
}

StoredFlags ReadStoredFlags(data::Connection& db, const std::string& credId) {
  const auto row = db.queryOne("SELECT CHECKFLAG, POSTFLAG FROM VoucherMaster WHERE CREDID=:id", {{"id", credId}});
  if (!row) return {};
  return {row->flag("CHECKFLAG"), row->flag("POSTFLAG")};
}

std::optional<std::string> StoredCredIdBefore(data::Connection& db, const std::string& credId) {
  const auto row =
      db.queryOne("SELECT CREDID FROM VoucherMaster WHERE CREDID<:id ORDER BY CREDID DESC LIMIT 1", {{"id", credId}});
  if (!row) return std::nullopt;
  return row->text("CREDID");
}

std::optional<std::string> StoredCredIdAfter(data::Connection& db, const std::string& credId) {
  const auto row =
      db.queryOne("SELECT CREDID FROM VoucherMaster WHERE CREDID>:id ORDER BY CREDID LIMIT 1", {{"id", credId}});
  if (!row) return std::nullopt;
  return row->text("CREDID");
}

std::optional<FixedAssetCard> ReadFixedAssetCard(data::Connection& db, std::int64_t cardId) {
  const auto row = db.queryOne("SELECT CLEARFLAG FROM FixedAssetsCard WHERE ID=:id", {{"id", cardId}});
  if (!row) return std::nullopt;
  return FixedAssetCard{row->flag("CLEARFLAG")};
}

}  // namespace qj::vouchers
