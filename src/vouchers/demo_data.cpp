#include "vouchers/demo_data.h"

#include <array>
#include <string>

#include "subjects/add_subject.h"
#include "subjects/chart_rules.h"
#include "subjects/subject_store.h"
#include "vouchers/demo_data_store.h"

namespace qj::vouchers {

namespace {

struct DemoCurrency {
  int moneyId;
  const char* name;
  const char* rate;
};
constexpr std::array<DemoCurrency, 4> kCurrencies{{
    {1, "美元", "6.8000"},
    {2, "欧元", "9.1000"},
    {3, "日元", "0.0620"},
    {4, "港币", "0.8800"},
}};

constexpr std::array kPlaces{"北京", "上海", "广州", "深圳", "杭州", "南京", "成都", "武汉", "西安", "天津"};
constexpr std::array kKinds{"分公司", "门店", "仓库", "项目部", "事业部", "客户", "供应商", "车间"};
constexpr std::array kBanks{"工商银行", "建设银行", "农业银行", "中国银行", "招商银行", "交通银行"};
constexpr std::array kSummaries{"提取备用金",     "支付办公用品费", "收到货款",   "支付货款",    "报销差旅费",
                                "计提本月工资",   "支付水电费",     "销售商品",   "采购原材料",  "收回应收账款",
                                "支付银行手续费", "结转销售成本",   "预付房租",   "支付广告费",  "收到投资款",
                                "归还短期借款",   "计提折旧",       "缴纳增值税", "支付运输费",  "收到利息收入",
                                "发放职工福利",   "支付招待费",     "领用原材料", "产品完工入库"};

void addCurrencies(data::Connection& db) {
  for (const DemoCurrency& currency : kCurrencies) {
    if (CurrencyStored(db, currency.moneyId)) continue;
    InsertCurrency(db, {currency.moneyId, currency.name, Money::parse(currency.rate)});
  }
}

std::vector<subjects::Subject> levelOneSubjects(data::Connection& db, const base::CodeStructure& structure) {
  std::vector<subjects::Subject> result;
  for (int k = 1; k <= 5; ++k)
    for (auto& subject : subjects::ClassSubjects(db, k))
      if (structure.levelOf(subject.code) == 1) result.push_back(std::move(subject));
  return result;
}

// The name, currency and cash-flow flag of a new sub-account: bank accounts
// under the bank subject (every third in a foreign currency), cash accounts
// under the cash subject, elsewhere places and kinds of business, now and
// then kept in any currency.
subjects::SubjectDraft draftUnder(const subjects::Subject& parent, const std::string& segment,
                                  const CashBankSubjects& cashBank, DemoRandom& random, int serial) {
  subjects::SubjectDraft draft;
  draft.segment = segment;
  draft.debit = parent.debit;
  draft.cashFlow = parent.cashFlow;
  const std::string number = std::to_string(serial);
  // Below a foreign-currency account every account keeps its currency.
  draft.foreignCurrency = parent.foreignCurrency;
  draft.moneyId = parent.moneyId;
  if (parent.code.starts_with(cashBank.bank)) {
    draft.name = std::string(kBanks[random.below(kBanks.size())]) + number;
    if (draft.foreignCurrency == subjects::foreign::None && random.chance(33)) {
      const DemoCurrency& currency = kCurrencies[random.below(kCurrencies.size())];
      draft.name += std::string(currency.name) + "户";
      draft.foreignCurrency = subjects::foreign::Single;
      draft.moneyId = currency.moneyId;
    }
  } else if (parent.code.starts_with(cashBank.cash)) {
    draft.name = std::string(kPlaces[random.below(kPlaces.size())]) + "备用金" + number;
  } else {
    draft.name = std::string(kPlaces[random.below(kPlaces.size())]) + kKinds[random.below(kKinds.size())] + number;
    if (draft.foreignCurrency == subjects::foreign::None && random.chance(8))
      draft.foreignCurrency = subjects::foreign::All;
  }
  return draft;
}

// The first type of the book's scheme whose cash and bank rules the lines pass.
std::string typeFitting(const VoucherDraft& draft, const DraftBook& book) {
  std::vector<TypedLine> typed;
  typed.reserve(draft.lines.size());
  for (const DraftLine& line : draft.lines) typed.push_back({line.subject, line.debit, line.credit});
  for (const VoucherType& type : book.types)
    if (!CheckVoucherTypeSubjects(typed, type.id, book.scheme, book.cashBank)) return type.name;
  return {};
}

}  // namespace

int AddDemoChart(data::Connection& db, const AccountBooksData& account, const CashBankSubjects& cashBank,
                 DemoRandom& random, int totalSubjects, int levels) {
  const auto rules = subjects::ChartRules::Of(account);
  data::Transaction transaction(db);
  addCurrencies(db);
  std::vector<subjects::Subject> open = levelOneSubjects(db, rules.structure);
  int count = CountSubjects(db);
  int added = 0;
  // The cash and bank subjects get their accounts first, as a real book's would.
  std::vector<std::string> first;
  for (const auto& subject : open) {
    if (subject.code == cashBank.cash) first.insert(first.end(), 2, subject.code);
    if (subject.code == cashBank.bank) first.insert(first.end(), 6, subject.code);
  }
  while (count < totalSubjects && !open.empty()) {
    std::size_t pick = random.below(open.size());
    if (!first.empty()) {
      for (std::size_t i = 0; i < open.size(); ++i)
        if (open[i].code == first.back()) pick = i;
      first.pop_back();
    }
    const subjects::Subject parent = open[pick];
    const auto plan = subjects::CheckAddUnder(db, rules, parent);
    const auto* ordinary = std::get_if<subjects::AddPlan>(&plan);
    if (ordinary == nullptr || ordinary->kind != subjects::AddKind::Ordinary || ordinary->proposedSegment.empty() ||
        ordinary->takesOverData) {
      open.erase(open.begin() + static_cast<std::ptrdiff_t>(pick));
      continue;
    }
    const auto draft = draftUnder(parent, ordinary->proposedSegment, cashBank, random, added + 1);
    if (subjects::StoreNewSubject(db, rules, *ordinary, draft, false)) {
      open.erase(open.begin() + static_cast<std::ptrdiff_t>(pick));
      continue;
    }
    ++added;
    ++count;
    if (ordinary->level < levels) {
      if (auto child = subjects::FindSubject(db, parent.code + draft.segment)) open.push_back(std::move(*child));
    }
  }
  transaction.commit();
  return added;
}

std::vector<VoucherDraft> DemoVouchers(data::Connection& db, const DraftBook& book, DemoRandom& random, int count) {
  std::vector<const ChartSubject*> cashBank;
  std::vector<const ChartSubject*> local;
  std::vector<const ChartSubject*> foreign;
  for (const std::string& subjectId : SubjectCodesInOrder(db)) {
    const ChartSubject* subject = book.chart.find(subjectId);
    if (subject == nullptr || !subject->detail) continue;
    const std::string& code = subject->code;
    // A subject of a currency the book lacks can take no line.
    if (subject->foreignMode == 1 && subject->moneyId != 0 && !book.currencies.find(subject->moneyId)) continue;
    if (code.starts_with(book.cashBank.cash) || code.starts_with(book.cashBank.bank))
      cashBank.push_back(subject);
    else if (subject->foreignMode != 0)
      foreign.push_back(subject);
    else
      local.push_back(subject);
  }
  std::vector<VoucherDraft> drafts;
  if (local.empty()) return drafts;
  const int days = GetLastDay(book.currentPeriod.year, book.currentPeriod.month);
  // 1 to `most` fen.
  const auto fen = [&](std::uint64_t most) {
    return Money::fromUnits(static_cast<std::int64_t>(1 + random.below(most)) * 100);
  };
  drafts.reserve(static_cast<std::size_t>(count));
  for (int n = 0; n < count; ++n) {
    VoucherDraft draft;
    draft.key = std::to_string(n + 1);
    draft.date = Date(book.currentPeriod.year, book.currentPeriod.month, static_cast<int>(1 + random.below(days)));
    draft.attachments = static_cast<int>(random.below(5));
    const std::string summary = kSummaries[random.below(kSummaries.size())];
    const auto lines = static_cast<int>(2 + random.below(7));
    const bool withCash = !cashBank.empty() && random.chance(50);
    Money balance;  // debits less credits of the lines so far
    for (int i = 0; i + 1 < lines; ++i) {
      DraftLine line;
      line.summary = summary;
      const bool debit = i == 0 || random.chance(50);
      const ChartSubject* subject = nullptr;
      if (withCash && i == 1)
        subject = cashBank[random.below(cashBank.size())];
      else if (!foreign.empty() && random.chance(15))
        subject = foreign[random.below(foreign.size())];
      else
        subject = local[random.below(local.size())];
      line.subject = subject->code;
      const Currency* currency = nullptr;
      if (subject->foreignMode == 1) {
        currency = book.currencies.find(subject->moneyId);
      } else if (subject->foreignMode == 2 && !book.currencies.list().empty()) {
        currency = &book.currencies.list()[random.below(book.currencies.list().size())];
      }
      Money amount = fen(5000000);  // 0.01 to 50,000.00
      if (currency != nullptr && currency->moneyId != 0) {
        line.moneyId = currency->moneyId;
        line.foreign = amount + Money::fromInteger(100);  // at least 100 units: never 0.00 in local money
        amount = line.foreign.times(currency->rate, 2);
      }
      (debit ? line.debit : line.credit) = amount;
      balance += debit ? amount : -amount;
      draft.lines.push_back(std::move(line));
    }
    DraftLine closing;
    closing.summary = summary;
    closing.subject = local[random.below(local.size())]->code;
    if (balance.isNegative())
      closing.debit = -balance;
    else
      closing.credit = balance;
    // Lines that balance already (only ever two or more) need no closing line.
    if (!balance.isZero()) draft.lines.push_back(std::move(closing));
    draft.type = typeFitting(draft, book);
    drafts.push_back(std::move(draft));
  }
  return drafts;
}

}  // namespace qj::vouchers
