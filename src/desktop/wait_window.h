// The small frameless window that says long work is under way.
#pragma once

#include <QWidget>

namespace qj::desktop {

class WaitWindow : public QWidget {
  Q_OBJECT

 public:
  explicit WaitWindow(QWidget* owner);

  // Shows itself over the owner's centre and paints at once: the work that
  // follows keeps the event loop busy.
  void appear();
};

}  // namespace qj::desktop
