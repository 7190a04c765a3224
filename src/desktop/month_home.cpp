#include "desktop/month_home.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "desktop/month_home_model.h"
#include "host/host_application.h"

namespace qj::desktop {
namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

QLabel* heading(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  return label;
}

}  // namespace

MonthHomeView::MonthHomeView(host::HostApplication& host, QWidget* parent)
    : QWidget(parent),
      host_(host),
      company_(new QLabel(this)),
      period_(new QLabel(this)),
      facts_(new QLabel(this)),
      steps_(new QHBoxLayout),
      ledgers_(new QHBoxLayout) {
  setObjectName(QStringLiteral("monthHome"));
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Base);
  company_->setObjectName(QStringLiteral("homeCompany"));
  period_->setObjectName(QStringLiteral("homePeriod"));
  facts_->setObjectName(QStringLiteral("homeFacts"));
  QFont large = company_->font();
  large.setPointSizeF(large.pointSizeF() * 1.6);
  large.setBold(true);
  company_->setFont(large);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(40, 30, 40, 30);
  layout->addWidget(company_);
  layout->addWidget(period_);
  layout->addSpacing(12);
  layout->addWidget(facts_);
  layout->addSpacing(18);
  layout->addWidget(heading(QStringLiteral("本月的工作"), this));
  layout->addLayout(steps_);
  layout->addSpacing(18);
  layout->addWidget(heading(QStringLiteral("帐簿与报表"), this));
  layout->addLayout(ledgers_);
  layout->addStretch(1);
}

void MonthHomeView::setAvailability(ScreenAvailability available) {
  available_ = std::move(available);
  refresh();
}

void MonthHomeView::refresh() {
  const MonthHome home = BuildMonthHome(host_, available_);
  company_->setText(q(home.company));
  period_->setText(QStringLiteral("当前期间：") + q(home.period));
  QStringList facts;
  for (const std::string& fact : home.facts) facts << q(fact);
  facts_->setText(facts.join(QLatin1Char('\n')));
  if (buttons_.empty()) {
    addButtons(*steps_, home.steps, true);
    addButtons(*ledgers_, home.ledgers, false);
  }
  for (const auto* row : {&home.steps, &home.ledgers}) {
    for (const HomeStep& shown : *row) {
      QPushButton* button = buttons_.at(shown.key);
      button->setEnabled(shown.enabled);
      button->setToolTip(shown.enabled ? q(shown.title) : q(shown.reason));
    }
  }
}

void MonthHomeView::addButtons(QHBoxLayout& row, const std::vector<HomeStep>& steps, bool arrows) {
  for (std::size_t i = 0; i < steps.size(); ++i) {
    if (arrows && i > 0) row.addWidget(new QLabel(QStringLiteral("→"), this));
    auto* button = new QPushButton(q(steps[i].title), this);
    button->setObjectName(q(steps[i].key));
    button->setMinimumHeight(arrows ? 40 : 28);
    button->setFlat(!arrows);
    const std::string key = steps[i].key;
    // Queued: the click finishes before the screen opens (and may run modally).
    connect(
        button, &QPushButton::clicked, this,
        [this, key] {
          host_.GlobalCall("SHOWFINANCEFORM", key, nullptr);
          refresh();
        },
        Qt::QueuedConnection);
    row.addWidget(button);
    buttons_[key] = button;
  }
  row.addStretch(1);
}

}  // namespace qj::desktop
