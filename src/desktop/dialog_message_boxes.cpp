#include "desktop/dialog_message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "hostapi/host_services.h"

namespace qj::desktop {
namespace {

QMessageBox::Icon iconOf(int flags) {
  switch (flags & 0xf0) {
    case msgbox::IconError:
      return QMessageBox::Critical;
    case msgbox::IconQuestion:
      return QMessageBox::Question;
    case msgbox::IconWarning:
      return QMessageBox::Warning;
    case msgbox::IconInformation:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

}  // namespace

int DialogMessageBoxes::show(const std::string& text, const std::string& caption, int flags) {
  QWidget* parent = QApplication::activeModalWidget();
  if (!parent) parent = QApplication::activeWindow();
  QMessageBox box(iconOf(flags), QString::fromStdString(caption), QString::fromStdString(text), QMessageBox::NoButton,
                  parent);
  const int buttons = flags & 0x0f;
  if (buttons == msgbox::YesNo || buttons == msgbox::YesNoCancel) {
    QPushButton* yes = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
    QPushButton* cancel =
        buttons == msgbox::YesNoCancel ? box.addButton(QStringLiteral("取消(&C)"), QMessageBox::RejectRole) : nullptr;
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel ? cancel : no);
    box.exec();
    if (box.clickedButton() == yes) return msgbox::IdYes;
    if (cancel && box.clickedButton() != no) return msgbox::IdCancel;
    return msgbox::IdNo;
  }
  box.setDefaultButton(box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole));
  box.exec();
  return msgbox::IdOk;
}

}  // namespace qj::desktop
