#include "ledgers/ledger_queries.h"

#include <algorithm>
#include <unordered_map>

#include "base/currency_ids.h"
#include "data/dialect.h"
#include "ledgers/ledger_build.h"

namespace qj::ledgers {
namespace {

// A line's columns, read by position in this order, then its voucher's.
constexpr const char* kLineColumns =
    "b.CREDID, b.FENLUNO, b.SUBJECTID, b.Precis, b.MONEYID, b.RATE, b.RAWDEBIT, b.RAWCREDIT, b.DEBIT, b.CREDIT";
enum LineField : std::size_t { CredId, FenLuNo, SubjectId, Summary, MoneyId, Rate, RawDebit, RawCredit, Debit, Credit };
constexpr const char* kVoucherColumns = "a.CREDDATE, a.CREDCODE, a.AccountVoucherTypeID";
enum VoucherField : std::size_t { CredDate, CredCode, TypeId };

// What a line takes from its voucher.
struct VoucherHeader {
  Date date;
  std::int64_t credCode = 0;
  std::int32_t typeId = 0;
  std::string voucherNo;
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

std::map<std::int64_t, std::string> voucherTypeNames(data::Connection& db) {
  std::map<std::int64_t, std::string> names;
  for (const auto& row : db.query("SELECT ID, NAME FROM AccountVoucherType"))
    names[row.integer("ID")] = row.text("NAME");
  return names;
}

// Reads voucher headers from rows, each date text read as a date once (dates
// repeat voucher after voucher), the voucher word from the book's types.
class HeaderReader {
 public:
  HeaderReader(data::Connection& db, Period fallback) : types_(voucherTypeNames(db)), fallback_(fallback) {}

  // The header in the row's columns from `first` on, for the voucher `credId`.
  VoucherHeader read(const data::Row& row, std::size_t first, std::string_view credId) {
    VoucherHeader header;
    const std::string_view dateText = data::TextViewOf(row.at(first + CredDate));
    if (dateText.empty() || dateText != lastDateText_) {
      const auto date = Date::parse(dateText);
      if (date) {
        lastDate_ = *date;
        lastDateText_ = dateText;
      }
      header.date = date ? *date : fallbackFor(credId);
    } else {
      header.date = lastDate_;
    }
    header.credCode = data::IntegerOf(row.at(first + CredCode));
    header.typeId = static_cast<std::int32_t>(data::IntegerOf(row.at(first + TypeId)));
    const auto type = types_.find(header.typeId);
    header.voucherNo = (type == types_.end() ? std::string() : type->second) + std::to_string(header.credCode);
    return header;
  }

 private:
  // A voucher without a readable date stands on the first day of its month.
  [[nodiscard]] Date fallbackFor(std::string_view credId) const {
    const auto period = Period::parse(credId.substr(0, std::min<std::size_t>(6, credId.size())));
    return (period ? *period : fallback_).firstDay();
  }

