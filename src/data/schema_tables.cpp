// The tables of an account book at the current schema version.
//
// Column names keep the spelling the rest of the program uses in its SQL; they
// are unquoted, so the server stores them in lower case.
#include <stdexcept>

#include "data/schema.h"

namespace qj::data {
namespace {

using Columns = std::vector<ColumnDef>;

constexpr bool kRequired = true;

ColumnDef Str(std::string name, int width, bool required = false) {
  return {std::move(name), ColumnType::String, width, required, false};
}
ColumnDef Small(std::string name, bool required = false) {
  return {std::move(name), ColumnType::SmallInt, 0, required, false};
}
ColumnDef Int(std::string name, bool required = false) {
  return {std::move(name), ColumnType::Integer, 0, required, false};
}
ColumnDef Big(std::string name, bool required = false) {
  return {std::move(name), ColumnType::BigInt, 0, required, false};
}
ColumnDef Amount(std::string name) { return {std::move(name), ColumnType::Money, 0, false, false}; }
ColumnDef Stamp(std::string name) { return {std::move(name), ColumnType::DateTime, 0, false, false}; }
ColumnDef Day(std::string name) { return {std::move(name), ColumnType::Date, 0, false, false}; }
ColumnDef Bytes(std::string name) { return {std::move(name), ColumnType::Bytes, 0, false, false}; }

// Several amount (or rate) columns in a row.
Columns Amounts(std::initializer_list<const char*> names) {
  Columns out;
  for (const char* name : names) out.push_back(Amount(name));
  return out;
}
Columns operator+(Columns left, const Columns& right) {
  left.insert(left.end(), right.begin(), right.end());
  return left;
}

IndexDef Index(std::string name, std::vector<std::string> parts) { return {std::move(name), std::move(parts), false}; }

// A table whose key columns are required, as every engine treats them.
TableDef Table(std::string name, Columns columns, std::vector<std::string> key = {},
               std::vector<IndexDef> indexes = {}) {
  TableDef table{std::move(name), std::move(columns), std::move(key), std::move(indexes)};
  for (const auto& keyColumn : table.primaryKey) {
    bool found = false;
    for (auto& column : table.columns) {
      if (column.name == keyColumn) {
        column.required = true;
        found = true;
      }
    }
    if (!found) throw std::logic_error("key column " + keyColumn + " is not a column of " + table.name);
  }
  return table;
}

// The opening balances and their working copy share one layout.
Columns SubjectStartColumns() {
  return Columns{Str("MNYIDSUBJECTID", 20, kRequired),
                 Small("MONEYID"),
                 Str("SUBJECTID", 18),
                 Str("NAME", 48),
                 Str("DCFLAG", 1),
                 Str("DCFLAGNAME", 2),
                 Str("DETAILFLAG", 1)} +
         Amounts({"RATE", "RAWDEBIT", "RAWCREDIT", "RAWBalance", "YRAWDEBIT", "YRAWCREDIT", "MRAWDEBIT", "MRAWCREDIT",
                  "DEBIT", "CREDIT", "Balance", "YDEBIT", "YCREDIT", "MDEBIT", "MCREDIT"}) +
         Columns{Str("REFRESHFLAG", 1), Amount("PLHAVEDONE")};
}

// The journal and detail ledger scratch lists share most of their columns.
Columns LedgerListColumns() {
  return Columns{Str("SubjectID", 18), Day("Date"), Int("CredNo"), Str("Precis", 40)} +
         Amounts({"Rate", "RawDebit", "RawCredit", "RawBalance", "Debit", "Credit", "Balance"});
}

// The sibling modules' lists that carry one subject code.
TableDef SubjectLinkTable(std::string name) {
  return Table(std::move(name), {Int("ID"), Str("NAME", 48), Str("SUBJECTID", 18)}, {"ID"});
}

std::vector<TableDef> BuildTables() {
  std::vector<TableDef> tables;

  // Chart of accounts and opening data.
  tables.push_back(Table("Subject",
                         {Str("SUBJECTID", 18, kRequired), Str("NAME", 32, kRequired), Str("DCFLAG", 1, kRequired),
                          Str("DETAILFLAG", 1, kRequired), Str("VorCash", 1), Small("VorWBFlag"), Small("MONEYID"),
                          Small("ATTRFLAG"), Str("HELPCODE", 8), Int("SPECIALEVELCODE"), Int("RELEVANTID")},
                         {"SUBJECTID"}));
  tables.push_back(Table("SubjectStartData", SubjectStartColumns(), {"MNYIDSUBJECTID"}));
  tables.push_back(Table("SubjectStartDatatemp", SubjectStartColumns(), {"MNYIDSUBJECTID"}));
  tables.push_back(Table("RateInit", {Small("MONEYID", kRequired), Amount("RATE")}, {"MONEYID"}));
  tables.push_back(
      Table("Currency", {Small("MONEYID", kRequired), Str("NAME", 10, kRequired), Amount("RATE")}, {"MONEYID"}));

  // The one row describing the book.
  tables.push_back(Table("AccountState",
                         {Str("GUID", 40, kRequired),
                          Int("POSSTOREID"),
                          Small("CORPID"),
                          Str("TAXTYPE", 1),
                          Stamp("STARTDATE"),
                          Small("CURRYEAR"),
                          Small("CURRMON"),
                          Str("MUSTCHECK", 1),
                          Str("SAMEUSER", 1),
                          Str("LAWPERSON", 48),
                          Str("BANK", 48),
                          Str("ACCOUNTS", 48),
                          Str("TAXNUMBER", 25),
                          Str("BIND", 1),
                          Small("STEP0"),
                          Small("STEP1"),
                          Small("STEP2"),
                          Small("STEP3"),
                          Small("STEP4"),
                          Small("STEP5"),
                          Small("BACKUPOPTION"),
                          Stamp("LASTDATE"),
                          Small("STATUS"),
                          Str("VERSION", 4),
                          Small("MAXLOGRECOUNT"),
                          Small("MAXLOGDAY"),
                          Str("ADDRESS", 48),
                          Str("PHONE", 16),
                          Small("POSYEAR"),
                          Small("POSMON")},
                         {"GUID"}));

  // Vouchers. A month holds up to 999999 vouchers, so the numbering queries
  // need indexes: the largest CREDID of a month is the end of a key range; the
  // largest CREDCODE of a type within a month is the end of a range of the
  // number index (month written as substr(CREDID, 1, 6)) or, for a CREDID range
  // or LIKE pattern, a range of TypeCred.
  tables.push_back(Table(
      "VoucherMaster",
      {Str("CREDID", 12, kRequired), Int("CREDNO"), Stamp("CREDDATE"), Small("BILLNUMBER"), Str("BILLMAKER", 10),
       Str("BILLCHECK", 10), Str("BILLPOST", 10), Str("CHECKFLAG", 1), Str("POSTFLAG", 1), Small("AccountVoucherType"),
       Int("RELEVANTBILLID"), Int("AccountVoucherTypeID"), Int("CREDCODE"), Stamp("UPDATETIME"), Int("PRINTSTYLEID"),
       Small("FILIALEID"), Small("TransferFlag"), Int("CarryBillID")},
      {"CREDID"},
      {Index("VoucherMaster_TypeCred", {"AccountVoucherTypeID", "CREDID"}),
       // Unnumbered vouchers (CREDCODE null) do not collide.
       IndexDef{std::string(kVoucherCodeIndex), {"AccountVoucherTypeID", "substr(CREDID, 1, 6)", "CREDCODE"}, true},
       // The vouchers made from another module's document.
       Index("VoucherMaster_Source", {"AccountVoucherType", "RELEVANTBILLID"})}));
  // Audit, posting and reverse posting each rewrite a month of headers in one
  // statement: half-empty pages let every row's new version stay on its page.
  tables.back().fillFactor = 50;
  tables.push_back(Table("VoucherDetail",
                         Columns{Str("CREDID", 12, kRequired), Small("FENLUNO", kRequired),
                                 Str("SUBJECTID", 18, kRequired), Str("Precis", 48), Small("MONEYID")} +
                             Amounts({"RATE", "RAWDEBIT", "RAWCREDIT", "DEBIT", "CREDIT"}) +
                             Columns{Small("ATTRFLAG"), Str("READONLY", 1)},
                         {"CREDID", "FENLUNO"},
                         // A subject's lines within a range of vouchers (ledgers, "used subject" checks).
                         {Index("VoucherDetail_Subject", {"SUBJECTID", "CREDID"})}));
  tables.push_back(Table("AccountVoucherType", {Int("ID"), Str("NAME", 10)}, {"ID"}));

  // Posted balances and the period-end profit-and-loss figures.
  tables.push_back(
      Table("Balance",
            Columns{Str("YEARMON", 6), Small("MONEYID"), Str("SUBJECTID", 18), Amount("RATE")} +
                Amounts({"YBRAWDEBIT", "YBRAWCREDIT", "BRAWDEBIT",  "BRAWCREDIT", "RAWDEBIT", "RAWCREDIT", "ERAWDEBIT",
                         "ERAWCREDIT", "YRAWDEBIT",   "YRAWCREDIT", "YBDEBIT",    "YBCREDIT", "BDEBIT",    "BCREDIT",
                         "DEBIT",      "CREDIT",      "EDEBIT",     "ECREDIT",    "YDEBIT",   "YCREDIT"}),
            {"YEARMON", "MONEYID", "SUBJECTID"}));
  tables.push_back(
      Table("ProfitAndLoss",
            Columns{Str("SUBJECTID", 18), Str("YEARMON", 6)} +
                Amounts({"BDEBIT", "BCREDIT", "DEBIT", "CREDIT", "EDEBIT", "ECREDIT", "YDEBIT", "YCREDIT"}),
            {"SUBJECTID", "YEARMON"}));

  // Summary phrases. The phrase screens allow 32 characters; the columns hold 48.
  tables.push_back(Table("PrecisType", {Int("PrecisTYPEID"), Str("TYPENAME", 48)}, {"PrecisTYPEID"},
                         {Index("PrecisType_Name", {"TYPENAME"})}));
  tables.push_back(Table("Precis", {Int("PrecisTYPEID"), Int("PrecisID"), Str("PrecisNAME", 48), Str("HELPCODE", 16)},
                         {"PrecisTYPEID", "PrecisID"}, {Index("Precis_Name", {"PrecisNAME"})}));

  // Cash flow.
  tables.push_back(Table(
      "Fluxion", {Str("CASHID", 12, kRequired), Str("NAME", 64, kRequired), Str("DCFLAG", 1), Str("DETAILFLAG", 1)},
      {"CASHID"}));
  tables.push_back(Table("FluxionInit", {Str("YearMon", 6), Str("CashID", 12), Amount("Debit"), Amount("Credit")},
                         {"YearMon", "CashID"}));
  tables.push_back(
      Table("FluxionDistribute",
            {Str("CREDID", 12, kRequired), Str("CASHID", 12, kRequired), Amount("DEBIT"), Amount("CREDIT")},
            {"CREDID", "CASHID"}, {Index("FluxionDistribute_Cash", {"CASHID"})}));
  tables.push_back(Table("CashSub", {Str("SubjectID", 15), Str("AllSubName", 64)}, {"SubjectID"}));

  // Multi-column ledger definitions.
  tables.push_back(Table("ManyColumn", {Int("MANYCOLUMNID"), Str("SUBJECTID", 18), Str("NAME", 48)}, {"MANYCOLUMNID"}));
  tables.push_back(
      Table("ManyColumnItem",
            {Int("MANYCOLUMNID"), Small("ITEMNO"), Str("SUBJECTID", 18), Str("DCFLAG", 1), Str("BARNAME", 48)},
            {"MANYCOLUMNID", "ITEMNO"}, {Index("ManyColumnItem_Subject", {"SUBJECTID"})}));

  // Print layouts, stored reports and the report formula guide.
  tables.push_back(Table("PrintStyle", {Int("PRINTSTYLEID"), Small("REPORTTYPE"), Str("REPORTNAME", 40), Bytes("DATA")},
                         {"PRINTSTYLEID"}));
  tables.push_back(Table("SelfDefineineRpt", {Str("FileName", 40, kRequired), Bytes("FileBlob")}, {"FileName"}));
  tables.push_back(Table("SelfDefineinePrintStyle", {Str("FILENAME", 48), Bytes("FILEBLOB")}, {"FILENAME"}));
  tables.push_back(Table(
      "FUNC", {Int("FUNCTIONID", kRequired), Str("NAME", 32), Str("FUNNAME", 64), Str("MEMO", 250), Str("USED", 1)},
      {"FUNCTIONID"}));
  tables.push_back(Table("Glossary", {Int("TERMID"), Str("NAME", 32), Str("MEMO", 250)}, {"TERMID"}));
  tables.push_back(Table("FormulaSyterm", {Int("TERMID"), Str("NAME", 16)}, {"TERMID"}));

  // The fixed-asset module's tables the ledger reads and writes.
  tables.push_back(Table(
      "FixedAssetsCard",
      Columns{Int("ID", kRequired), Int("DepreciationID"), Int("DepartmentID"), Int("FIXEASSETSUSEDTYPEID"),
              Str("SUBJECTID", 18), Int("FIXEDASSETSINCDECMODEID"), Int("FIXEDASSETSTYPEID"), Str("CREDID", 12),
              Str("CODE", 25, kRequired), Str("NAME", 48), Str("SPECTYPE", 20), Str("LOCATION", 48), Stamp("STARTDATE"),
              Int("LOADWORK"), Int("USEDAGO"), Int("USEDALL"), Str("UNIT", 16)} +
          Amounts({"RAWVALUE", "USEDVALUE", "USEDVALUEAGO", "REMAINVALUE", "REMAINRATE", "DEPRRATE", "DEPRVALUE"}) +
          Columns{Str("CLEARFLAG", 1), Str("INITFLAG", 1), Int("DEPTID")},
      {"ID"}));
  tables.push_back(Table(
      "FixedAssetsStart",
      Columns{Int("ID", kRequired)} + Amounts({"ASTDEBIT", "ASTCREDIT", "ASTBALA", "DPRDEBIT", "DPRCREDIT", "DPRBALA"}),
      {"ID"}));
  tables.push_back(
      Table("FixedAssetsSurplus",
            Columns{Int("ID", kRequired), Str("YEARMON", 6, kRequired), Int("TOTALWL"), Int("CURRWL")} +
                Amounts({"USEDVALUE", "DEPRRATE", "DEPRVALUE", "BASTDEBIT", "YASTDEBIT", "YASTCREDIT", "ASTDEBIT",
                         "ASTCREDIT", "BDPRCREDIT", "YDPRDEBIT", "YDPRCREDIT", "DPRDEBIT", "DPRCREDIT"}),
            {"ID", "YEARMON"}));
  tables.push_back(Table("LoadWork",
                         {Int("ID", kRequired), Str("YEARMON", 6, kRequired), Int("LOADWORK"), Amount("DEPRRATE"),
                          Amount("DEPRVALUE"), Str("WLFLAG", 1), Str("LOCKED", 1), Int("DeprID")},
                         {"ID", "YEARMON"}));
  tables.push_back(Table("FixedAssetsClear", {Int("ID"), Stamp("ClearDate")}, {"ID"}));

  // Scratch lists of the journal and the detail ledger: rows are filled and
  // read by one run of the list, repeated lines included, so they have no key.
  tables.push_back(Table("DILEDGER", LedgerListColumns() + Columns{Str("Month", 8), Str("Day", 8)}));
  tables.push_back(Table("DELEDGER", LedgerListColumns() + Columns{Str("Direct", 2)}));

  // Sibling modules' lists that hold subject codes.
  tables.push_back(SubjectLinkTable("Bank"));
  tables.push_back(SubjectLinkTable("Discount"));
  tables.push_back(SubjectLinkTable("IncomePayoutType"));
  tables.push_back(
      Table("CostMeans", {Int("ID"), Str("iSubjectID", 18), Str("sSubjectID", 18), Str("pSubjectID", 18)}, {"ID"}));
  tables.push_back(Table("CLIENT", {Int("ClientID"), Str("Abbreviation", 48), Str("NAME", 64)}, {"ClientID"}));
  tables.push_back(Table("VENDOR", {Int("VendorID"), Str("Abbreviation", 48), Str("NAME", 64)}, {"VendorID"}));
  tables.push_back(
      Table("EmployeeTypeLaborage",
            {Int("EmployeeTypeID"), Int("TransferCommodityID"), Str("DSubjectID", 18), Str("CSubjectID", 18)},
            {"EmployeeTypeID", "TransferCommodityID"}));

  // The host layer's users, privileges, log, book parameters, reserved subjects and key counters.
  tables.push_back(Table("HostUser", {Str("USERNAME", 32), Str("PASSWORDHASH", 255), Str("ISADMIN", 1)}, {"USERNAME"}));
  tables.push_back(Table("HostPrivilege", {Str("USERNAME", 32), Int("FUNCTIONID"), Small("ACTIONID")},
                         {"USERNAME", "FUNCTIONID", "ACTIONID"}));
  tables.push_back(Table("HostLog",
                         {ColumnDef{"LOGID", ColumnType::BigInt, 0, true, true}, Stamp("LOGTIME"), Str("USERNAME", 32),
                          Int("LOGCODE"), Str("LOGTEXT", 255)},
                         {"LOGID"}));
  tables.push_back(Table("HostBookParam", {Str("PARAMNAME", 32), Str("PARAMVALUE", 255)}, {"PARAMNAME"}));
  tables.push_back(Table("HostReservedSub", {Small("RESERVEDID"), Str("SUBJECTID", 18)}, {"RESERVEDID"}));
  tables.push_back(Table("HostKeyValue", {Str("KEYNAME", 40), Big("KEYVALUE", kRequired)}, {"KEYNAME"}));

  // The schema version; one row, keyed by the application that wrote it.
  tables.push_back(
      Table("SchemaInfo", {Int("SCHEMAVERSION", kRequired), Str("APPLICATION", 32, kRequired)}, {"APPLICATION"}));
  return tables;
}

}  // namespace

const std::vector<TableDef>& SchemaTables() {
  static const std::vector<TableDef> tables = BuildTables();
  return tables;
}

}  // namespace qj::data
