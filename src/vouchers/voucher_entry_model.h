// The voucher entry screen ("凭证登记") without its widgets: the voucher on
// display, its lines and their digit buffers, the current cell, the totals
// and every rule of typing, moving and checking, driven by the events the
// screen forwards. The Qt screen draws what this model holds, forwards keys,
// edits and buttons, and repaints after each call. Refusals and questions go
// through the host's message box; a beep goes to the beeper the screen gives.
//
// Saving stores header, lines and the allocation's identifier together under
// the save lock CREDWLOCK; the other buttons delete, audit, allocate the
// voucher's cash lines to cash-flow items and show its source document.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/host_lock.h"
#include "data/date.h"
#include "data/money.h"
#include "data/period.h"
#include "hostapi/host_services.h"
#include "vouchers/chart_lookup.h"
#include "vouchers/currencies.h"
#include "vouchers/entry_checks.h"
#include "vouchers/identifier_collision.h"
#include "vouchers/line_amounts.h"
#include "vouchers/save_guards.h"
#include "vouchers/voucher_header.h"
#include "vouchers/voucher_line.h"

namespace qj::vouchers {

// Shows the summary phrase chooser: the chosen phrase, or nothing on Cancel.
using PhraseChooser = std::function<std::optional<std::string>()>;
// Shows the chart's subject chooser: the chosen code, or nothing on Cancel.
using SubjectPicker = std::function<std::optional<std::string>()>;
// Sounds the bell for a refused digit.
using Beeper = std::function<void()>;
// Shows the cash-flow allocation editor for the voucher stored under this
// allocation identifier and the amount its cash lines move.
using AllocationEditor = std::function<void(const std::string& credId, Money cashAmount)>;

// Keys the screen forwards to the model. Digits, ".", "-", Backspace, Delete,
// Left and Right act in the amount cells; in the text cells the screen's own
// editor handles them and forwards the text through the edit events instead.
enum class Key {
  Digit0,
  Digit1,
  Digit2,
  Digit3,
  Digit4,
  Digit5,
  Digit6,
  Digit7,
  Digit8,
  Digit9,
  Point,  // "."
  Minus,  // "-"
  Backspace,
  Delete,
  Left,
  Right,
  Up,
  Down,
  Enter,
  F2,  // save
  F3,  // 找平
  F5,  // 切换
  F9,  // 新增
};
[[nodiscard]] constexpr Key DigitKey(int digit) { return static_cast<Key>(static_cast<int>(Key::Digit0) + digit); }

// What the checks before a save found.
enum class SaveReadiness {
  NothingChanged,  // neither header nor lines changed: there is nothing to store
  Refused,         // a check failed; its message was shown
  Ready,           // every check passed: the voucher may be stored
};

// What leaving the voucher on display (another voucher, 新增, closing) decided.
enum class LeaveDecision {
  Proceed,  // nothing to keep, or the user chose to drop the changes
  Stay,     // the voucher stays on screen with its changes
};

// A voucher type the header's type list offers ("凭证字").
struct TypeChoice {
  std::int64_t id = 0;
  std::string name;

  friend bool operator==(const TypeChoice&, const TypeChoice&) = default;
};

struct VoucherEntryOptions {
  // Opened from the audit list: every change refused unless CredCheckEdit
  // is on and the user made the voucher.
  bool auditMode = false;
  // Opened through the voucher-entry screen key: the 单据 button may show.
  bool allowSourceDocuments = false;
  PhraseChooser choosePhrase;
  SubjectPicker pickSubject;
  Beeper beep;
  AllocationEditor editAllocation;
};

class VoucherEntryModel {
 public:
  static constexpr const char* kCaption = "凭证登记";
  static constexpr int kPrivilegeFunction = kVoucherPrivilegeFunction;
  static constexpr int kPhrasePrivilegeFunction = 20;

  VoucherEntryModel(HostServices& host, VoucherEntryOptions options);
  VoucherEntryModel(const VoucherEntryModel&) = delete;
  VoucherEntryModel& operator=(const VoucherEntryModel&) = delete;
  ~VoucherEntryModel();

  // Takes CREDSHARE (held until the model is destroyed), loads the offered
  // voucher types, the currencies and the chart, then shows the voucher
  // `credId` or, when it is empty or missing, a new voucher. False when the
  // screen must close at once: the lock was refused (its message shown) or
  // a database error stopped the opening (reported to the host's handler).
  bool open(const std::string& credId = {});

