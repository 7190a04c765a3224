// qingjian-cli voucher add|show|delete|import: vouchers through the rules of
// the voucher screen, every refusal printed with the voucher and line it is about.
#include <fstream>
#include <iostream>
#include <sstream>

#include "base/code_structure.h"
#include "base/product_caption.h"
#include "base/text_checks.h"
#include "cli/arguments.h"
#include "cli/book_session.h"
#include "cli/commands.h"
#include "data/db_error.h"
#include "host/user_store.h"
#include "subjects/csv_rows.h"
#include "vouchers/save_guards.h"
#include "vouchers/voucher_batch.h"
#include "vouchers/voucher_delete_rules.h"
#include "vouchers/voucher_draft.h"
#include "vouchers/voucher_import.h"
#include "vouchers/voucher_queries.h"
#include "vouchers/voucher_store.h"
#include "vouchers/voucher_types.h"

namespace qj::cli {
namespace {
// Shows a refusal after saying where it comes from: "凭证 3 第 5 行：【提示信息】...".
// A voucher is made by the user who enters it: naming another maker (vouchers
// carried over from elsewhere) is an administrator's work, and only for users
// of the book, so that nobody audits his own voucher under another name.
void checkMaker(CliSession& session, const std::optional<std::string>& maker, const std::string& which) {
  if (!maker || *maker == session.login.user) return;
  const host::UserStore users(session.app.FindStartupDB());
  if (!users.isAdministrator(session.login.user))
    throw RefusedError(which + "制单人只能是登录的用户 " + session.login.user + "；以他人（" + *maker +
                       "）名义制单需要系统管理员，没有保存任何凭证。");
  if (!users.exists(*maker)) throw RefusedError(which + "制单人 " + *maker + " 不是本帐套的用户，没有保存任何凭证。");
}

void report(CliSession& session, const std::string& where, const Refusal& refusal) {
  session.printMessages();
  if (!where.empty()) std::cout << where << "：";
  base::ShowUnderProductCaption(session.app, refusal);
  session.printMessages();
}

std::string typeNameOf(data::Connection& db, int scheme, std::int64_t typeId) {
  for (const auto& type : vouchers::OfferedVoucherTypes(db, scheme))
    if (type.id == typeId) return type.name;
  return "(" + std::to_string(typeId) + ")";
}

std::string wordAndNumber(data::Connection& db, int scheme, const vouchers::VoucherHeader& header) {
  return typeNameOf(db, scheme, header.typeId) + (header.credCode ? std::to_string(*header.credCode) : "");
}

// "摘要,科目,借方,贷方[,币种,汇率,原币]" of --line.
vouchers::DraftLine lineOf(const std::string& text, std::size_t index) {
  const auto rows = subjects::ReadCsv(text);
  const std::vector<std::string> fields = rows.empty() ? std::vector<std::string>{} : rows.front().fields;
  const std::string origin = "第 " + std::to_string(index + 1) + " 条分录";
  if (fields.size() < 4 || fields.size() > 7)
    throw UsageError(origin + " 应为 \"摘要,科目,借方,贷方[,币种,汇率,原币]\"：" + text);
  for (const std::string& field : fields)
    if (auto fault = base::TextFault(field)) throw UsageError(origin + fault->append("：").append(text));
  vouchers::DraftLine line;
  line.origin = origin;
  line.summary = fields[0];
  line.subject = fields[1];
  const auto amount = [&](std::size_t i) {
    if (i >= fields.size() || fields[i].empty()) return Money();
    try {
      return ParseEnteredAmount(fields[i]);
    } catch (const MoneyError& error) {
      throw UsageError(origin + "：" + error.what());
    }
  };
  line.debit = amount(2);
  line.credit = amount(3);
  if (fields.size() > 4 && !fields[4].empty()) line.moneyId = ParseInteger(fields[4], "--line 的币种");
  if (fields.size() > 5) line.rate = fields[5];
  line.foreign = amount(6);
  return line;
}

int add(const Arguments& args, const std::vector<std::string>& lines) {
  vouchers::VoucherDraft draft;
  const auto date = Date::parse(args.option("date").value_or(""));
  if (!date) throw UsageError("需要 --date YYYY-MM-DD");
  draft.date = *date;
  draft.type = args.option("type").value_or("");
  if (auto attachments = args.option("attachments")) draft.attachments = ParseInteger(*attachments, "--attachments");
  draft.maker = args.option("maker");
  if (lines.empty()) throw UsageError("至少需要一个 --line \"摘要,科目,借方,贷方\"");
  for (std::size_t i = 0; i < lines.size(); ++i) draft.lines.push_back(lineOf(lines[i], i));
  CliSession session("voucher add", args, false);
  checkMaker(session, draft.maker, "");
  auto book = vouchers::DraftBook::load(session.app);
  book.farDatesAllowed = args.has("far-date");
  auto result = vouchers::CheckDraft(draft, book);
  if (const auto* refused = std::get_if<vouchers::DraftRefusal>(&result)) {
    report(session, refused->line ? draft.lines[*refused->line].origin : std::string(), refused->refusal);
    return kExitRefused;
  }
  std::vector<vouchers::CheckedVoucher> ready{std::move(std::get<vouchers::CheckedVoucher>(result))};
  if (auto refusal = vouchers::StoreNewVouchers(session.app, ready)) {
    report(session, {}, *refusal);
    return kExitRefused;
  }
  const auto& header = ready.front().header;
  std::cout << "已保存凭证：" << wordAndNumber(session.app.FindStartupDB(), book.scheme, header) << "（"
            << header.credId << "）\n";
  return kExitOk;
}

std::string amountText(Money amount) { return amount.isZero() ? std::string() : amount.toString(2); }

int show(const Arguments& args) {
  const std::string& credId = args.need(2, "凭证编号 CREDID");
  CliSession session("voucher show", args, false);
  data::Connection& db = session.app.FindStartupDB();
  const AccountBooksData& account = session.app.accountBooksData();
  const auto chart = vouchers::ChartLookup::load(db, base::CodeStructure(account.SubjectLevelLen));
  const auto currencies = vouchers::Currencies::load(db);
  const auto voucher = vouchers::ReadVoucher(db, credId, chart, currencies);
  if (!voucher) {
    std::cout << "没有凭证 " << credId << "\n";
    return kExitRefused;
  }
  const auto& h = voucher->header;
  std::cout << "凭证字号：" << wordAndNumber(db, account.AccountVoucherType, h) << "\t顺序号：" << h.credNo
            << "\t日期：" << h.credDate.toString() << "\t附件：" << h.billNumber << " 张\n"
            << "制单：" << h.billMaker << "\t审核：" << h.billCheck << "\t登帐：" << h.billPost << "\n"
            << "摘要\t科目\t科目名称\t币种\t汇率\t原币\t借方\t贷方\n";
  Money debit;
  Money credit;
  for (const auto& line : voucher->lines) {
    std::cout << line.summary << '\t' << line.subjectCode << '\t' << line.subjectFullName << '\t' << line.currencyName
              << '\t' << (line.hasForeignCurrency() ? line.rate.toString() : "") << '\t'
              << amountText(line.foreignAmount) << '\t' << amountText(line.debit) << '\t' << amountText(line.credit)
              << "\n";
    debit += line.debit;
    credit += line.credit;
  }
  std::cout << "合计\t\t\t\t\t\t" << debit.toString(2) << '\t' << credit.toString(2) << "\n";
  return kExitOk;
}

int remove(const Arguments& args) {
  const std::string& credId = args.need(2, "凭证编号 CREDID");
  CliSession session("voucher delete", args, AnswerYes(args));
  data::Connection& db = session.app.FindStartupDB();
  const auto voucher = vouchers::ReadVoucher(db, credId, {}, {});
  if (!voucher) {
    std::cout << "没有凭证 " << credId << "\n";
    return kExitRefused;
  }
  if (auto refusal = vouchers::DeleteRefusal(db, voucher->header)) {
    report(session, {}, *refusal);
    return kExitRefused;
  }
  if (session.app.ShowMsgBox(vouchers::kDeleteQuestion, caption::Warning, msgbox::YesNo | msgbox::IconWarning) !=
      msgbox::IdYes)
    return kExitRefused;
  session.printMessages();
  if (vouchers::DeleteStoredVoucher(db, credId) != vouchers::DeleteOutcome::Deleted) {
    std::cout << "凭证 " << credId << " 已被其他用户审核、登帐或删除，没有删除。\n";
    return kExitRefused;
  }
  std::cout << "已删除凭证：" << credId << "\n";
  return kExitOk;
}

// The whole file in one piece of memory, read once.
std::string fileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file) throw UsageError("无法读取文件：" + path);
  std::string text(static_cast<std::size_t>(file.tellg()), '\0');
  file.seekg(0);
  if (!file.read(text.data(), static_cast<std::streamsize>(text.size()))) throw UsageError("无法读取文件：" + path);
  return text;
}

