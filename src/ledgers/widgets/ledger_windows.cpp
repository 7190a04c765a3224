#include "ledgers/widgets/ledger_windows.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QTableView>
#include <QValueAxis>

#include "base/screen_registry.h"
#include "base/screen_table.h"
#include "base/screen_work.h"
#include "base/voucher_screen_hook.h"
#include "base/widgets/qt_screen.h"
#include "hostapi/refusal.h"
#include "ledgers/widgets/ledger_filter_dialog.h"
#include "ledgers/widgets/sheet_data_set.h"

namespace qj::ledgers {
namespace {

base::CodeStructure structureOf(HostServices& host) {
  return base::CodeStructure(host.accountBooksData().SubjectLevelLen);
}

std::size_t currentRow(QTableView* grid) {
  const QModelIndex index = grid->currentIndex();
  return index.isValid() ? static_cast<std::size_t>(index.row()) : static_cast<std::size_t>(-1);
}

// 调阅凭证: the voucher of the current line row, after the user's privilege.
void openVoucherOf(HostServices& host, const std::optional<std::string>& credId) {
  if (!credId) return;
  if (!host.HasOvoPrivilege2(kOpenVoucherFunction, kOpenVoucherAction, true)) return;
  if (const auto& opener = base::TheVoucherScreenOpener()) opener(host, *credId);
}

// A chart axis takes a number; the amounts are exact everywhere else and
// only drawn here.
double plotted(Money amount) { return static_cast<double>(amount.units()) / static_cast<double>(Money::kScale); }

}  // namespace

DetailLedgerWindow::DetailLedgerWindow(HostServices& host, QWidget* parent)
    : ListWindow(host, kDetailLedgerScreenName, "明细分类帐", kDetailLedgerReportType, parent), host_(host) {
  grid()->setObjectName(QStringLiteral("detailLedgerTable"));
  setStretchColumn(2);
  addButton("过滤", "filterButton", [this] { refilter(); });
  addButton("第一个", "firstButton", [this] { move(&DetailLedgerModel::first); });
  addButton("上一个", "previousButton", [this] { move(&DetailLedgerModel::previous); });
  addButton("下一个", "nextButton", [this] { move(&DetailLedgerModel::next); });
  addButton("最后一个", "lastButton", [this] { move(&DetailLedgerModel::last); });
  addButton("调阅凭证", "openVoucherButton", [this] { openVoucher(); });
  refresh();
}

void DetailLedgerWindow::load(const LedgerFilter& filter) {
  base::ReportFailures(host_, [&] { model_.load(host_.FindStartupDB(), structureOf(host_), filter); });
  refresh();
}

void DetailLedgerWindow::refilter() {
  LedgerFilterDialog dialog(host_, LedgerFilterDialog::Kind::Detail, model_.filter(), this);
  if (dialog.exec() == QDialog::Accepted) load(dialog.filter());
}

void DetailLedgerWindow::move(void (DetailLedgerModel::*step)()) {
  base::ReportFailures(host_, [&] { (model_.*step)(); });
  refresh();
}

void DetailLedgerWindow::openVoucher() { openVoucherOf(host_, model_.voucherOf(currentRow(grid()))); }

void DetailLedgerWindow::refresh() {
  setHeaderLines(model_.headerLines());
  showData(SheetDataSet(model_.columns(), model_.cells()));
}

JournalWindow::JournalWindow(HostServices& host, QWidget* parent)
    : ListWindow(host, kJournalScreenName, kCashJournalTitle, kJournalReportType, parent), host_(host) {
  grid()->setObjectName(QStringLiteral("journalTable"));
  setStretchColumn(2);
  addButton("过滤", "filterButton", [this] { refilter(); });
  addButton("调阅凭证", "openVoucherButton", [this] { openVoucher(); });
  refresh();
}

void JournalWindow::load(const LedgerFilter& filter, const LedgerSubject& subject) {
  subject_ = subject;
  base::ReportFailures(
      host_, [&] { model_.load(host_.FindStartupDB(), structureOf(host_), host_.ReservedSub(), filter, subject); });
  refresh();
}

void JournalWindow::refilter() {
  LedgerFilterDialog dialog(host_, LedgerFilterDialog::Kind::Journal, model_.filter(), this, subject_.code);
  if (dialog.exec() == QDialog::Accepted) load(dialog.filter(), *dialog.journalSubject());
}

void JournalWindow::openVoucher() { openVoucherOf(host_, model_.voucherOf(currentRow(grid()))); }

void JournalWindow::refresh() {
  setCaption(model_.title());
  setHeaderLines(model_.headerLines());
  showData(SheetDataSet(model_.columns(), model_.cells()));
}

GeneralLedgerWindow::GeneralLedgerWindow(HostServices& host, GeneralLedgerFilterDialog* filterDialog, QWidget* parent)
    : ListWindow(host, kGeneralLedgerScreenName, "总分类帐", kGeneralLedgerReportType, parent),
      host_(host),
      filterDialog_(filterDialog),
      chart_(new QChartView) {
  grid()->setObjectName(QStringLiteral("generalLedgerTable"));
  setStretchColumn(1);
  addButton("过滤", "filterButton", [this] { refilter(); });
  addButton("明细帐", "drillDownButton", [this] { drillDown(); });
  chart_->setObjectName(QStringLiteral("generalLedgerChart"));
  chart_->setRenderHint(QPainter::Antialiasing);
  chart_->setMinimumHeight(180);
  chart_->setMaximumHeight(260);
  addBelowGrid(chart_, 0);
  resize(960, 680);
}

void GeneralLedgerWindow::load(const GeneralLedgerFilter& filter) {
  base::ReportFailures(host_, [&] { model_.load(host_.FindStartupDB(), structureOf(host_), filter); });
  setHeaderLines(model_.headerLines());
  showData(SheetDataSet(model_.columns(), model_.cells()));
  showChart(0);
}

void GeneralLedgerWindow::refilter() {
  if (!filterDialog_) filterDialog_ = new GeneralLedgerFilterDialog(host_, model_.filter(), this);
  if (filterDialog_->exec() == QDialog::Accepted) load(filterDialog_->filter());
}

void GeneralLedgerWindow::drillDown() {
  const auto target = model_.drillDown(currentRow(grid()), structureOf(host_), host_.ReservedSub());
  if (!target) return;
  if (target->journal)
    ShowJournal(host_, target->filter, target->code);
  else
    ShowDetailLedger(host_, target->filter);
}

void GeneralLedgerWindow::currentRowChanged(std::size_t row) { showChart(row); }

void GeneralLedgerWindow::showChart(std::size_t row) {
  auto* chart = new QChart;
  const auto months = model_.monthsOf(row);
  if (!months.empty()) {
    const auto& subject = model_.rows()[row];
    chart->setTitle(QString::fromStdString(subject.subjectId + " " + subject.subjectName));
    auto* debits = new QBarSet(QStringLiteral("借方"));
    auto* credits = new QBarSet(QStringLiteral("贷方"));
    auto* balance = new QLineSeries;
    balance->setName(QStringLiteral("余额（借正贷负）"));
    balance->setPointsVisible(true);
    QStringList categories;
    for (std::size_t i = 0; i < months.size(); ++i) {
      categories << QString::fromStdString(PeriodText(months[i].month));
      *debits << plotted(months[i].debit);
      *credits << plotted(months[i].credit);
      balance->append(static_cast<double>(i), plotted(months[i].balance));
    }
    auto* bars = new QBarSeries;
    bars->append(debits);
    bars->append(credits);
    chart->addSeries(bars);
    chart->addSeries(balance);
    auto* axisX = new QBarCategoryAxis;
    axisX->append(categories);
    chart->addAxis(axisX, Qt::AlignBottom);
    auto* axisY = new QValueAxis;
    axisY->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(axisY, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
      series->attachAxis(axisX);
      series->attachAxis(axisY);
    }
  }
  QChart* old = chart_->chart();
  chart_->setChart(chart);
  delete old;
}

void ShowDetailLedger(HostServices& host, const LedgerFilter& filter) {
  const base::ScreenEntry* entry = base::FindScreen("DETAILTYPELIST_FRM");
  if (!entry || !host.HasOvoPrivilege2(entry->privilege, entry->action, true)) return;
  base::ShowListScreen(
      *entry,
      [&] {
        auto* window = new DetailLedgerWindow(host);
        window->load(filter);
        return std::make_unique<base::WindowScreen>(window);
      },
      [&](base::Screen& open) {
        if (auto* window = dynamic_cast<DetailLedgerWindow*>(dynamic_cast<base::WindowScreen&>(open).window()))
          window->load(filter);
      });
}

void ShowJournal(HostServices& host, const LedgerFilter& filter, const std::string& subjectCode) {
  const base::ScreenEntry* entry = base::FindScreen("DIARYLIST_FRM");
  if (!entry || !host.HasOvoPrivilege2(entry->privilege, entry->action, true)) return;
  std::optional<LedgerSubject> subject;
  base::ReportFailures(host, [&] {
    for (const auto& each : JournalSubjects(host.FindStartupDB(), host.ReservedSub()))
      if (each.code == subjectCode) subject = each;
  });
  if (!subject) return;
  base::ShowListScreen(
      *entry,
      [&] {
        auto* window = new JournalWindow(host);
        window->load(filter, *subject);
        return std::make_unique<base::WindowScreen>(window);
      },
      [&](base::Screen& open) {
        if (auto* window = dynamic_cast<JournalWindow*>(dynamic_cast<base::WindowScreen&>(open).window()))
          window->load(filter, *subject);
      });
}

}  // namespace qj::ledgers