  // ---- What the screen shows ----
  [[nodiscard]] const VoucherHeader& header() const { return header_; }
  [[nodiscard]] const std::vector<TypeChoice>& voucherTypes() const { return types_; }
  // The name of the header's type; "" when the type list does not offer it.
  [[nodiscard]] std::string typeName() const;
  [[nodiscard]] const std::vector<Currency>& currencies() const { return currencies_.list(); }

  [[nodiscard]] const std::vector<VoucherLine>& lines() const { return lines_; }
  [[nodiscard]] std::size_t currentLine() const { return currentLine_; }
  [[nodiscard]] Column currentColumn() const { return currentColumn_; }
  // The text being typed into the current line's subject cell, while it
  // differs from the line's subject (what the cell shows then).
  [[nodiscard]] const std::optional<std::string>& pendingSubjectText() const { return pendingSubject_; }
  // The text in the current line's rate cell while it is not (yet) a rate
  // the line took: empty, or unfinished such as "." or "6.".
  [[nodiscard]] const std::optional<std::string>& pendingRateText() const { return pendingRate_; }
  // Whether a cell takes no input: a posted or audited voucher, a read-only
  // line, audit mode without permission, the currency of a line whose subject does not choose one,
  // the rate of a local-currency line.
  [[nodiscard]] bool cellReadOnly(std::size_t line, Column column) const;

  // TruncateCurrency of the sums of the lines' debits and credits.
  [[nodiscard]] Money debitTotal() const { return debitTotal_; }
  [[nodiscard]] Money creditTotal() const { return creditTotal_; }

  [[nodiscard]] bool isNew() const { return storedCredId_.empty(); }
  // Header or lines changed since the voucher was shown.
  [[nodiscard]] bool modified() const { return headerModified_ || linesModified_; }
  [[nodiscard]] bool linesModified() const { return linesModified_; }
  // The CREDID under which the voucher's rows are stored ("" for a new
  // voucher) and the one under which its cash-flow allocation is stored.
  [[nodiscard]] const std::string& storedCredId() const { return storedCredId_; }
  [[nodiscard]] const std::string& allocationCredId() const { return allocationCredId_; }

  [[nodiscard]] bool auditMode() const { return options_.auditMode; }
  // Outside audit mode always; in audit mode when CredCheckEdit is on and
  // the user is the voucher's maker (decided for each voucher shown).
  [[nodiscard]] bool changesAllowed() const { return changesAllowed_; }
  // Whether the 单据 button shows for the voucher on display.
  [[nodiscard]] bool showsSourceDocument() const;
  // The 外币 button: the currency, rate and foreign-amount columns.
  [[nodiscard]] bool foreignColumnsShown() const { return foreignColumnsShown_; }

  // ---- Events ----
  // A key in the current cell. False when it was refused (its message was
  // shown or the beeper sounded) or meant nothing there.
  bool pressKey(Key key);
  // A click or Tab into a cell. Leaving a subject cell with pending input
  // validates it first; false (and the cursor stays) when that fails.
  bool moveTo(std::size_t line, Column column);

  // A figure worked out elsewhere (the calculator) into the current amount
  // cell, under the same refusals as typing it; more than two decimals are
  // rounded as the cell rounds.
  bool putAmount(Money value);

  // The text cells, as the user types (each change is forwarded).
  bool editSummary(const std::string& text);
  bool editSubjectText(const std::string& text);
  // The summary cell's button or double click: the phrase chooser.
  bool chooseSummary();
  // The subject cell's button or double click: the chart's chooser.
  bool chooseSubject();
  // The currency cell of a line whose subject takes any currency.
  bool chooseCurrency(int moneyId);
  // The rate cell: text as typed. A rate is taken and the local amount
  // recomputed at once; text that is not a rate yet waits silently until the
  // cell is left, where an empty cell is refilled from the currency list and
  // anything else that is no rate is refused (the cursor stays).
  bool editRate(const std::string& text);

  // Header fields. A refused change leaves the field as it was.
  bool setDate(const Date& date);
  // The 顺序号 text when its editor is left: digits only.
  bool setCredNoText(const std::string& text);
  bool setType(std::int64_t typeId);
  bool setBillNumber(int count);