int import(const Arguments& args) {
  const std::string& path = args.need(2, "文件 FILE");
  CliSession session("voucher import", args, false);
  const std::string format = args.option("format").value_or(path.ends_with(".json") ? "json" : "csv");
  if (format != "csv" && format != "json") throw UsageError("--format 应为 csv 或 json：" + format);
  const std::string text = fileText(path);
  const auto reader = format == "json" ? vouchers::ReadVoucherJson : vouchers::ReadVoucherCsv;
  const auto read = [&](const vouchers::VoucherSink& take) {
    return reader(text, [&](const vouchers::ImportedVoucher& voucher) {
      checkMaker(session, voucher.draft.maker, "凭证 " + voucher.draft.key + "：");
      take(voucher);
    });
  };
  const vouchers::ImportOptions options{args.has("skip-bad"), args.has("far-date")};
  vouchers::ImportReport outcome;
  try {
    outcome = vouchers::ImportVouchers(session.app, read, options);
  } catch (const data::DbError& error) {
    std::cout << "保存凭证时数据库出错，已全部撤销，没有导入任何凭证：" << data::DescribeForUser(error) << "\n";
    return kExitRefused;
  }
  if (outcome.fileFault) {
    std::cout << path << "：" << outcome.fileFault->text << "\n";
    return kExitRefused;
  }
  for (const auto& rejected : outcome.rejected)
    report(session, "凭证 " + rejected.key + " " + rejected.where, rejected.refusal);
  if (outcome.storeRefusal) {
    report(session, {}, *outcome.storeRefusal);
    std::cout << "没有导入任何凭证。\n";
    return kExitRefused;
  }
  if (!outcome.rejected.empty() && !options.skipBad) {
    std::cout << "有 " << outcome.rejected.size() << " 张凭证未通过检查，没有导入任何凭证。\n";
    return kExitRefused;
  }
  if (outcome.stored.count == 0) {
    std::cout << (outcome.read == 0 ? "文件中没有凭证。\n" : "没有导入任何凭证。\n");
    return kExitRefused;
  }
  for (const auto& rejected : outcome.rejected) std::cout << "已跳过凭证 " << rejected.key << "\n";
  std::cout << "已导入 " << outcome.stored.count << " 张凭证：" << outcome.stored.first << " 至 "
            << outcome.stored.last;
  if (!outcome.rejected.empty()) std::cout << "，跳过 " << outcome.rejected.size() << " 张";
  std::cout << "。\n";
  return kExitOk;
}

}  // namespace

int RunVoucher(const std::vector<std::string>& words) {
  std::vector<std::string> rest = words;
  const std::vector<std::string> lines = TakeRepeatedOption(rest, "line");
  const Arguments args(rest, {"user", "answer", "date", "type", "attachments", "maker", "format"},
                       {"skip-bad", "far-date"});
  const std::string& action = args.need(0, "voucher 的子命令（add、show、delete、import）");
  if (action == "add") return add(args, lines);
  if (!lines.empty()) throw UsageError("--line 只用于 voucher add");
  if (action == "show") return show(args);
  if (action == "delete") return remove(args);
  if (action == "import") return import(args);
  throw UsageError("不认识的 voucher 子命令：" + action);
}

}  // namespace qj::cli
