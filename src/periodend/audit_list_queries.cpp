#include "periodend/audit_list_queries.h"

#include <unordered_map>

namespace qj::periodend {
namespace {

// The columns both list queries read, over the voucher and its lines; read
// by position (a month's list may hold hundreds of thousands of lines), in
// the order of Field. The names of the subjects and voucher types come from
// memory: joined in the query, they made the server's plan hang on its
// estimate of how many vouchers a batch had just stamped, which the
// statistics of before the stamping put at one.
constexpr const char* kListSelect =
    "SELECT a.CREDID, a.AccountVoucherTypeID, a.CREDDATE, a.CREDNO, a.CREDCODE, a.CHECKFLAG, a.POSTFLAG, "
    "a.BILLMAKER, b.FENLUNO, b.Precis, b.DEBIT, b.CREDIT, b.SUBJECTID "
    "FROM VoucherMaster a JOIN VoucherDetail b ON b.CREDID=a.CREDID ";
enum Field : std::size_t {
  CredId,
  TypeId,
  CredDate,
  CredNo,
  CredCode,
  CheckFlag,
  PostFlag,
  Maker,
  FenLuNo,
  Summary,
  Debit,
  Credit,
  SubjectId
};

bool isSet(const std::string& flag) { return flag == "T" || flag == "t"; }

// The names the list shows beside the codes.
struct ListNames {
  std::unordered_map<std::int64_t, std::string> types;
  std::unordered_map<std::string, std::string> subjects;
};

ListNames readNames(data::Connection& db) {
  ListNames names;
  for (const data::Row& row : db.query("SELECT ID, NAME FROM AccountVoucherType"))
    names.types.emplace(row.integer("ID"), row.text("NAME"));
  for (const data::Row& row : db.query("SELECT SUBJECTID, NAME FROM Subject"))
    names.subjects.emplace(row.text("SUBJECTID"), row.text("NAME"));
  return names;
}

// The list's rows as the query streams them; a line whose voucher type or
// subject is missing or not in the book is not listed.
std::vector<AuditListRow> listRows(data::Connection& db, const std::string& sql, const data::Params& params) {
  const ListNames names = readNames(db);
  std::vector<AuditListRow> list;
  db.forEachRow(sql, params, [&](const data::Row& row) {
    const auto text = [&row](Field field) { return data::TextOf(row.at(field)); };
    const auto integer = [&row](Field field) { return data::IntegerOf(row.at(field)); };
    if (row.at(TypeId).isNull()) return true;
    const auto type = names.types.find(integer(TypeId));
    const auto subject = names.subjects.find(text(SubjectId));
    if (type == names.types.end() || subject == names.subjects.end()) return true;
    AuditListRow line;
    line.credId = text(CredId);
    line.typeId = type->first;
    if (!row.at(CredDate).isNull()) line.credDate = Date::parse(text(CredDate));
    line.credNo = integer(CredNo);
    line.voucherWord = type->second + text(CredCode);
    line.audited = isSet(text(CheckFlag));
    line.posted = isSet(text(PostFlag));
    line.maker = text(Maker);
    line.fenLuNo = integer(FenLuNo);
    line.summary = text(Summary);
    line.debit = Money::fromUnits(integer(Debit));
    line.credit = Money::fromUnits(integer(Credit));
    line.subjectId = subject->first;
    line.subjectName = subject->second;
    list.push_back(std::move(line));
    return true;
  });
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
    sql += "AND a.AccountVoucherTypeID=:type ";
    params.push_back({"type", *filter.typeId});
  }
  // Unaudited includes a voucher that never had a flag written.
  sql +=
      "AND a.CREDCODE>=:from AND a.CREDCODE<=:to "
      "AND (upper(COALESCE(a.CHECKFLAG, 'F'))='F' OR upper(a.CHECKFLAG)=:included) "
      "ORDER BY a.AccountVoucherTypeID, a.CREDCODE, a.CREDDATE, b.FENLUNO";
  return listRows(db, sql, params);
}

std::vector<AuditListRow> QueryStampedVouchers(data::Connection& db, const Period& period) {
  return listRows(db,
                  std::string(kListSelect) +
                      "WHERE a.CREDID LIKE :pattern AND a.UPDATETIME IS NOT NULL ORDER BY a.CREDID, b.FENLUNO",
                  {{"pattern", period.text() + "%"}});
}

bool VoucherAudited(data::Connection& db, const std::string& credId) {
  const data::Value flag =
      db.scalar("SELECT CHECKFLAG FROM VoucherMaster WHERE CREDID=:parCredID", {{"parCredID", credId}});
  return !flag.isNull() && isSet(data::TextOf(flag));
}

}  // namespace qj::periodend
