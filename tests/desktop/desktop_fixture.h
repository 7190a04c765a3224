// What the desktop's GUI tests share: a fresh book on a test engine, settings
// of their own, and a way to answer the modal windows the code under test opens.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>

#include "host/book_creation.h"
#include "support/scratch_database.h"

namespace qj::test {

inline constexpr const char* kCompany = "青简测试有限公司";

// A book started in July 2011 on the engine of the test case.
class DesktopTest : public ::testing::TestWithParam<data::Engine> {
 protected:
  void SetUp() override {
    // The default book a first start offers is made in the test's own folder.
    qputenv("XDG_DATA_HOME", folder_.path().toUtf8());
    scratch_ = std::make_unique<ScratchDatabase>(GetParam());
    host::NewBook book;
    book.location = location();
    book.start = Period{2011, 7};
    book.companyName = kCompany;
    host::CreateBook(book);
    settings_ = std::make_unique<QSettings>(folder_.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
  }

  [[nodiscard]] const std::string& location() const { return scratch_->location(); }
  [[nodiscard]] QString qLocation() const { return QString::fromStdString(location()); }
  [[nodiscard]] QSettings& settings() { return *settings_; }
  [[nodiscard]] QString scratchPath(const QString& name) const { return folder_.filePath(name); }

 private:
  QTemporaryDir folder_;
  std::unique_ptr<ScratchDatabase> scratch_;
  std::unique_ptr<QSettings> settings_;
};

#define QJ_DESKTOP_ON_EVERY_ENGINE(Suite) \
  INSTANTIATE_TEST_SUITE_P(Engines, Suite, ::testing::ValuesIn(::qj::test::TestEngines()), ::qj::test::EngineParamName)

// Runs `act` on the next modal window other than `current` as soon as it is
// up (the code under test is then waiting in that window's event loop). Gives
// up, failing the test and closing what is open, when none comes.
inline void WhenModalAppears(std::function<void(QWidget&)> act, QWidget* current = nullptr) {
  auto* poll = new QTimer;
  auto tries = std::make_shared<int>(0);
  QObject::connect(poll, &QTimer::timeout, [poll, tries, current, act = std::move(act)] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != current && modal->isVisible()) {
      poll->stop();
      poll->deleteLater();
      act(*modal);
      return;
    }
    if (++*tries < 1000) return;
    poll->stop();
    poll->deleteLater();
    ADD_FAILURE() << "no modal window appeared";
    if (modal) modal->close();
  });
  poll->start(10);
}

// The button of a window with that text.
inline QAbstractButton* ButtonNamed(QWidget& window, const QString& text) {
  for (QAbstractButton* button : window.findChildren<QAbstractButton*>())
    if (button->text() == text) return button;
  ADD_FAILURE() << "no button " << text.toStdString();
  return nullptr;
}

}  // namespace qj::test
