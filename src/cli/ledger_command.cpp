// qingjian-cli ledger detail|journal|general: the detail ledger, the cash and
// bank journals and the general ledger, built by the ledgers' own engine and
// written as a table, CSV, JSON, .xlsx or PDF.
#include <iostream>

#include "base/code_structure.h"
#include "cli/arguments.h"
#include "cli/book_session.h"
#include "cli/commands.h"
#include "cli/sheet_output.h"
#include "ledgers/detail_ledger.h"
#include "ledgers/general_ledger.h"
#include "ledgers/journal.h"
#include "ledgers/ledger_queries.h"
#include "ledgers/ledger_sheet.h"

namespace qj::cli {
namespace {

const std::set<std::string> kCommonOptions = {"user", "year", "from", "to", "currency", "format", "output"};

std::set<std::string> withOptions(std::set<std::string> own) {
  own.insert(kCommonOptions.begin(), kCommonOptions.end());
  return own;
}

// "--subjects A-B": either bound may be left out ("1001-", "-1002"); one code
// alone is a range of that code.
ledgers::CodeRange subjectRange(const Arguments& args) {
  const auto text = args.option("subjects");
  if (!text) return {};
  const auto dash = text->find('-');
  if (dash == std::string::npos) return {*text, *text};
  ledgers::CodeRange range{text->substr(0, dash), text->substr(dash + 1)};
  if (range.last.find('-') != std::string::npos) throw UsageError("--subjects 应为 起始科目-结束科目：" + *text);
  if (!range.first.empty() && !range.last.empty() && range.first > range.last)
    throw UsageError("起始科目不能大于结束科目：" + *text);
  return range;
}

struct Span {
  int year;
  int fromMonth;
  int toMonth;
};

// "--year", "--from" and "--to", by default the current year from its first
// month in the book to the current month.
Span spanOf(const Arguments& args, const AccountBooksData& book) {
  const ledgers::LedgerFilter defaults = ledgers::DefaultLedgerFilter(book);
  Span span{defaults.year, defaults.fromMonth, defaults.toMonth};
  if (const auto year = args.option("year")) {
    span.year = ParseInteger(*year, "--year");
    if (span.year != book.CurrYear) span.fromMonth = span.year == book.StartYear ? book.StartMonth : 1;
    if (span.year != book.CurrYear) span.toMonth = 12;
  }
  if (const auto from = args.option("from")) span.fromMonth = ParseInteger(*from, "--from");
  if (const auto to = args.option("to")) span.toMonth = ParseInteger(*to, "--to");
  return span;
}

// "--currency N": a currency of the book or 99 for every currency in local money.
int currencyOf(const Arguments& args, data::Connection& db) {
  const auto text = args.option("currency");
  if (!text) return base::kLocalCurrency;
  const int currency = ParseInteger(*text, "--currency");
  if (ledgers::CurrencyName(db, currency).empty()) throw UsageError("帐套中没有这个币别：" + *text);
  return currency;
}

SheetOutput outputFor(const Arguments& args, SheetHeading heading, std::vector<ledgers::SheetColumn> columns) {
  const SheetFormat format = ParseSheetFormat(args.option("format"), args.option("output"));
  return {format, args.option("output"), std::move(heading), std::move(columns)};
}

int runDetail(const std::vector<std::string>& words) {
  const Arguments args(words, withOptions({"subjects"}), {"unposted"});
  CliSession session("ledger detail", args, false, 1);
  const AccountBooksData& book = session.app.accountBooksData();
  data::Connection& db = session.app.FindStartupDB();
  const Span span = spanOf(args, book);
  if (const auto refusal = ledgers::ValidateLedgerFilter(book, span.year, span.fromMonth, span.toMonth))
    throw UsageError(refusal->text);
  ledgers::LedgerFilter filter{
      span.year, span.fromMonth, span.toMonth, currencyOf(args, db), args.has("unposted"), subjectRange(args)};
  const std::string currency = ledgers::CurrencyName(db, filter.currency);
  const ledgers::DetailLedgerRun run(db, base::CodeStructure(book.SubjectLevelLen), filter);
  if (run.subjects().empty()) std::cerr << "所选范围内没有科目。\n";

  SheetOutput output =
      outputFor(args,
                {"明细分类帐",
                 {ledgers::LedgerPeriodHeader(span.year, span.fromMonth, span.toMonth), "币种：" + currency},
                 ledgers::kDetailLedgerReportType},
                ledgers::LedgerColumns(ledgers::LedgerKind::Detail, filter.foreign(), true));
  for (std::size_t i = 0; i < run.subjects().size(); ++i)
    for (const auto& row : run.rows(i))
      output.add(ledgers::LedgerCells(row, run.subjects()[i], ledgers::LedgerKind::Detail, filter.foreign(), true));
  output.finish();
  return kExitOk;
}

int runJournal(const std::vector<std::string>& words) {
  const Arguments args(words, withOptions({"subject"}), {"unposted"});
  CliSession session("ledger journal", args, false, 1);
  const AccountBooksData& book = session.app.accountBooksData();
  data::Connection& db = session.app.FindStartupDB();
  const auto code = args.option("subject");
  if (!code) throw UsageError("需要用 --subject 指定现金或银行存款科目");
  const auto subjects = ledgers::JournalSubjects(db, session.app.ReservedSub());
  const auto subject = std::find_if(subjects.begin(), subjects.end(), [&](const auto& s) { return s.code == *code; });
  if (subject == subjects.end()) throw UsageError("科目 " + *code + " 不是现金或银行存款科目");
  const Span span = spanOf(args, book);
  if (const auto refusal = ledgers::ValidateLedgerFilter(book, span.year, span.fromMonth, span.toMonth))
    throw UsageError(refusal->text);
  const ledgers::LedgerFilter filter{
      span.year, span.fromMonth, span.toMonth, currencyOf(args, db), args.has("unposted"), {}};
  const std::string currency = ledgers::CurrencyName(db, filter.currency);
  const ledgers::Journal journal(db, filter, *subject);
  const base::CodeStructure structure(book.SubjectLevelLen);

  SheetOutput output = outputFor(args,
                                 {ledgers::JournalTitle(subject->code, structure, session.app.ReservedSub()),
                                  {ledgers::LedgerSubjectHeader(*subject, currency),
                                   ledgers::LedgerPeriodHeader(span.year, span.fromMonth, span.toMonth)},
                                  ledgers::kJournalReportType},
                                 ledgers::LedgerColumns(ledgers::LedgerKind::Journal, filter.foreign(), false));
  for (const auto& row : journal.rows())
    output.add(ledgers::LedgerCells(row, journal.subject(), ledgers::LedgerKind::Journal, filter.foreign(), false));
  output.finish();
  return kExitOk;
}

int runGeneral(const std::vector<std::string>& words) {
  const Arguments args(words, withOptions({"subjects", "level"}), {"no-empty"});
  CliSession session("ledger general", args, false, 1);
  const AccountBooksData& book = session.app.accountBooksData();
  data::Connection& db = session.app.FindStartupDB();
  const Span span = spanOf(args, book);
  ledgers::GeneralLedgerFilter filter;
  filter.year = span.year;
  filter.fromMonth = span.fromMonth;
  filter.toMonth = span.toMonth;
  if (const auto level = args.option("level")) filter.level = ParseInteger(*level, "--level");
  filter.currency = currencyOf(args, db);
  filter.omitIdleMonths = args.has("no-empty");
  filter.subjects = subjectRange(args);
  if (const auto refusal = ledgers::ValidateGeneralLedgerFilter(filter)) throw UsageError(refusal->text);

  const auto rows = ledgers::BuildGeneralLedger(db, base::CodeStructure(book.SubjectLevelLen), filter);
  SheetOutput output = outputFor(args,
                                 {"总分类帐",
                                  {ledgers::LedgerPeriodHeader(span.year, span.fromMonth, span.toMonth),
                                   "币种：" + ledgers::CurrencyName(db, filter.currency)},
                                  ledgers::kGeneralLedgerReportType},
                                 ledgers::GeneralLedgerColumns(filter.foreign()));
  for (const auto& row : rows) output.add(ledgers::GeneralLedgerCells(row, filter.foreign()));
  output.finish();
  return kExitOk;
}

}  // namespace

int RunLedger(const std::vector<std::string>& words) {
  if (words.empty()) throw UsageError("ledger 后应为 detail、journal 或 general");
  const std::string& verb = words.front();
  if (verb == "detail") return runDetail(words);
  if (verb == "journal") return runJournal(words);
  if (verb == "general") return runGeneral(words);
  throw UsageError("ledger 后应为 detail、journal 或 general：" + verb);
}

}  // namespace qj::cli
