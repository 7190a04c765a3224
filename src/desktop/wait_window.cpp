#include "desktop/wait_window.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

namespace qj::desktop {

WaitWindow::WaitWindow(QWidget* owner) : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("waitWindow"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  // Without a window frame the panel draws the border.
  auto* panel = new QFrame;
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setLineWidth(2);
  auto* text = new QLabel(QStringLiteral("正在处理，请稍候…"));
  text->setAlignment(Qt::AlignCenter);
  auto* inside = new QVBoxLayout(panel);
  inside->setContentsMargins(32, 20, 32, 20);
  inside->addWidget(text);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(panel);
}

void WaitWindow::appear() {
  adjustSize();
  if (QWidget* owner = parentWidget()) move(owner->geometry().center() - rect().center());
  show();
  raise();
  repaint();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace qj::desktop
