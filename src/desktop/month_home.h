// The month's home page on the main window's empty work area: it shows a
// MonthHome and opens the screen of a step or ledger that is clicked.
#pragma once

#include <QWidget>
#include <map>
#include <string>

#include "desktop/month_home_model.h"
#include "desktop/screen_access.h"

class QHBoxLayout;
class QLabel;
class QPushButton;

namespace qj::host {
class HostApplication;
}

namespace qj::desktop {

class MonthHomeView final : public QWidget {
  Q_OBJECT

 public:
  MonthHomeView(host::HostApplication& host, QWidget* parent);

  // Which screens this build has; until told, none.
  void setAvailability(ScreenAvailability available);
  // Reads the book again and shows what it says now (the page is empty
  // until the first refresh).
  void refresh();

 private:
  void addButtons(QHBoxLayout& row, const std::vector<HomeStep>& steps, bool arrows);

  host::HostApplication& host_;
  ScreenAvailability available_;
  QLabel* company_;
  QLabel* period_;
  QLabel* facts_;
  QHBoxLayout* steps_;
  QHBoxLayout* ledgers_;
  std::map<std::string, QPushButton*> buttons_;  // by screen key
};

}  // namespace qj::desktop
