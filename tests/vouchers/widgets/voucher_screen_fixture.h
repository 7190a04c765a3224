// The voucher entry screen over the entry test book, shown and driven with
// real key events; the choosers are fakes the tests answer.
#pragma once

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <optional>
#include <string>

#include "base/screen_registry.h"
#include "base/voucher_screen_hook.h"
#include "support/screenshot.h"
#include "vouchers/entry_fixture.h"
#include "vouchers/widgets/voucher_grid.h"
#include "vouchers/widgets/voucher_screen.h"

namespace qj::test {

using vouchers::Column;

class VoucherScreenTest : public EntryTest {
 protected:
  void SetUp() override {
    EntryTest::SetUp();
    addVoucherType(1, "记");
  }
  void TearDown() override {
    shown_ = nullptr;
    owned_.reset();
    base::UnregisterAllScreens();
    base::SetVoucherScreenOpener({});
    EntryTest::TearDown();
  }

  // The screen opened directly on a voucher ("" a new one), shown and active;
  // in audit mode as the audit list opens it.
  vouchers::VoucherScreen& opened(const std::string& credId = {}, bool auditMode = false) {
    vouchers::VoucherEntryOptions options;
    options.auditMode = auditMode;
    options.choosePhrase = [this] {
      ++phraseAsks;
      return phrase;
    };
    options.pickSubject = [this] {
      ++subjectAsks;
      return pickedSubject;
    };
    options.beep = [this] { ++beeps; };
    owned_ = std::make_unique<vouchers::VoucherScreen>(host(), std::move(options));
    EXPECT_TRUE(owned_->start(credId));
    owned_->show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(owned_.get()));
    shown_ = owned_.get();
    return *owned_;
  }
  // The screen the helpers below work on: the one opened here, or one the dispatcher opened.
  void workOn(vouchers::VoucherScreen* screen) { shown_ = screen; }
  vouchers::VoucherScreen& screen() { return *shown_; }
  vouchers::VoucherEntryModel& model() { return shown_->model(); }
  vouchers::VoucherGrid& grid() { return *shown_->grid(); }
  QLineEdit& editor() { return *grid().textEditor(); }
  [[nodiscard]] const vouchers::VoucherLine& line(std::size_t index) { return model().lines().at(index); }

  // Where the keyboard is now: the cell editor, the grid or a header field.
  static QWidget* focused() {
    QWidget* focus = QApplication::focusWidget();
    EXPECT_NE(focus, nullptr) << "nothing has the keyboard";
    return focus;
  }
  static void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(focused(), key, modifiers);
  }
  // ASCII typed key by key into whatever has the keyboard: digits, ".", "-", codes.
  static void keys(const char* typed) {
    for (const char* c = typed; *c; ++c) QTest::keyClick(focused(), *c);
  }
  // Chinese text the way an input method delivers it into the cell editor.
  void compose(const QString& text) {
    ASSERT_TRUE(editor().hasFocus()) << "the cell editor does not have the keyboard";
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(&editor(), &event);
  }
  void press(const QString& caption) {
    QPushButton* button = shown_->button(caption);
    ASSERT_NE(button, nullptr) << caption.toStdString();
    QTest::mouseClick(button, Qt::LeftButton);
  }
  void clickCell(std::size_t line, Column column) {
    const QRect cell = grid().cellRect(line, column);
    ASSERT_TRUE(cell.isValid());
    QTest::mouseClick(&grid(), Qt::LeftButton, Qt::NoModifier, cell.center());
  }

  // Saves what the screen shows once its layout has caught up.
  void snap(const std::string& name) {
    QApplication::processEvents();
    SaveScreenshot(*shown_, name);
  }

  std::string lastMessage() { return host().messages.empty() ? std::string() : host().messages.back().text; }

  std::optional<std::string> phrase;
  std::optional<std::string> pickedSubject;
  int phraseAsks = 0;
  int subjectAsks = 0;
  int beeps = 0;

 private:
  std::unique_ptr<vouchers::VoucherScreen> owned_;
  vouchers::VoucherScreen* shown_ = nullptr;
};

inline Money amount(const char* text) { return Money::parse(text); }

}  // namespace qj::test
