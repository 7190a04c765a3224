#include "ledgers/ledger_queries.h"

#include "base/currency_ids.h"

namespace qj::ledgers {
namespace {

// Read by position, in this order.
constexpr const char* kLineSelect =
    "SELECT a.CREDID, a.CREDDATE, a.CREDNO, a.CREDCODE, a.AccountVoucherTypeID, b.FENLUNO, b.SUBJECTID, b.Precis, "
    "b.MONEYID, b.RATE, b.RAWDEBIT, b.RAWCREDIT, b.DEBIT, b.CREDIT "
    "FROM VoucherDetail b JOIN VoucherMaster a ON a.CREDID=b.CREDID ";
enum Field : std::size_t {
  CredId,
  CredDate,
  CredNo,
  CredCode,
  TypeId,
  FenLuNo,
  SubjectId,
  Summary,
  MoneyId,
  Rate,
  RawDebit,
  RawCredit,
  Debit,
  Credit
};

// The subject bounds of a range, on `column`, as SQL with its parameters.
void addCodeBounds(const CodeRange& codes, const std::string& column, std::string& sql, data::Params& params) {
  if (!codes.lineLow().empty()) {
    sql += " AND " + column + ">=:codeLow";
    params.push_back({"codeLow", codes.lineLow()});
  }
  if (const auto below = codes.lineBelow()) {
    sql += " AND " + column + "<:codeBelow";
    params.push_back({"codeBelow", *below});
  }
}

// A text column's value without copying it; "" for null.
std::string_view textOf(const data::Value& value) {
  const auto* text = std::get_if<std::string>(&value.storage());
  return text ? std::string_view(*text) : std::string_view();
}

std::map<std::int64_t, std::string> voucherTypeNames(data::Connection& db) {
  std::map<std::int64_t, std::string> names;
  for (const auto& row : db.query("SELECT ID, NAME FROM AccountVoucherType"))
    names[row.integer("ID")] = row.text("NAME");
  return names;
}

LedgerSubject subjectOf(const data::Row& row) {
  return {row.text("SUBJECTID"), row.text("NAME"), row.text("DCFLAG") != "F"};
}

}  // namespace

std::vector<LedgerSubject> LedgerSubjects(data::Connection& db, const CodeRange& range) {
  std::string sql = "SELECT SUBJECTID, NAME, DCFLAG FROM Subject WHERE 1=1";
  data::Params params;
  if (!range.first.empty()) {
    sql += " AND SUBJECTID>=:first";
    params.push_back({"first", range.first});
  }
  if (!range.last.empty()) {
    sql += " AND SUBJECTID<=:last";
    params.push_back({"last", range.last});
  }
  std::vector<LedgerSubject> subjects;
  for (const auto& row : db.query(sql + " ORDER BY SUBJECTID", params)) subjects.push_back(subjectOf(row));
  return subjects;
}

std::vector<LedgerSubject> SubjectsUnder(data::Connection& db, const std::vector<std::string>& prefixes) {
  std::vector<LedgerSubject> subjects;
  for (const auto& row : db.query("SELECT SUBJECTID, NAME, DCFLAG FROM Subject ORDER BY SUBJECTID")) {
    const std::string code = row.text("SUBJECTID");
    for (const auto& prefix : prefixes) {
      if (!prefix.empty() && code.starts_with(prefix)) {
        subjects.push_back(subjectOf(row));
        break;
      }
    }
  }
  return subjects;
}

void OpenLedgerLines(data::Connection& db, const LineSelection& selection, LedgerLines& lines) {
  const auto types = voucherTypeNames(db);
  std::string sql = std::string(kLineSelect) + "WHERE a.CREDID>=:firstId AND a.CREDID<=:lastId";
  data::Params params{{"firstId", MonthVoucherRange(selection.from).first},
                      {"lastId", MonthVoucherRange(selection.to).last}};
  if (!selection.includeUnposted) sql += " AND a.POSTFLAG='T'";
  if (selection.wholeVouchers) {
    // The vouchers are found once through the subject index; a correlated
    // EXISTS would look again for every line of the month.
    sql += " AND b.CREDID IN (SELECT c.CREDID FROM VoucherDetail c WHERE c.CREDID>=:firstId AND c.CREDID<=:lastId";
    addCodeBounds(selection.codes, "c.SUBJECTID", sql, params);
    sql += ")";
  } else {
    addCodeBounds(selection.codes, "b.SUBJECTID", sql, params);
    if (selection.currency) {
      sql += " AND COALESCE(b.MONEYID, 0)=:moneyId";
      params.push_back({"moneyId", *selection.currency});
    }
  }

  // Voucher dates repeat line after line; each text is read as a date once.
  std::string lastDateText = "-";
  Date lastDate;
  db.forEachRow(sql, params, [&](const data::Row& row) {
    const auto integer = [&row](Field field) { return data::IntegerOf(row.at(field)); };
    const auto money = [&integer](Field field) { return Money::fromUnits(integer(field)); };
    LedgerLine line;
    line.credId = data::TextOf(row.at(CredId));
    const std::string_view dateText = textOf(row.at(CredDate));
    if (dateText != lastDateText) {
      const auto period = Period::parse(std::string_view(line.credId).substr(0, 6));
      lastDate = Date::parse(dateText).value_or(period ? period->firstDay() : selection.from.firstDay());
      lastDateText = dateText;
    }
    line.date = lastDate;
    line.credNo = integer(CredNo);
    line.credCode = integer(CredCode);
    line.typeId = static_cast<std::int32_t>(integer(TypeId));
    const auto type = types.find(line.typeId);
    line.voucherNo = (type == types.end() ? std::string() : type->second) + std::to_string(line.credCode);
    line.fenLuNo = static_cast<std::int32_t>(integer(FenLuNo));
    line.subjectId = data::TextOf(row.at(SubjectId));
    line.moneyId = static_cast<std::int32_t>(integer(MoneyId));
    line.rate = money(Rate);
    line.rawDebit = money(RawDebit);
    line.rawCredit = money(RawCredit);
    line.debit = money(Debit);
    line.credit = money(Credit);
    lines.add(std::move(line), textOf(row.at(Summary)));
    return true;
  });
}

std::string CurrencyName(data::Connection& db, int moneyId) {
  if (moneyId == base::kAllCurrencies) return "综合本位币";
  const auto row = db.queryOne("SELECT NAME FROM Currency WHERE MONEYID=:moneyId", {{"moneyId", moneyId}});
  if (row && !row->text("NAME").empty()) return row->text("NAME");
  // Every book keeps its accounts in local money, named or not.
  return moneyId == base::kLocalCurrency ? "人民币" : std::string();
}

}  // namespace qj::ledgers
