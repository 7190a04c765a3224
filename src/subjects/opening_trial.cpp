#include "subjects/opening_trial.h"

namespace qj::subjects {

TrialFigures RunTrialBalance(data::Connection& db, const base::CodeStructure& structure) {
  ReWriteSubjectDataTotal(db, structure);
  return GrandTotalFigures(db);
}

std::string TrialBalanceMessage(const TrialFigures& figures) {
  const auto shown = [](Money amount) { return amount.grouped(); };
  std::string text = figures.balanced() ? "通过试算平衡！其中：" : "试算平衡尚未通过！其中：";
  text += "\n年初余额借方：" + shown(figures.yDebit) + "\n年初余额贷方：" + shown(figures.yCredit) +
          "\n\n本年累计借方：" + shown(figures.debit) + "\n本年累计贷方：" + shown(figures.credit) +
          "\n\n期初余额借方：" + shown(figures.mDebit) + "\n期初余额贷方：" + shown(figures.mCredit);
  if (figures.balanced()) text += "\n你可以启用该帐套．．．";
  return text;
}

std::string TrialBalanceCaption(const TrialFigures& figures) { return figures.balanced() ? "提示" : "警告"; }

}  // namespace qj::subjects
