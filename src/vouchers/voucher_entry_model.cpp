#include "vouchers/voucher_entry_model.h"

#include <algorithm>
#include <variant>

#include "base/code_structure.h"
#include "base/product_caption.h"
#include "base/screen_work.h"
#include "vouchers/entry_limits.h"
#include "vouchers/far_date.h"
#include "vouchers/identifier_collision.h"
#include "vouchers/phrase_text.h"
#include "vouchers/save_guards.h"
#include "vouchers/voucher_numbering_queries.h"
#include "vouchers/voucher_queries.h"
#include "vouchers/voucher_types.h"

namespace qj::vouchers {

namespace {

constexpr const char* kShareLockRefused = "其他用户正在独占帐务操作，不能进行凭证制作。";
constexpr const char* kReadOnlyLine = "当前分录为系统制作的只读分录，不可修改或删除。";
constexpr const char* kUnderAudit = "不可以修改正在被审核的凭证。";
constexpr const char* kAuditedVoucher = "该张凭证已经审核，不可再修改";
constexpr const char* kPostedVoucher = "该张凭证已经登帐，不可再修改";
constexpr const char* kNotAnAmountCell = "请先把光标移到借方、贷方或外币金额栏，再填入计算结果。";
constexpr const char* kNoAddRight = "你没有新增的权限,所做的修改不能保存!";
constexpr const char* kNoModifyRight = "你没有修改的权限,所做的修改不能保存!";
constexpr const char* kUnsavedQuestion = "凭证数据未保存，是否保存?";

constexpr int kPhraseOpenAction = 1;

Refusal warning(const char* text) { return {text, caption::Info, msgbox::IconWarning}; }

std::optional<AmountColumn> amountColumnOf(Column column) {
  switch (column) {
    case Column::Debit:
      return AmountColumn::Debit;
    case Column::Credit:
      return AmountColumn::Credit;
    case Column::Foreign:
      return AmountColumn::Foreign;
    default:
      return std::nullopt;
  }
}

bool isDigitKey(Key key) { return key >= Key::Digit0 && key <= Key::Digit9; }

bool allDigits(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The serial of a twelve-character identifier.
std::int64_t serialOf(const std::string& credId) { return std::stoll(credId.substr(6)); }

}  // namespace

VoucherEntryModel::VoucherEntryModel(HostServices& host, VoucherEntryOptions options)
    : host_(host), db_(host.FindStartupDB()), options_(std::move(options)) {}

VoucherEntryModel::~VoucherEntryModel() = default;

bool VoucherEntryModel::attempt(const std::function<bool()>& work) {
  // A database error goes to the host's handler, any other failure (a stored
  // identifier another module wrote badly, an amount out of range) to a
  // message box; either way the screen carries on.
  bool done = false;
  base::ReportFailures(host_, [&] { done = work(); });
  return done;
}

bool VoucherEntryModel::refuse(const Refusal& refusal) {
  Show(host_, refusal);
  return false;
}

void VoucherEntryModel::beep() {
  if (options_.beep) options_.beep();
}

std::optional<Refusal> VoucherEntryModel::storedStateRefusal() const {
  if (header_.posted) return Refusal{kPostedVoucher};
  if (header_.checked && !options_.auditMode) return Refusal{kAuditedVoucher};
  return std::nullopt;
}

std::optional<Refusal> VoucherEntryModel::voucherChangeRefusal() const {
  if (auto refusal = storedStateRefusal()) return refusal;
  if (!changesAllowed_) return Refusal{kUnderAudit};
  return std::nullopt;
}

std::optional<Refusal> VoucherEntryModel::lineChangeRefusal() const {
  if (auto refusal = storedStateRefusal()) return refusal;
  if (lines_[currentLine_].readOnly) return Refusal{kReadOnlyLine};
  if (!changesAllowed_) return Refusal{kUnderAudit};
  return std::nullopt;
}

Period VoucherEntryModel::currentPeriod() const {
  const AccountBooksData& book = host_.accountBooksData();
  return {book.CurrYear, book.CurrMon};
}

Period VoucherEntryModel::startPeriod() const {
  const AccountBooksData& book = host_.accountBooksData();
  return {book.StartYear, book.StartMonth};
}

void VoucherEntryModel::showFailure(const CheckFailure& failure) {
  Show(host_, failure.refusal);
  if (failure.line) currentLine_ = *failure.line;
  currentColumn_ = failure.column;
}

// ---- Opening and showing vouchers ----

bool VoucherEntryModel::open(const std::string& credId) {
  shareLock_.emplace(host_, base::kLedgerShareLock);
  if (!*shareLock_) {
    shareLock_.reset();
    base::ShowUnderProductCaption(host_, {kShareLockRefused, base::kProductCaption});
    return false;
  }
  const bool opened = attempt([&] {
    const AccountBooksData& book = host_.accountBooksData();
    types_.clear();
    for (const VoucherType& type : OfferedVoucherTypes(db_, book.AccountVoucherType))
      types_.push_back({type.id, type.name});
    currencies_ = Currencies::load(db_);
    chart_ = ChartLookup::load(db_, base::CodeStructure(book.SubjectLevelLen));
    return credId.empty() ? startNewVoucher() : showStored(credId);
  });
  if (!opened) shareLock_.reset();
  return opened;
}

bool VoucherEntryModel::startNewVoucher() {
  const Date date = host_.OvoBillTime();
  const Period period = Period::ofDate(date);
  const auto credId = NextCredId(db_, period);
  if (!credId) return refuse(MonthFullRefusal());
  VoucherHeader header;
  header.credId = *credId;
  header.credNo = serialOf(*credId);
  header.typeId = DefaultVoucherType(db_, currentPeriod(), host_.accountBooksData().AccountVoucherType);
  header.credDate = date;
  header.credCode = NextTypeCode(db_, period, header.typeId);
  header.billMaker = host_.asUserName();
  storedCredId_.clear();
  allocationCredId_.clear();
  display(std::move(header), {});
  return true;
}

bool VoucherEntryModel::showStored(const std::string& credId) {
  auto voucher = ReadVoucher(db_, credId, chart_, currencies_);
  if (!voucher) return startNewVoucher();
  storedCredId_ = credId;
  allocationCredId_ = credId;
  display(std::move(voucher->header), std::move(voucher->lines));
  if (voucher->oversizedAmount) Show(host_, AmountBuffer::overflowRefusal());
  return true;
}

void VoucherEntryModel::display(VoucherHeader header, std::vector<VoucherLine> lines) {
  header_ = std::move(header);
  lines_ = std::move(lines);
  if (lines_.empty()) lines_.emplace_back();
  currentLine_ = 0;
  currentColumn_ = Column::Summary;
  pendingSubject_.reset();
  pendingRate_.reset();
  const Totals totals = LineTotals(lines_);
  debitTotal_ = totals.debit;
  creditTotal_ = totals.credit;
  headerModified_ = false;
  linesModified_ = false;
  changesAllowed_ =
      !options_.auditMode || (host_.accountBooksData().CredCheckEdit && host_.asUserName() == header_.billMaker);
}

// ---- What the screen shows ----

std::string VoucherEntryModel::typeName() const {
  const auto found =
      std::find_if(types_.begin(), types_.end(), [&](const TypeChoice& type) { return type.id == header_.typeId; });
  return found == types_.end() ? std::string() : found->name;
}

bool VoucherEntryModel::cellReadOnly(std::size_t line, Column column) const {
  if (line >= lines_.size() || lines_[line].readOnly || voucherChangeRefusal()) return true;
  if (column == Column::Currency) return lines_[line].foreignMode != 2;
  if (column == Column::Rate) return !lines_[line].hasForeignCurrency();
  return false;
}

bool VoucherEntryModel::showsSourceDocument() const {
  return options_.allowSourceDocuments && !isNew() && header_.sourceKind && *header_.sourceKind < 100 &&
         header_.relevantBillId && *header_.relevantBillId != 0;
}

// ---- Keys and moves ----

bool VoucherEntryModel::pressKey(Key key) {
  switch (key) {
    case Key::Up:
      return moveUp();
    case Key::Down:
      return moveDown(false);
    case Key::Enter:
      return moveRightward();
    case Key::F2:
      return save();
    case Key::F3:
      return balanceLine();
    case Key::F5:
      return swapLine();
    case Key::F9:
      return newVoucher();
    default:
      break;
  }
  const auto column = amountColumnOf(currentColumn_);
  if (!column) return false;
  AmountBuffer& buffer = lines_[currentLine_].buffer(*column);
  if (key == Key::Left) {
    buffer.moveLeft();
    return true;
  }
  if (key == Key::Right) {
    buffer.moveRight();
    return true;
  }
  return typeAmount(*column, key);
}

std::optional<Refusal> VoucherEntryModel::amountCellRefusal(AmountColumn column) const {
  if (auto refusal = lineChangeRefusal()) return refusal;
  const VoucherLine& line = lines_[currentLine_];
  switch (column) {
    case AmountColumn::Debit:
      if (line.hasForeignCurrency()) return warning("外币金额请在外币栏输入");
      if (line.creditBuffer.hasNonZeroDigit()) return warning("贷方栏已有金额数据，\r\n不可再在借方栏输入");
      break;
    case AmountColumn::Credit:
      if (line.hasForeignCurrency()) return warning("外币金额请在外币栏输入");
      if (line.debitBuffer.hasNonZeroDigit()) return warning("借方栏已有金额数据，\r\n不可再在贷方栏输入");
      break;
    case AmountColumn::Foreign:
      if (!line.hasForeignCurrency()) return warning("人民币金额请在借方栏或贷方栏输入");
      break;
  }
  return std::nullopt;
}

bool VoucherEntryModel::putAmount(Money value) {
  const auto column = amountColumnOf(currentColumn_);
  if (!column) return refuse({kNotAnAmountCell, caption::Notice});
  if (auto refusal = amountCellRefusal(*column)) return refuse(*refusal);
  if (OverDigitLimit(value)) return refuse(Refusal{kDigitLimitMessage});
  const auto buffer = AmountBuffer::fromValue(value);
  if (!buffer) return refuse(AmountBuffer::overflowRefusal());
  VoucherLine next = lines_[currentLine_];
  next.buffer(*column) = *buffer;
  return applyResult(RecomputeFromBuffer(next, *column));
}

bool VoucherEntryModel::typeAmount(AmountColumn column, Key key) {
  if (auto refusal = amountCellRefusal(column)) return refuse(*refusal);
  const VoucherLine& line = lines_[currentLine_];
  VoucherLine next = line;
  AmountBuffer& buffer = next.buffer(column);
  if (isDigitKey(key)) {
    if (buffer.cursor() < AmountBuffer::kFirstDecimal) {
      if (buffer.integerFull()) {
        beep();
        return false;
      }
      if (OverDigitLimit(line.debit) || OverDigitLimit(line.credit)) return refuse(Refusal{kDigitLimitMessage});
    }
    buffer.typeDigit(static_cast<int>(key) - static_cast<int>(Key::Digit0));
  } else if (key == Key::Point) {
    buffer.pointToDecimals();
  } else if (key == Key::Minus) {
    buffer.toggleSign();
  } else if (key == Key::Backspace) {
    buffer.backspace();
  } else if (key == Key::Delete) {
    buffer.deleteDigit();
  } else {
    return false;
  }
  return applyResult(RecomputeFromBuffer(next, column));
}

bool VoucherEntryModel::moveTo(std::size_t line, Column column) {
  if (line >= lines_.size() || !columnShown(column)) return false;
  if (line == currentLine_ && column == currentColumn_) return true;
  if (!leaveCell()) return false;
  currentLine_ = line;
  currentColumn_ = column;
  return true;
}

bool VoucherEntryModel::columnShown(Column column) const {
  const bool foreign = column == Column::Currency || column == Column::Rate || column == Column::Foreign;
  return !foreign || foreignColumnsShown_;
}

bool VoucherEntryModel::moveDown(bool toFirstColumn) {
  if (!leaveCell()) return false;
  if (auto failure = LineCheck(lines_[currentLine_], chart_)) {
    failure->line = currentLine_;
    showFailure(*failure);
    return false;
  }
  if (currentLine_ + 1 == lines_.size()) lines_.push_back(lineAfter(currentLine_));
  ++currentLine_;
  if (toFirstColumn) currentColumn_ = Column::Summary;
  return true;
}

bool VoucherEntryModel::moveUp() {
  if (!leaveCell()) return false;
  if (currentLine_ == 0) return false;
  // A trailing line that holds nothing but the summary carried down goes away.
  const VoucherLine& last = lines_.back();
  if (currentLine_ + 1 == lines_.size() && last.subjectCode.empty() && last.debitBuffer.empty() &&
      last.creditBuffer.empty() && last.foreignBuffer.empty() && last.summary == lines_[currentLine_ - 1].summary)
    lines_.pop_back();
  --currentLine_;
  return true;
}

bool VoucherEntryModel::moveRightward() {
  if (currentColumn_ == Column::Credit) return moveDown(true);
  auto next = static_cast<Column>(static_cast<int>(currentColumn_) + 1);
  while (!columnShown(next)) next = static_cast<Column>(static_cast<int>(next) + 1);
  return moveTo(currentLine_, next);
}

VoucherLine VoucherEntryModel::lineAfter(std::size_t index) const {
  VoucherLine line;
  line.summary = lines_[index].summary;
  return line;
}

bool VoucherEntryModel::leaveCell() {
  if (currentColumn_ == Column::Subject && pendingSubject_) return commitSubject(*pendingSubject_);
  if (currentColumn_ == Column::Rate && pendingRate_) return commitRate();
  return true;
}

// ---- Line changes ----

void VoucherEntryModel::replaceLine(VoucherLine line) {
  if (line == lines_[currentLine_]) return;
  lines_[currentLine_] = std::move(line);
  const Totals totals = LineTotals(lines_);
  debitTotal_ = totals.debit;
  creditTotal_ = totals.credit;
  linesModified_ = true;
}

bool VoucherEntryModel::applyResult(LineResult result) {
  if (auto* refusal = std::get_if<Refusal>(&result)) return refuse(*refusal);
  replaceLine(std::get<VoucherLine>(std::move(result)));
  return true;
}

bool VoucherEntryModel::editSummary(const std::string& text) {
  currentColumn_ = Column::Summary;
  if (auto refusal = lineChangeRefusal()) return refuse(*refusal);
  VoucherLine next = lines_[currentLine_];
  next.summary = FirstCharacters(text, kSummaryCharacters);
  replaceLine(std::move(next));
  return true;
}

bool VoucherEntryModel::chooseSummary() {
  if (!host_.HasOvoPrivilege2(kPhrasePrivilegeFunction, kPhraseOpenAction, true)) return false;
  if (auto refusal = lineChangeRefusal()) return refuse(*refusal);
  if (!options_.choosePhrase) return false;
  const auto phrase = options_.choosePhrase();
  if (!phrase) return false;
  return editSummary(*phrase);
}

bool VoucherEntryModel::editSubjectText(const std::string& text) {
  currentColumn_ = Column::Subject;
  if (auto refusal = lineChangeRefusal()) return refuse(*refusal);
  if (text == lines_[currentLine_].subjectCode) {
    pendingSubject_.reset();
    return true;
  }
  pendingSubject_ = text;
  // Looked up silently as the user types: a detail subject is taken at once.
  const ChartSubject* subject = text.empty() ? nullptr : chart_.resolve(text);
  if (subject != nullptr && subject->detail) {
    takeSubject(*subject);
    if (subject->code == text) pendingSubject_.reset();
  }
  return true;
}

bool VoucherEntryModel::chooseSubject() {
  if (auto refusal = lineChangeRefusal()) return refuse(*refusal);
  if (!options_.pickSubject) return false;
  const auto code = options_.pickSubject();
  if (!code) return false;
  currentColumn_ = Column::Subject;
  return commitSubject(*code);
}

bool VoucherEntryModel::commitSubject(const std::string& text) {
  const ChartSubject* subject = chart_.resolve(text);
  if (auto refusal = chart_.detailRefusal(subject != nullptr ? subject->code : text)) {
    currentColumn_ = Column::Subject;
    return refuse(*refusal);
  }
  pendingSubject_.reset();
  if (subject->code != lines_[currentLine_].subjectCode) takeSubject(*subject);
  return true;
}

void VoucherEntryModel::takeSubject(const ChartSubject& subject) {
  VoucherLine next = lines_[currentLine_];
  next.subjectCode = subject.code;
  next.subjectFullName = subject.fullName;
  next.foreignMode = subject.foreignMode;
  next.cashFlow = subject.cashFlow;
  const Currency* currency = nullptr;
  if (subject.foreignMode == 1 && subject.moneyId != 0) {
    currency = currencies_.find(subject.moneyId);
    // Without its currency the line stays in local currency rather than
    // carrying a foreign currency with no rate.
    if (currency == nullptr) Show(host_, {"指定的核算外币不存在", caption::Error, msgbox::IconError});
  }
  const int moneyId = currency != nullptr ? currency->moneyId : 0;
  if (moneyId != next.moneyId) next = WithCurrency(next, currency);
  replaceLine(std::move(next));
}

bool VoucherEntryModel::chooseCurrency(int moneyId) {
  if (auto refusal = lineChangeRefusal()) return refuse(*refusal);
  const VoucherLine& line = lines_[currentLine_];
  if (line.foreignMode != 2) return false;
  const Currency* currency = moneyId == 0 ? nullptr : currencies_.find(moneyId);
  if (moneyId != 0 && currency == nullptr) return false;
  if (moneyId != line.moneyId) replaceLine(WithCurrency(line, currency));
  return true;
}

bool VoucherEntryModel::editRate(const std::string& text) {
  currentColumn_ = Column::Rate;
  if (auto refusal = lineChangeRefusal()) return refuse(*refusal);
  const VoucherLine& line = lines_[currentLine_];
  if (!line.hasForeignCurrency()) return false;
  // Text on its way to a rate ("", ".", "6.") waits for the cell to be left.
  const auto rate = RateOf(text);
  if (!rate || std::holds_alternative<Refusal>(*rate)) {
    pendingRate_ = text;
    return true;
  }
  pendingRate_.reset();
  return applyResult(WithRate(line, std::get<Money>(*rate)));
}

bool VoucherEntryModel::commitRate() {
  const std::string text = *pendingRate_;
  const VoucherLine& line = lines_[currentLine_];
  const auto rate = RateOf(text);
  if (!rate) {
    // An emptied rate is refilled from the currency list.
    pendingRate_.reset();
    const Currency* currency = currencies_.find(line.moneyId);
    if (!line.hasForeignCurrency() || currency == nullptr) return true;
    return applyResult(WithRate(line, currency->rate));
  }
  if (auto* refusal = std::get_if<Refusal>(&*rate)) return refuse(*refusal);
  pendingRate_.reset();
  return applyResult(WithRate(line, std::get<Money>(*rate)));
}

bool VoucherEntryModel::insertLine() {
  if (auto refusal = voucherChangeRefusal()) return refuse(*refusal);
  if (!leaveCell()) return false;
  if (auto failure = LineCheck(lines_[currentLine_], chart_)) {
    failure->line = currentLine_;
    showFailure(*failure);
    return false;
  }
  VoucherLine line = currentLine_ == 0 ? VoucherLine() : lineAfter(currentLine_ - 1);
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(currentLine_), std::move(line));
  currentColumn_ = Column::Summary;
  return true;
}

bool VoucherEntryModel::removeLine() {
  if (auto refusal = lineChangeRefusal()) return refuse(*refusal);
  pendingSubject_.reset();
  pendingRate_.reset();
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(currentLine_));
  if (lines_.empty()) lines_.emplace_back();
  currentLine_ = std::min(currentLine_, lines_.size() - 1);
  const Totals totals = LineTotals(lines_);
  debitTotal_ = totals.debit;
  creditTotal_ = totals.credit;
  linesModified_ = true;
  return true;
}

