#include "desktop/month_home_model.h"

#include <optional>

#include "base/screen_work.h"
#include "desktop/main_caption.h"
#include "host/host_application.h"
#include "periodend/month_status_queries.h"

namespace qj::desktop {
namespace {

constexpr const char* kNoneToAudit = "本月没有待审核的凭证。";
constexpr const char* kNoneToPost = "本月没有可以登帐的凭证。";
constexpr const char* kAuditFirst = "本月的凭证须先审核，才能登帐。";
constexpr const char* kPostFirst = "本月尚有凭证未登帐，请先登帐。";
constexpr const char* kAlreadyCarried = "本月损益已经结转。";
constexpr const char* kNoCarry = "本帐套的行业期末不结转损益。";
constexpr const char* kCarryFirst = "请先结转本月损益。";

struct StepDefinition {
  const char* key;
  const char* title;
};
constexpr StepDefinition kSteps[] = {
    {"VOUCHERVOICE_FRM", "填制凭证"},       {"FRMVOUAUADI", "审核凭证"},      {"VOUCHERLOGONACCOUNT_FRM", "凭证登帐"},
    {"TRANSFERPROFITLOSS_FRM", "结转损益"}, {"AUDIEXCHANGE_FRM", "期末调汇"}, {"PERIODENDOFF_FRM", "期末结帐"},
};
constexpr StepDefinition kLedgers[] = {
    {"DIARYLIST_FRM", "现金银行日记帐"},
    {"DETAILTYPELIST_FRM", "明细分类帐"},
    {"COUNTKINDLEDGERLIST_FRM", "总分类帐"},
    {"SUBJECTCOUNTLIST_FRM", "科目汇总表"},
    {"TESTCALCULATEBALANCELIST_FRM", "试算平衡表"},
    {"CASHPREPARE_FRM", "现金流量表"},
    {"FMAIN", "自定义报表"},
};

// Why the month's state keeps a step closed; nothing when it may run.
std::optional<std::string> stateRefusal(const std::string& key, const periodend::MonthVoucherCounts& counts,
                                        bool mustCheck, bool needCarry) {
  if (key == "FRMVOUAUADI" && counts.unaudited == 0) return kNoneToAudit;
  if (key == "VOUCHERLOGONACCOUNT_FRM" && counts.postable == 0)
    return mustCheck && counts.unposted > 0 ? kAuditFirst : kNoneToPost;
  const bool endOfMonth = key == "TRANSFERPROFITLOSS_FRM" || key == "AUDIEXCHANGE_FRM" || key == "PERIODENDOFF_FRM";
  if (endOfMonth && counts.unposted > 0) return kPostFirst;
  if (key == "TRANSFERPROFITLOSS_FRM" && !needCarry) return kNoCarry;
  if (key == "TRANSFERPROFITLOSS_FRM" && counts.carried) return kAlreadyCarried;
  if (key == "PERIODENDOFF_FRM" && needCarry && !counts.carried) return kCarryFirst;
  return std::nullopt;
}

HomeStep step(host::HostApplication& host, const ScreenAvailability& available, const StepDefinition& definition,
              const std::optional<std::string>& stateReason) {
  HomeStep made{definition.key, definition.title, false, {}};
  if (auto refusal = ScreenRefusal(host, available, definition.key))
    made.reason = *refusal;
  else if (stateReason)
    made.reason = *stateReason;
  made.enabled = made.reason.empty();
  return made;
}

}  // namespace

MonthHome BuildMonthHome(host::HostApplication& host, const ScreenAvailability& available) {
  const AccountBooksData& book = host.accountBooksData();
  MonthHome home;
  home.company = book.CompanyName;
  home.period = CurrentPeriodText(book);
  std::optional<periodend::MonthVoucherCounts> counts;
  base::ReportFailures(host, [&] {
    counts = periodend::CountMonthVouchers(host.FindStartupDB(), Period{book.CurrYear, book.CurrMon}, book.MustCheck);
  });
  for (const StepDefinition& ledger : kLedgers) home.ledgers.push_back(step(host, available, ledger, std::nullopt));
  if (!counts) {
    for (const StepDefinition& definition : kSteps)
      home.steps.push_back({definition.key, definition.title, false, "帐套数据读取失败。"});
    return home;
  }
  home.facts.push_back("本月凭证 " + std::to_string(counts->vouchers) + " 张，未审核 " +
                       std::to_string(counts->unaudited) + " 张，未登帐 " + std::to_string(counts->unposted) + " 张");
  home.facts.push_back(!book.NeedCarryPL ? "损益：本帐套的行业期末不结转损益"
                       : counts->carried ? "损益：本月损益已经结转"
                                         : "损益：本月损益尚未结转");
  const bool closable = counts->unposted == 0 && (counts->carried || !book.NeedCarryPL);
  home.facts.push_back(closable ? "结帐：本月可以结帐"
                                : "结帐：" + std::string(counts->unposted > 0 ? "尚有凭证未登帐" : "损益尚未结转") +
                                      "，暂不能结帐");
  for (const StepDefinition& definition : kSteps)
    home.steps.push_back(
        step(host, available, definition, stateRefusal(definition.key, *counts, book.MustCheck, book.NeedCarryPL)));
  return home;
}

}  // namespace qj::desktop
