// qingjian-cli: the headless program for scripts, imports and batch work.
#include <iostream>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/login.h"
#include "host/process_memory.h"

namespace {

constexpr const char* kUsage = R"(用法：
  qingjian-cli                                 显示默认帐套的状态（首次使用时自动新建）
  qingjian-cli book create BOOK --start YYYY-MM [--levels 3,2,2,2] [--company 名称] [--scheme 1|2|3] [--no-carry-pl]
                                  [--chart standard|legacy|empty] [--subject-rule T|F]
  qingjian-cli book show [BOOK]
  qingjian-cli book options BOOK [--must-check T|F] [--same-user T|F]
  qingjian-cli user add BOOK NAME [--admin]     新用户的密码从标准输入读一行（空行表示不设密码）
  qingjian-cli user passwd BOOK NAME            新密码从标准输入读一行
  qingjian-cli user grant BOOK NAME FUNCTION ACTION
  qingjian-cli subject list BOOK [--class 1-5]
  qingjian-cli subject add BOOK CODE NAME --direction 借|贷 [--foreign 0|1|2] [--currency MONEYID]
                                  [--cash-flow 是|否] [--help-code 助记码] [--counterparty 客户或供应商编号] [--answer yes|no]
  qingjian-cli subject modify BOOK CODE [--code 新编码] [--name 名称] [--direction 借|贷] [--foreign 0|1|2] ...
  qingjian-cli subject delete BOOK CODE [--answer yes|no]
  qingjian-cli subject import BOOK FILE.csv     每行：科目编码,科目名称,余额方向,外币核算,币种,现金流量,助记码
  qingjian-cli call BOOK COMMAND [PARAM] [name=value ...] [--answer yes|no] [--date YYYY-MM-DD]
  qingjian-cli opening set BOOK SUBJECT [--currency N] [--balance X] [--debit X] [--credit X] [--pl X]
                           [--raw-balance X] [--raw-debit X] [--raw-credit X] [--answer yes|no]
                                               录入期初余额（本位币金额；--raw-* 为原币金额，本位币按汇率折算）；
                                               帐套已启用时关闭前询问是否转入总分类帐簿，--answer 给出回答（默认 yes）
  qingjian-cli opening check BOOK              试算平衡，不平衡时退出码为 2
  qingjian-cli opening show BOOK [--currency N] [--level1] [--trial]
                                               列出初始数据（--currency 99 为综合本位币，--trial 为试算平衡表）
  qingjian-cli voucher add BOOK --date YYYY-MM-DD [--type 记] [--attachments N] [--maker 制单人] [--far-date]
                           --line "摘要,科目,借方,贷方[,币种,汇率,原币]" [--line ...]
                                               按凭证登记的全部检查录入一张凭证（科目可用助记码；外币分录写原币、
                                               汇率和本位币金额，本位币须等于原币乘汇率）
  qingjian-cli voucher show BOOK CREDID        显示凭证的表头和分录
  qingjian-cli voucher delete BOOK CREDID [--answer yes|no]
  qingjian-cli voucher import BOOK FILE [--skip-bad] [--far-date] [--format csv|json]
                                               CSV 标题行：凭证,日期,凭证字,附件,制单人,摘要,科目,币种,汇率,原币,借方,贷方
                                               （凭证列相同的行为一张凭证）；JSON：[{"date":..,"type":..,"lines":[{..}]}]；
                                               有凭证未通过检查时不导入任何凭证，--skip-bad 则导入其余凭证；
                                               日期比当前会计期间晚一年以上的凭证须加 --far-date
  qingjian-cli demo generate BOOK --vouchers N --seed S [--subjects M] [--levels 4]
                                               按种子生成演示数据：M 个明细科目（含外币、现金和银行科目）和
                                               N 张平衡的凭证，记在当前期间
  qingjian-cli post BOOK [--allow-gaps]        登帐：把当前会计期间的凭证登入总分类帐户及明细分类帐户
                                               （默认发现凭证号不连续时终止登帐）
  qingjian-cli unpost BOOK                     反登帐：当前会计期间所有已登帐的凭证恢复为未登帐
  qingjian-cli carry BOOK [--opposite] [--post]
                                               结转本期损益：损益类科目的余额转入本年利润，生成机制凭证；
                                               --opposite 按与科目余额方向相反的方向结转，--post 立即登帐
  qingjian-cli fx BOOK --subject CODE [--rate N=RATE ...] [--post]
                                               期末调汇：外币余额按期末汇率（--rate 先保存）重新折算，差额记入
                                               汇兑损益科目 CODE；--post 生成的凭证即刻审核并登帐
  qingjian-cli close BOOK                      期末结帐：当前会计期间结帐，下一个月成为当前会计期间
  qingjian-cli reopen BOOK [--delete-carry] [--answer yes|no]
                                               反结帐：回到上一个已结帐的期间；--delete-carry 同时删除
                                               该期间结转本期损益产生的凭证；删除本期计提折旧凭证前询问
  qingjian-cli audit BOOK [--period YYYY-MM] [--word 记] [--range FROM-TO] [--include-audited]
                                               成批审核：以 --user 的身份审核该期间（默认当前期间）凭证字和
                                               凭证号范围内的凭证，--include-audited 也重新审核已审核的凭证
  qingjian-cli unaudit BOOK [--period YYYY-MM] [--range FROM-TO]
                                               凭证反审核：该期间顺序号范围内未登帐的凭证恢复为未审核
  qingjian-cli ledger detail BOOK [--year YYYY] [--from M] [--to M] [--subjects A-B] [--currency N|99] [--unposted]
  qingjian-cli ledger journal BOOK --subject CODE [--year YYYY] [--from M] [--to M] [--currency N|99] [--unposted]
  qingjian-cli ledger general BOOK [--year YYYY] [--from M] [--to M] [--level N] [--subjects A-B] [--currency N|99]
                                  [--no-empty]
                                               明细分类帐、现金和银行存款日记帐、总分类帐（默认当前年度至当前期间）；
                                               都可加 --format table|csv|json|xlsx|pdf 和 --output 文件
                                               （xlsx 和 pdf 须指定文件）
BOOK 为 SQLite 帐套文件的路径，或 postgresql:// 开头的数据库地址。
除 book create 外都可加 --user 用户名（默认 admin）；密码取自环境变量 QINGJIAN_PASSWORD。
)";

}  // namespace