bool VoucherEntryModel::balanceLine() {
  // Under audit nothing changes, not even the read-only flag.
  if (auto refusal = voucherChangeRefusal()) return refuse(*refusal);
  if (!leaveCell()) return false;
  VoucherLine line = lines_[currentLine_];
  if (debitTotal_ != creditTotal_) line.readOnly = false;
  if (line.readOnly) return refuse(Refusal{kReadOnlyLine});
  return applyResult(BalanceAgainstOthers(line, debitTotal_, creditTotal_));
}

bool VoucherEntryModel::swapLine() {
  if (auto refusal = lineChangeRefusal()) return refuse(*refusal);
  return applyResult(SwapSides(lines_[currentLine_]));
}

// ---- Header ----

bool VoucherEntryModel::setDate(const Date& date) {
  if (auto refusal = lineChangeRefusal()) return refuse(*refusal);
  if (date == header_.credDate) return true;
  const Period period = Period::ofDate(date);
  if (period == Period::ofDate(header_.credDate)) {
    header_.credDate = date;
    headerModified_ = true;
    return true;
  }
  if (IsFarAhead(date, currentPeriod()) && !Confirm(host_, FarAheadQuestion(date, currentPeriod()))) return false;
  return attempt([&] {
    const auto credId = NextCredId(db_, period);
    if (!credId) return refuse(MonthFullRefusal());
    // A new voucher and a stored one alike take the new month's number within
    // their type; a stored voucher moved back to its own month gets its own again.
    const std::int64_t credCode = NextTypeCode(db_, period, header_.typeId, storedCredId_);
    header_.credId = *credId;
    header_.credNo = serialOf(*credId);
    header_.credCode = credCode;
    header_.credDate = date;
    headerModified_ = true;
    return true;
  });
}

