// The voucher entry model over the entry test book, with helpers that type
// the way a user does: cell by cell, key by key.
#pragma once

#include <memory>
#include <string>

#include "entry_fixture.h"
#include "vouchers/voucher_entry_model.h"

namespace qj::test {

using vouchers::Column;
using vouchers::Key;
using vouchers::VoucherEntryModel;

class EntryModelTest : public EntryTest {
 protected:
  void SetUp() override {
    EntryTest::SetUp();
    const char* names[] = {"记", "收", "付", "转", "现收", "现付", "银收", "银付", "转"};
    for (int id = 1; id <= 9; ++id) addVoucherType(id, names[id - 1]);
  }

  VoucherEntryModel& open(const std::string& credId = {}, vouchers::VoucherEntryOptions options = {}) {
    if (!options.beep) options.beep = [this] { ++beeps; };
    model_ = std::make_unique<VoucherEntryModel>(host(), std::move(options));
    opened = model_->open(credId);
    return *model_;
  }
  VoucherEntryModel& model() { return *model_; }
  void close() { model_.reset(); }

  // Keys in the current cell: digits, "." and "-", "<" Backspace, "x" Delete.
  // False when any of them was refused.
  bool keys(const std::string& typed) {
    bool all = true;
    for (const char c : typed) {
      Key key = Key::Backspace;
      if (c >= '0' && c <= '9')
        key = vouchers::DigitKey(c - '0');
      else if (c == '.')
        key = Key::Point;
      else if (c == '-')
        key = Key::Minus;
      else if (c == 'x')
        key = Key::Delete;
      all = model_->pressKey(key) && all;
    }
    return all;
  }

  // Types into a cell of the current line.
  bool typeIn(Column column, const std::string& typed) {
    if (!model_->moveTo(model_->currentLine(), column)) return false;
    switch (column) {
      case Column::Summary:
        return model_->editSummary(typed);
      case Column::Subject:
        return model_->editSubjectText(typed);
      case Column::Rate:
        return model_->editRate(typed);
      default:
        return keys(typed);
    }
  }

  // Fills the current line: summary, subject, then the debit or the credit.
  void fillLine(const std::string& summary, const std::string& subject, const std::string& debit,
                const std::string& credit = {}) {
    typeIn(Column::Summary, summary);
    typeIn(Column::Subject, subject);
    if (!debit.empty()) typeIn(Column::Debit, debit);
    if (!credit.empty()) typeIn(Column::Credit, credit);
  }

  [[nodiscard]] const vouchers::VoucherLine& line(std::size_t index) const { return model_->lines().at(index); }
  [[nodiscard]] const vouchers::VoucherLine& current() const { return line(model_->currentLine()); }

  std::string lastMessage() { return host().messages.empty() ? std::string() : host().messages.back().text; }
  const Message& last() { return host().messages.back(); }
  std::size_t messageCount() { return host().messages.size(); }

  bool opened = false;
  int beeps = 0;

 private:
  std::unique_ptr<VoucherEntryModel> model_;
};

inline Money amount(const char* text) { return Money::parse(text); }

}  // namespace qj::test
