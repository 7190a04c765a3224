#include "host/privileged_functions.h"

#include <algorithm>
#include <stdexcept>

#include "base/screen_table.h"

namespace qj::host {
namespace {

struct TitledScreen {
  const char* key;  // the screen's key in the package's screen table
  const char* title;
  int hostFunction = 0;  // for the host's own screens, which the package's table does not number
};

// One screen per function number; the numbers of the package's screens come
// from its screen table so that they cannot drift apart.
constexpr TitledScreen kScreens[] = {
    {"SUBJECTINFO_FRM", "会计科目"},
    {"SUBJECTINITLIST_FRM", "初始数据"},
    {"FRMCREDPRECIS", "常用摘要"},
    {"VOUCHERVOICE_FRM", "凭证录入"},
    {"SEARCHVOUCHER_FRM", "凭证查询"},
    {"FRMVOUAUADI", "凭证审核"},
    {"FRMANTIVOUADUI", "反审核"},
    {"VOUCHERLOGONACCOUNT_FRM", "凭证登帐"},
    {"VOUCHERUNLOGONACC_FRM", "反登帐"},
    {"TRANSFERPROFITLOSS_FRM", "结转损益"},
    {"AUDIEXCHANGE_FRM", "期末调汇"},
    {"PERIODENDOFF_FRM", "期末结帐"},
    {"UNCHECKOUT_FRM", "反结帐"},
    {"DIARYLIST_FRM", "现金银行日记帐"},
    {"DETAILTYPELIST_FRM", "明细分类帐"},
    {"COUNTKINDLEDGERLIST_FRM", "总分类帐"},
    {"MULTICOLUMNACCOUNT_FRM", "多栏帐"},
    {"SUBJECTCOUNTLIST_FRM", "科目汇总表"},
    {"TESTCALCULATEBALANCELIST_FRM", "试算平衡表"},
    {"CASHFLUXIONINIT_FRM", "现金流量初始数据"},
    {"OVOFLUXIONARCHIVES_FRM", "现金流量项目", base::kItemArchivePrivilegeFunction},
    {"CASHPREPARE_FRM", "现金流量表编制"},
    {"FMAIN", "自定义报表"},
};

std::vector<PrivilegedFunction> build() {
  std::vector<PrivilegedFunction> functions;
  for (const TitledScreen& screen : kScreens) {
    if (screen.hostFunction != 0) {
      functions.push_back({screen.hostFunction, screen.title});
      continue;
    }
    const base::ScreenEntry* entry = base::FindScreen(screen.key);
    if (!entry) throw std::logic_error(std::string("no screen ") + screen.key);
    functions.push_back({entry->privilege, screen.title});
  }
  return functions;
}

}  // namespace

const std::vector<PrivilegedFunction>& PrivilegedFunctions() {
  static const std::vector<PrivilegedFunction> functions = build();
  return functions;
}

const std::vector<PrivilegeAction>& PrivilegeActions() {
  static const std::vector<PrivilegeAction> actions = {{1, "打开"}, {2, "新增"},     {3, "修改"},        {4, "删除"},
                                                       {5, "执行"}, {6, "打印输出"}, {7, "设计打印样式"}};
  return actions;
}

std::string PrivilegeName(int function, int action) {
  const auto& functions = PrivilegedFunctions();
  const auto& actions = PrivilegeActions();
  const auto titled = std::find_if(functions.begin(), functions.end(),
                                   [function](const PrivilegedFunction& f) { return f.number == function; });
  const auto acted =
      std::find_if(actions.begin(), actions.end(), [action](const PrivilegeAction& a) { return a.number == action; });
  if (titled == functions.end() || acted == actions.end()) return "此项操作";
  return "“" + titled->title + "”的“" + acted->title + "”";
}

}  // namespace qj::host
