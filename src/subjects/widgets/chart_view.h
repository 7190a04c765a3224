// The chart as both chart screens show it: a tab per class over the class's tree.
#pragma once

#include <QWidget>
#include <string>

#include "subjects/subject_tree.h"

class QTabBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace qj::subjects {

class ChartView : public QWidget {
  Q_OBJECT

 public:
  explicit ChartView(QWidget* parent = nullptr);

  // Shows a class's tree with one code selected ("" for none).
  void showTree(int classDigit, const SubjectTree& tree, const std::string& selected);
  [[nodiscard]] QTabBar* tabs() { return tabs_; }
  [[nodiscard]] QTreeWidget* tree() { return tree_; }

 signals:
  void classChosen(int classDigit);
  void subjectSelected(const QString& code);
  void subjectActivated(const QString& code);  // double-clicked

 private:
  QTabBar* tabs_;
  QTreeWidget* tree_;
};

}  // namespace qj::subjects