  std::map<std::int64_t, std::string> types_;
  Period fallback_;
  std::string lastDateText_;
  Date lastDate_;
};

// Adds the line in the row's first columns, with its voucher's header.
void addLine(const data::Row& row, const VoucherHeader& header, LedgerLines& lines) {
  const auto money = [&row](LineField field) { return data::MoneyOf(row.at(field)); };
  LedgerLine line;
  line.credId = data::TextViewOf(row.at(CredId));
  line.date = header.date;
  line.credCode = header.credCode;
  line.typeId = header.typeId;
  line.voucherNo = header.voucherNo;
  line.fenLuNo = static_cast<std::int32_t>(data::IntegerOf(row.at(FenLuNo)));
  line.subjectId = data::TextViewOf(row.at(SubjectId));
  line.summary = data::TextViewOf(row.at(Summary));
  line.moneyId = static_cast<std::int32_t>(data::IntegerOf(row.at(MoneyId)));
  line.rate = money(Rate);
  line.rawDebit = money(RawDebit);
  line.rawCredit = money(RawCredit);
  line.debit = money(Debit);
  line.credit = money(Credit);
  lines.add(line);
}

// Whether the range holds at most a tenth of the book's subjects, and so,
// lines spreading over subjects much as they do, a small part of the lines.
bool smallPartOfChart(data::Connection& db, const CodeRange& codes) {
  std::string sql = "SELECT (SELECT COUNT(*) FROM Subject) AS allSubjects, COUNT(*) AS inRange FROM Subject WHERE 1=1";
  data::Params params;
  addCodeBounds(codes, "SUBJECTID", sql, params);
  const auto counts = db.queryOne(sql, params);
  return counts->integer("inRange") * 10 <= counts->integer("allSubjects");
}

LedgerSubject subjectOf(const data::Row& row) {
  return {row.text("SUBJECTID"), row.text("NAME"), GetSubjectSide(row.text("DCFLAG"))};
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
  HeaderReader headers(db, selection.from);
  const data::Params months{{"firstId", MonthVoucherRange(selection.from).first},
                            {"lastId", MonthVoucherRange(selection.to).last}};
  data::Params params = months;
  const bool bounded = !selection.codes.lineLow().empty() || selection.codes.lineBelow();
  std::string currency;
  if (selection.currency && !selection.wholeVouchers) {
    currency = " AND COALESCE(b.MONEYID, 0)=:moneyId";
    params.push_back({"moneyId", *selection.currency});
  }

  if (!bounded && !selection.wholeVouchers) {
    // Every subject: the months' headers are read once, then their lines
    // alone, instead of finding each line's voucher again.
    std::unordered_map<std::string, VoucherHeader> byId;
    db.forEachRow(std::string("SELECT a.CREDID, ") + kVoucherColumns +
                      " FROM VoucherMaster a WHERE a.CREDID>=:firstId AND a.CREDID<=:lastId" +
                      (selection.includeUnposted ? "" : " AND a.POSTFLAG='T'"),
                  months, [&](const data::Row& row) {
                    std::string credId = data::TextOf(row.at(0));
                    VoucherHeader header = headers.read(row, 1, credId);
                    byId.emplace(std::move(credId), std::move(header));
                    return true;
                  });
    const VoucherHeader* last = nullptr;
    std::string lastId;
    db.forEachRow(std::string("SELECT ") + kLineColumns +
                      " FROM VoucherDetail b WHERE b.CREDID>=:firstId AND b.CREDID<=:lastId" + currency,
                  params, [&](const data::Row& row) {
                    const std::string_view credId = data::TextViewOf(row.at(CredId));
                    if (!last || credId != lastId) {
                      lastId = credId;
                      const auto found = byId.find(lastId);
                      last = found == byId.end() ? nullptr : &found->second;
                    }
                    if (last) addLine(row, *last, lines);  // a line without its (posted) voucher is not read
                    return true;
                  });
    return;
  }

  std::string sql = std::string("SELECT ") + kLineColumns + ", " + kVoucherColumns +
                    " FROM VoucherDetail b JOIN VoucherMaster a ON a.CREDID=b.CREDID"
                    " WHERE a.CREDID>=:firstId AND a.CREDID<=:lastId";
  if (!selection.includeUnposted) sql += " AND a.POSTFLAG='T'";
  if (selection.wholeVouchers) {
    // The vouchers are found once through the subject index; a correlated
    // EXISTS would look again for every line of the month. A range's
    // subjects are named from the chart, so that the index is searched by
    // subject and voucher range together instead of over every month of
    // each subject in the range.
    sql += " AND b.CREDID IN (SELECT c.CREDID FROM VoucherDetail c WHERE c.CREDID>=:firstId AND c.CREDID<=:lastId";
    if (bounded) {
      std::string subjects = "SELECT s.SUBJECTID FROM Subject s WHERE 1=1";
      addCodeBounds(selection.codes, "s.SUBJECTID", subjects, params);
      sql += " AND c.SUBJECTID IN (" + subjects + ")";
    }
    sql += ")";
  } else {
    std::string lineCondition = "b.CREDID>=:firstId AND b.CREDID<=:lastId";
    addCodeBounds(selection.codes, "b.SUBJECTID", lineCondition, params);
    sql += " AND " + (smallPartOfChart(db, selection.codes)
                          ? data::FewRowsInStoredOrderSql(db.engine(), "VoucherDetail", "b", lineCondition)
                          : lineCondition);
    sql += currency;
  }
  constexpr std::size_t kHeaderAt = Credit + 1;
  // A voucher's lines come one after another: its header is read once.
  std::optional<VoucherHeader> header;
  std::string headerOf;
  db.forEachRow(sql, params, [&](const data::Row& row) {
    const std::string_view credId = data::TextViewOf(row.at(CredId));
    if (!header || credId != headerOf) {
      header = headers.read(row, kHeaderAt, credId);
      headerOf = credId;
    }
    addLine(row, *header, lines);
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
