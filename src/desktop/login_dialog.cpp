#include "desktop/login_dialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include "data/connection.h"
#include "desktop/first_password_dialog.h"
#include "desktop/new_book_dialog.h"
#include "host/book_locations.h"
#include "host/message_boxes.h"
#include "host/user_store.h"
#include "hostapi/host_services.h"
#include "package/starting_chart.h"

namespace qj::desktop {
namespace {

constexpr const char* kRecentKey = "recentBooks";
constexpr const char* kCompanyNamesKey = "recentBookCompanies";  // location -> company name

// How the list shows a book: its company, with the file (or server) it is in.
QString RecentEntryText(const QString& location, const QString& company) {
  if (company.isEmpty()) return location;
  const QString place = data::IsServerLocation(location.toStdString()) ? location : QFileInfo(location).fileName();
  return company + QStringLiteral("（") + place + QStringLiteral("）");
}

std::vector<std::string> storedRecent(const QSettings& settings) {
  std::vector<std::string> out;
  for (const QString& location : settings.value(QString::fromLatin1(kRecentKey)).toStringList())
    out.push_back(location.toStdString());
  return out;
}

QPushButton* button(const QString& text, const char* name) {
  auto* made = new QPushButton(text);
  made->setObjectName(QString::fromLatin1(name));
  made->setAutoDefault(false);
  return made;
}

}  // namespace

LoginDialog::LoginDialog(host::MessageBoxes& boxes, QSettings& settings, const QString& preselected, QWidget* parent)
    : QDialog(parent),
      boxes_(boxes),
      settings_(settings),
      recent_(storedRecent(settings)),
      recentList_(new QListWidget),
      location_(new QLineEdit),
      user_(new QLineEdit(QString::fromLatin1(host::kAdministrator))),
      password_(new QLineEdit) {
  setWindowTitle(QStringLiteral("青简财务 - 登录"));
  recentList_->setObjectName(QStringLiteral("recentBooks"));
  const QVariantMap companies = settings.value(QString::fromLatin1(kCompanyNamesKey)).toMap();
  for (const std::string& each : recent_.locations()) {
    const QString location = QString::fromStdString(each);
    auto* item = new QListWidgetItem(RecentEntryText(location, companies.value(location).toString()), recentList_);
    item->setData(Qt::UserRole, location);
    item->setToolTip(location);
  }
  connect(recentList_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
    if (item) choose(item->data(Qt::UserRole).toString());
  });
  location_->setObjectName(QStringLiteral("location"));
  location_->setMinimumWidth(380);
  user_->setObjectName(QStringLiteral("user"));
  password_->setObjectName(QStringLiteral("password"));
  password_->setEchoMode(QLineEdit::Password);

  QPushButton* openFile = button(QStringLiteral("打开帐套文件…"), "openFile");
  QPushButton* createBook = button(QStringLiteral("新建帐套…"), "newBook");
  QPushButton* connectServer = button(QStringLiteral("连接数据库服务器…"), "connectServer");
  connect(openFile, &QPushButton::clicked, this, &LoginDialog::openFile);
  connect(createBook, &QPushButton::clicked, this, &LoginDialog::createBook);
  connect(connectServer, &QPushButton::clicked, this, &LoginDialog::connectServer);

  auto* bookBox = new QGroupBox(QStringLiteral("帐套"));
  auto* bookLayout = new QVBoxLayout(bookBox);
  bookLayout->addWidget(new QLabel(QStringLiteral("最近使用的帐套：")));
  bookLayout->addWidget(recentList_);
  auto* place = new QFormLayout;
  place->addRow(QStringLiteral("帐套位置："), location_);
  bookLayout->addLayout(place);
  auto* bookButtons = new QHBoxLayout;
  bookButtons->addWidget(openFile);
  bookButtons->addWidget(createBook);
  bookButtons->addWidget(connectServer);
  bookLayout->addLayout(bookButtons);

  auto* userBox = new QGroupBox(QStringLiteral("用户"));
  auto* userLayout = new QFormLayout(userBox);
  userLayout->addRow(QStringLiteral("用户名："), user_);
  userLayout->addRow(QStringLiteral("密码："), password_);