bool VoucherEntryModel::setCredNoText(const std::string& text) {
  if (auto refusal = voucherChangeRefusal()) return refuse(*refusal);
  if (!allDigits(text)) return refuse({"顺序号只能为整数，请重新输入!", caption::Notice});
  // Anything longer than the identifier holds is out of range all the same.
  const std::int64_t credNo = text.size() > 7 ? kMaxVoucherSerial + 1 : std::stoll(text);
  if (credNo == header_.credNo) return true;
  header_.credNo = credNo;
  header_.credId = header_.credId.substr(0, 6) + IntToStr(credNo, 6);
  headerModified_ = true;
  return true;
}

bool VoucherEntryModel::setType(std::int64_t typeId) {
  if (auto refusal = voucherChangeRefusal()) return refuse(*refusal);
  if (typeId == header_.typeId) return true;
  return attempt([&] {
    header_.credCode = NextTypeCode(db_, Period::ofDate(header_.credDate), typeId, storedCredId_);
    header_.typeId = typeId;
    headerModified_ = true;
    return true;
  });
}

bool VoucherEntryModel::setBillNumber(int count) {
  if (auto refusal = voucherChangeRefusal()) return refuse(*refusal);
  if (auto refusal = BillNumberRefusal(count)) return refuse(*refusal);
  if (count == header_.billNumber) return true;
  header_.billNumber = count;
  headerModified_ = true;
  return true;
}

