// qingjian-cli demo generate: demonstration data, the same for the same seed,
// stored through the rules and the save path of hand-entered vouchers.
#include <iostream>

#include "base/host_lock.h"
#include "base/product_caption.h"
#include "cli/arguments.h"
#include "cli/book_session.h"
#include "cli/commands.h"
#include "data/db_error.h"
#include "vouchers/demo_data.h"
#include "vouchers/save_guards.h"
#include "vouchers/voucher_batch.h"
#include "vouchers/voucher_draft.h"

namespace qj::cli {
namespace {

std::int64_t number(const Arguments& args, const std::string& option, std::int64_t fallback, std::int64_t least,
                    std::int64_t most) {
  const auto text = args.option(option);
  if (!text) return fallback;
  try {
    std::size_t used = 0;
    const long long value = std::stoll(*text, &used);
    if (used == text->size() && value >= least && value <= most) return value;
  } catch (const std::exception&) {
  }
  throw UsageError("--" + option + " 应为 " + std::to_string(least) + " 到 " + std::to_string(most) + " 之间的整数：" +
                   *text);
}

int generate(const Arguments& args) {
  if (!args.option("vouchers") || !args.option("seed")) throw UsageError("需要 --vouchers N 和 --seed S");
  const auto count = static_cast<int>(number(args, "vouchers", 0, 0, 999999));
  const auto seed = static_cast<std::uint64_t>(number(args, "seed", 0, 0, INT64_MAX));
  const auto subjects = static_cast<int>(number(args, "subjects", 0, 0, 100000));
  const auto levels = static_cast<int>(number(args, "levels", 4, 1, 9));
  CliSession session("demo generate", args, false);
  data::Connection& db = session.app.FindStartupDB();
  vouchers::DemoRandom random(seed);
  if (auto refusal = vouchers::SaveRightRefusal(session.app, true)) {
    base::ShowUnderProductCaption(session.app, *refusal);
    return kExitRefused;
  }
  // The subjects and the vouchers are stored together or not at all, under
  // the save lock from the first subject to the last voucher.
  const base::HostLock lock(session.app, base::kVoucherSaveLock);
  if (!lock) {
    base::ShowUnderProductCaption(session.app, vouchers::SaveLockBusyRefusal(session.app));
    return kExitRefused;
  }
  try {
    data::Transaction transaction(db);
    int added = 0;
    if (subjects > 0) {
      added = vouchers::AddDemoChart(db, session.app.accountBooksData(),
                                     vouchers::CashBankSubjectsOf(session.app.ReservedSub()), random, subjects, levels);
    }
    const auto book = vouchers::DraftBook::load(session.app);
    const auto drafts = vouchers::DemoVouchers(db, book, random, count);
    if (drafts.size() != static_cast<std::size_t>(count)) {
      std::cout << "帐套中没有可用的明细科目，不能生成凭证。\n";
      return kExitRefused;
    }
    std::vector<vouchers::CheckedVoucher> ready;
    ready.reserve(drafts.size());
    std::size_t lines = 0;
    for (const auto& draft : drafts) {
      auto result = vouchers::CheckDraft(draft, book);
      if (auto* refused = std::get_if<vouchers::DraftRefusal>(&result)) {
        std::cout << "生成的凭证 " << draft.key << " 未通过检查：";
        base::ShowUnderProductCaption(session.app, refused->refusal);
        return kExitRefused;
      }
      ready.push_back(std::move(std::get<vouchers::CheckedVoucher>(result)));
      lines += ready.back().lines.size();
    }
    if (auto refusal = vouchers::WriteNewVouchers(db, ready)) {
      base::ShowUnderProductCaption(session.app, *refusal);
      return kExitRefused;
    }
    transaction.commit();
    std::cout << "已增加 " << added << " 个科目，生成 " << ready.size() << " 张凭证（" << lines << " 条分录）";
    if (!ready.empty()) std::cout << "：" << ready.front().header.credId << " 至 " << ready.back().header.credId;
    std::cout << "。\n";
  } catch (const data::DbError& error) {
    std::cout << "生成演示数据时数据库出错，已全部撤销：" << data::DescribeForUser(error) << "\n";
    return kExitRefused;
  }
  return kExitOk;
}

}  // namespace

int RunDemo(const std::vector<std::string>& words) {
  const Arguments args(words, {"user", "vouchers", "seed", "subjects", "levels"}, {});
  const std::string& action = args.need(0, "demo 的子命令（generate）");
  if (action == "generate") return generate(args);
  throw UsageError("不认识的 demo 子命令：" + action);
}

}  // namespace qj::cli