  // Buttons.
  bool insertLine();                                                             // 插入
  bool removeLine();                                                             // 移除
  bool balanceLine();                                                            // 找平, F3
  bool swapLine();                                                               // 切换, F5
  void toggleForeignColumns() { foreignColumnsShown_ = !foreignColumnsShown_; }  // 外币
  // 新增, F9: leaves the voucher on display, then starts a new one.
  bool newVoucher();
  // 向前 / 向后: leave the voucher on display, then show the previous or
  // next stored voucher by CREDID.
  bool previousVoucher();
  bool nextVoucher();
  // Shows a stored voucher (search screen, GOTOSPECIALCRED) after leaving
  // the one on display; a missing one starts a new voucher.
  bool showVoucher(const std::string& credId);

  // The save button's checks and the checks before storing, in their order,
  // each showing its message. Ready means the voucher may now be stored.
  SaveReadiness checkForSave();
  // 保存, F2: the checks, then under CREDWLOCK the identifier check again,
  // the voucher type's cash and bank rules, and the store of header, lines
  // and allocation in one transaction. True when the voucher was stored;
  // otherwise it stays on screen with its changes (a failure was shown).
  bool save();
  // 删除: the refusals in order, the question, then header, lines and
  // allocation deleted together; the screen moves to a neighbour.
  bool deleteVoucher();
  // 审核: a stored, unchanged voucher is marked audited by the user at once
  // (privilege 59/5, the maker rule, under CREDWLOCK, only while it is still
  // unaudited); the edit right is not needed.
  bool audit();
  // 分配: the allocation editor for the voucher's cash lines.
  bool allocate();
  // 单据: asks the host to show the document that made the voucher.
  bool showSourceDocument();
  // Leaving the voucher on display: asks whether to save a changed one.
  // Yes saves (the voucher stays when that fails); No drops the changes;
  // Cancel stays.
  LeaveDecision leaveVoucher();
  // Closing the screen: true when it may close.
  bool requestClose() { return leaveVoucher() == LeaveDecision::Proceed; }

 private:
  bool attempt(const std::function<bool()>& work);
  bool refuse(const Refusal& refusal);
  [[nodiscard]] std::optional<Refusal> auditRefusal() const;
  void beep();
  // Why the voucher on display takes no change: posted or audited (outside
  // audit mode); then, for the voucher as a whole, under audit without
  // permission, and for the current line, read-only before under audit.
  [[nodiscard]] std::optional<Refusal> storedStateRefusal() const;
  [[nodiscard]] std::optional<Refusal> voucherChangeRefusal() const;
  [[nodiscard]] std::optional<Refusal> lineChangeRefusal() const;
  [[nodiscard]] Period currentPeriod() const;
  [[nodiscard]] Period startPeriod() const;
  void showFailure(const CheckFailure& failure);

  bool startNewVoucher();
  bool showStored(const std::string& credId);
  std::optional<IdentifierReset> takeIdentifierReset();
  bool store();
  void offerFreeTypeCode();
  void reloadAfterStaleWrite();
  bool showNeighbourOf(const std::string& credId);
  void display(VoucherHeader header, std::vector<VoucherLine> lines);

  bool leaveCell();
  bool commitSubject(const std::string& text);
  bool commitRate();
  void takeSubject(const ChartSubject& subject);
  void replaceLine(VoucherLine line);
  bool applyResult(LineResult result);
  bool typeAmount(AmountColumn column, Key key);
  [[nodiscard]] std::optional<Refusal> amountCellRefusal(AmountColumn column) const;
  bool moveDown(bool toFirstColumn);
  bool moveUp();
  bool moveRightward();
  [[nodiscard]] bool columnShown(Column column) const;
  [[nodiscard]] VoucherLine lineAfter(std::size_t index) const;

  HostServices& host_;
  data::Connection& db_;
  VoucherEntryOptions options_;
  std::optional<base::HostLock> shareLock_;
  ChartLookup chart_;
  Currencies currencies_;
  std::vector<TypeChoice> types_;

  VoucherHeader header_;
  std::vector<VoucherLine> lines_;
  std::size_t currentLine_ = 0;
  Column currentColumn_ = Column::Summary;
  std::optional<std::string> pendingSubject_;
  Money debitTotal_;
  Money creditTotal_;
  std::string storedCredId_;
  std::string allocationCredId_;
  StoredFlags checkedFlags_;  // the stored flags the last save checks saw
  bool headerModified_ = false;
  bool linesModified_ = false;
  bool changesAllowed_ = true;
  bool foreignColumnsShown_ = false;
  std::optional<std::string> pendingRate_;  // rate text not taken yet: empty, or not yet a rate
};

}  // namespace qj::vouchers
