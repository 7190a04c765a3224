#include "periodend/audit_list_queries.h"

namespace qj::periodend {
namespace {

// The columns both list queries read, over the voucher, its lines, their
// subjects and the voucher's type; read by position (a month's list may hold
// hundreds of thousands of lines), in the order of Field.
constexpr const char* kListSelect =
    "SELECT a.CREDID, a.AccountVoucherTypeID, a.CREDDATE, a.CREDNO, a.CREDCODE, a.CHECKFLAG, a.POSTFLAG, "
    "a.BILLMAKER, d.NAME, b.FENLUNO, b.Precis, b.DEBIT, b.CREDIT, c.SUBJECTID, c.NAME "
    "FROM VoucherMaster a JOIN VoucherDetail b ON b.CREDID=a.CREDID JOIN Subject c ON c.SUBJECTID=b.SUBJECTID "
    "JOIN AccountVoucherType d ON d.ID=a.AccountVoucherTypeID ";
enum Field : std::size_t {
  CredId,
  TypeId,
  CredDate,
  CredNo,
  CredCode,
  CheckFlag,
  PostFlag,
  Maker,
  TypeName,
  FenLuNo,
  Summary,
  Debit,
  Credit,
  SubjectId,
  SubjectName
};

bool isSet(const std::string& flag) { return flag == "T" || flag == "t"; }

std::vector<AuditListRow> rowsOf(const data::Rows& rows) {
  std::vector<AuditListRow> list;
  list.reserve(rows.size());
  for (const auto& row : rows) {
    const auto text = [&row](Field field) { return data::TextOf(row.at(field)); };
    const auto integer = [&row](Field field) { return data::IntegerOf(row.at(field)); };
    AuditListRow line;
    line.credId = text(CredId);
    line.typeId = integer(TypeId);
    if (!row.at(CredDate).isNull()) line.credDate = Date::parse(text(CredDate));
    line.credNo = integer(CredNo);
    line.voucherWord = text(TypeName) + text(CredCode);
    line.audited = isSet(text(CheckFlag));
    line.posted = isSet(text(PostFlag));
    line.maker = text(Maker);
    line.fenLuNo = integer(FenLuNo);
    line.summary = text(Summary);
    line.debit = Money::fromUnits(integer(Debit));
    line.credit = Money::fromUnits(integer(Credit));
    line.subjectId = text(SubjectId);
    line.subjectName = text(SubjectName);
    list.push_back(std::move(line));
  }
  return list;
}

}  // namespace

std::vector<AuditListRow> QueryAuditList(data::Connection& db, const AuditFilter& filter) {
  std::string sql = std::string(kListSelect) + "WHERE a.CREDID LIKE :pattern ";
  data::Params params{{"pattern", filter.credIdPattern()},
                      {"from", filter.fromCode},
                      {"to", filter.toCode},
                      {"included", filter.includeAudited ? "T" : "F"}};
  if (filter.typeId) {
    sql += "AND d.ID=:type ";
    params.push_back({"type", *filter.typeId});
  }
  // Unaudited includes a voucher that never had a flag written.
  sql +=
      "AND a.CREDCODE>=:from AND a.CREDCODE<=:to "
      "AND (upper(COALESCE(a.CHECKFLAG, 'F'))='F' OR upper(a.CHECKFLAG)=:included) "
      "ORDER BY d.ID, a.CREDCODE, a.CREDDATE, b.FENLUNO";
  return rowsOf(db.query(sql, params));
}

std::vector<AuditListRow> QueryStampedVouchers(data::Connection& db, const Period& period) {
  return rowsOf(db.query(std::string(kListSelect) +
                             "WHERE a.CREDID LIKE :pattern AND a.UPDATETIME IS NOT NULL ORDER BY a.CREDID, b.FENLUNO",
                         {{"pattern", period.text() + "%"}}));
}

bool VoucherAudited(data::Connection& db, const std::string& credId) {
  const data::Value flag =
      db.scalar("SELECT CHECKFLAG FROM VoucherMaster WHERE CREDID=:parCredID", {{"parCredID", credId}});
  return !flag.isNull() && isSet(data::TextOf(flag));
}

}  // namespace qj::periodend