  auto* buttons = new QDialogButtonBox;
  QPushButton* logIn = buttons->addButton(QStringLiteral("登录"), QDialogButtonBox::AcceptRole);
  logIn->setObjectName(QStringLiteral("logIn"));
  logIn->setDefault(true);
  buttons->addButton(QStringLiteral("退出"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("quit"));
  connect(buttons, &QDialogButtonBox::accepted, this, &LoginDialog::logIn);
  connect(buttons, &QDialogButtonBox::rejected, this, &LoginDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(bookBox);
  layout->addWidget(userBox);
  layout->addWidget(buttons);

  if (!preselected.isEmpty()) {
    choose(preselected);
  } else if (!recent_.locations().empty()) {
    recentList_->setCurrentRow(0);
  } else {
    // The first start offers the default book, made now if it is missing.
    try {
      choose(QString::fromStdString(
          host::EnsureDefaultBook(package::StartingChartInstaller(package::StartingChart::SmallEnterprise))));
    } catch (const std::exception&) {
      // Without it the user chooses or creates a book by hand.
    }
  }
  password_->setFocus();
}

void LoginDialog::choose(const QString& location) {
  location_->setText(location);
  password_->clear();
  password_->setFocus();
}

void LoginDialog::logIn() {
  LoginStep step =
      model_.logIn(location_->text().toStdString(), user_->text().toStdString(), password_->text().toStdString());
  if (step == LoginStep::Refused) {
    boxes_.show(model_.message(), "登录", msgbox::IconWarning);
    password_->setFocus();
    password_->selectAll();
    return;
  }
  if (step == LoginStep::NeedsPassword) {
    FirstPasswordDialog first(model_, boxes_, this);
    if (first.exec() != QDialog::Accepted) {
      model_.cancel();
      return;
    }
  }
  login_ = model_.take();
  // The server address is kept without its password.
  remember(login_.session->db().location(), login_.session->record().CompanyName);
  accept();
}

void LoginDialog::remember(const std::string& location, const std::string& company) {
  recent_.opened(location);
  QStringList stored;
  for (const std::string& each : recent_.locations()) stored << QString::fromStdString(each);
  settings_.setValue(QString::fromLatin1(kRecentKey), stored);
  // The names of the books still listed, the one just opened as it is now.
  const QVariantMap known = settings_.value(QString::fromLatin1(kCompanyNamesKey)).toMap();
  QVariantMap companies;
  for (const QString& each : stored) companies.insert(each, known.value(each));
  companies.insert(QString::fromStdString(location), QString::fromStdString(company));
  settings_.setValue(QString::fromLatin1(kCompanyNamesKey), companies);
}

void LoginDialog::openFile() {
  const QString path =
      QFileDialog::getOpenFileName(this, QStringLiteral("打开帐套文件"), QFileInfo(location_->text()).path(),
                                   QStringLiteral("青简帐套 (*.sqlite);;所有文件 (*)"));
  if (!path.isEmpty()) choose(path);
}

void LoginDialog::createBook() {
  NewBookDialog dialog(boxes_, this);
  if (dialog.exec() != QDialog::Accepted) return;
  choose(dialog.location());
  user_->setText(QString::fromLatin1(host::kAdministrator));
}

void LoginDialog::connectServer() {
  QInputDialog ask(this);
  ask.setWindowTitle(QStringLiteral("连接数据库服务器"));
  ask.setLabelText(QStringLiteral("数据库地址（如 postgresql://用户名@服务器:5432/数据库）："));
  ask.setOkButtonText(QStringLiteral("确定"));
  ask.setCancelButtonText(QStringLiteral("取消"));
  if (data::IsServerLocation(location_->text().toStdString())) ask.setTextValue(location_->text());
  if (ask.exec() != QDialog::Accepted) return;
  const QString uri = ask.textValue().trimmed();
  if (!data::IsServerLocation(uri.toStdString())) {
    boxes_.show("数据库地址应以 postgresql:// 开头。", "连接数据库服务器", msgbox::IconWarning);
    return;
  }
  choose(uri);
}

}  // namespace qj::desktop
