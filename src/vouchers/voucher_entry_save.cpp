// The voucher screen's save: the checks, then the store under the save lock.
#include <algorithm>
#include <string>

#include "base/product_caption.h"
#include "data/db_error.h"
#include "data/schema.h"
#include "vouchers/identifier_collision.h"
#include "vouchers/save_guards.h"
#include "vouchers/type_subject_rules.h"
#include "vouchers/voucher_entry_model.h"
#include "vouchers/voucher_numbering_queries.h"
#include "vouchers/voucher_queries.h"
#include "vouchers/voucher_store.h"

namespace qj::vouchers {

namespace {

constexpr const char* kDuplicateIdentifier = "本期凭证编号重复，凭证数据将不能被保存！";
constexpr const char* kSaveFailedCaption = "保存数据失败";
constexpr const char* kDeletedMeanwhile = "该记录已被删除，不能修改!";

std::vector<TypedLine> typedLines(const std::vector<VoucherLine>& lines) {
  std::vector<TypedLine> typed;
  typed.reserve(lines.size());
  for (const VoucherLine& line : lines) typed.push_back({line.subjectCode, line.debit, line.credit});
  return typed;
}

}  // namespace

std::optional<IdentifierReset> VoucherEntryModel::takeIdentifierReset() {
  auto reset = IdentifierCollision(db_, header_.credId, storedCredId_, header_.credDate);
  if (reset && !reset->replacement.empty()) {
    header_.credId = reset->replacement;
    header_.credNo = std::stoll(reset->replacement.substr(6));
    headerModified_ = true;
  }
  return reset;
}

bool VoucherEntryModel::save() {
  if (checkForSave() != SaveReadiness::Ready) return false;
  return attempt([&] { return store(); });
}

bool VoucherEntryModel::store() {
  base::HostLock lock(host_, base::kVoucherSaveLock);
  if (!lock) {
    base::ShowUnderProductCaption(host_, SaveLockBusyRefusal(host_));
    return false;
  }
  // Another user may have stored a voucher under this identifier since the
  // checks ran; under the lock nobody can any more.
  if (auto reset = takeIdentifierReset()) {
    lock.release();
    base::ShowUnderProductCaption(host_, reset->message);
    return false;
  }
  const AccountBooksData& book = host_.accountBooksData();
  if (auto refusal = CheckVoucherTypeSubjects(typedLines(lines_), header_.typeId, book.AccountVoucherType,
                                              CashBankSubjectsOf(host_.ReservedSub()))) {
    lock.release();
    base::ShowUnderProductCaption(host_, *refusal);
    return false;
  }
  VoucherHeader header = header_;
  // The maker of a voucher is the last user who changed its lines.
  if (linesModified_ && !options_.auditMode) header.billMaker = host_.asUserName();
  WriteOutcome outcome = WriteOutcome::Written;
  try {
    outcome = WriteVoucher(db_, {header, lines_, storedCredId_, allocationCredId_, checkedFlags_});
  } catch (const data::DbError& error) {
    lock.release();
    if (data::IsVoucherCodeCollision(error)) {
      offerFreeTypeCode();
      return false;
    }
    if (error.kind() == data::DbErrorKind::DuplicateKey) {
      refuse({kDuplicateIdentifier, kSaveFailedCaption, msgbox::IconError});
      return false;
    }
    // Rolled back; the voucher stays on screen for the user to try again.
    throw;
  }
  lock.release();
  if (outcome == WriteOutcome::StoredStateChanged) {
    reloadAfterStaleWrite();
    return false;
  }
  // The stored voucher shows again as it was stored, the cursor where it was.
  const std::size_t line = currentLine_;
  const Column column = currentColumn_;
  if (!showStored(header.credId)) return false;
  currentLine_ = std::min(line, lines_.size() - 1);
  currentColumn_ = column;
  return true;
}

void VoucherEntryModel::offerFreeTypeCode() {
  const std::int64_t proposed = NextTypeCode(db_, Period::ofDate(header_.credDate), header_.typeId);
  const std::string question =
      "凭证号已经存在，你必须修改它；是否愿意使用系统为你提供的最大凭证号" + std::to_string(proposed) + "?";
  if (host_.ShowMsgBox(question, caption::Question, msgbox::YesNo | msgbox::IconQuestion) != msgbox::IdYes) return;
  header_.credCode = proposed;
  headerModified_ = true;
}

void VoucherEntryModel::reloadAfterStaleWrite() {
  if (!CredIdExists(db_, storedCredId_)) {
    refuse(Refusal{kDeletedMeanwhile});
    startNewVoucher();
    return;
  }
  // Another session audited or posted the voucher: its own refusal says so.
  const SaveCheckInput input{header_,         lines_,        currentLine_,       {debitTotal_, creditTotal_},
                             currentPeriod(), startPeriod(), options_.auditMode, ReadStoredFlags(db_, storedCredId_)};
  if (auto failure = FirstFailedSaveCheck(input, chart_)) Show(host_, failure->refusal);
  showStored(storedCredId_);
}

}  // namespace qj::vouchers