// ---- Moving between vouchers ----

LeaveDecision VoucherEntryModel::leaveVoucher() {
  if (!modified() && !pendingSubject_) return LeaveDecision::Proceed;
  const VoucherLine& first = lines_.front();
  if (lines_.size() == 1 && !pendingSubject_ && first.summary.empty() && first.subjectCode.empty() &&
      first.debit.isZero() && first.credit.isZero() && first.foreignAmount.isZero())
    return LeaveDecision::Proceed;
  if (isNew() && !host_.HasOvoPrivilege2(kVoucherPrivilegeFunction, kVoucherAddAction, false)) {
    refuse(Refusal{kNoAddRight});
    return LeaveDecision::Proceed;
  }
  if (!isNew() && !host_.HasOvoPrivilege2(kVoucherPrivilegeFunction, kVoucherEditAction, false)) {
    refuse(Refusal{kNoModifyRight});
    return LeaveDecision::Proceed;
  }
  const int answer = host_.ShowMsgBox(kUnsavedQuestion, caption::Question, msgbox::YesNoCancel | msgbox::IconQuestion);
  if (answer == msgbox::IdNo) return LeaveDecision::Proceed;
  if (answer == msgbox::IdYes && save()) return LeaveDecision::Proceed;
  return LeaveDecision::Stay;
}