int main(int argc, char** argv) {
  qj::host::KeepFreedMemoryForReuse();
  std::vector<std::string> words(argv + 1, argv + argc);
  try {
    if (words.empty()) return qj::cli::RunDefault();
    const std::string group = words.front();
    words.erase(words.begin());
    if (group == "book") return qj::cli::RunBook(words);
    if (group == "user") return qj::cli::RunUser(words);
    if (group == "call") return qj::cli::RunCall(words);
    if (group == "opening") return qj::cli::RunOpening(words);
    if (group == "subject") return qj::cli::RunSubject(words);
    if (group == "voucher") return qj::cli::RunVoucher(words);
    if (group == "demo") return qj::cli::RunDemo(words);
    if (group == "post") return qj::cli::RunPost(words);
    if (group == "unpost") return qj::cli::RunUnpost(words);
    if (group == "carry") return qj::cli::RunCarry(words);
    if (group == "fx") return qj::cli::RunFx(words);
    if (group == "close") return qj::cli::RunClose(words);
    if (group == "reopen") return qj::cli::RunReopen(words);
    if (group == "audit") return qj::cli::RunAudit(words);
    if (group == "unaudit") return qj::cli::RunUnaudit(words);
    if (group == "ledger") return qj::cli::RunLedger(words);
    if (group == "help" || group == "--help" || group == "-h") {
      std::cout << kUsage;
      return qj::cli::kExitOk;
    }
    throw qj::cli::UsageError("不认识的命令：" + group);
  } catch (const qj::cli::UsageError& error) {
    std::cerr << "qingjian-cli: " << error.what() << "\n\n" << kUsage;
    return qj::cli::kExitUsage;
  } catch (const qj::cli::LoginError& error) {
    std::cerr << "qingjian-cli: " << error.what() << "\n";
    return qj::cli::kExitLogin;
  } catch (const std::exception& error) {
    std::cerr << "qingjian-cli: " << error.what() << "\n";
    return qj::cli::kExitRefused;
  }
}