bool VoucherEntryModel::newVoucher() {
  if (leaveVoucher() == LeaveDecision::Stay) return false;
  return attempt([&] { return startNewVoucher(); });
}

bool VoucherEntryModel::previousVoucher() {
  return attempt([&] {
    const auto previous = StoredCredIdBefore(db_, isNew() ? header_.credId : storedCredId_);
    if (!previous) return false;
    if (leaveVoucher() == LeaveDecision::Stay) return false;
    return showStored(*previous);
  });
}

bool VoucherEntryModel::nextVoucher() {
  return attempt([&] {
    const auto next = StoredCredIdAfter(db_, isNew() ? header_.credId : storedCredId_);
    if (!next && options_.auditMode) return false;
    if (leaveVoucher() == LeaveDecision::Stay) return false;
    return next ? showStored(*next) : startNewVoucher();
  });
}

bool VoucherEntryModel::showVoucher(const std::string& credId) {
  if (leaveVoucher() == LeaveDecision::Stay) return false;
  return attempt([&] { return showStored(credId); });
}

// ---- Save ----

SaveReadiness VoucherEntryModel::checkForSave() {
  if (auto refusal = SaveRightRefusal(host_, isNew())) {
    refuse(*refusal);
    return SaveReadiness::Refused;
  }
  if (typeName().empty() || !header_.credCode) {
    refuse({"凭证字号不能为空.", caption::Notice});
    return SaveReadiness::Refused;
  }
  if (!modified() && !pendingSubject_) return SaveReadiness::NothingChanged;
  const bool ready = attempt([&] {
    if (pendingSubject_) {
      currentColumn_ = Column::Subject;
      if (!commitSubject(*pendingSubject_)) return false;
    }
    checkedFlags_ = isNew() ? StoredFlags{} : ReadStoredFlags(db_, storedCredId_);
    const SaveCheckInput input{header_,         lines_,        currentLine_,       {debitTotal_, creditTotal_},
                               currentPeriod(), startPeriod(), options_.auditMode, checkedFlags_};
    if (auto failure = FirstFailedSaveCheck(input, chart_)) {
      showFailure(*failure);
      return false;
    }
    if (auto reset = takeIdentifierReset()) {
      base::ShowUnderProductCaption(host_, reset->message);
      return false;
    }
    return true;
  });
  return ready ? SaveReadiness::Ready : SaveReadiness::Refused;
}

}  // namespace qj::vouchers
