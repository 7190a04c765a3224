// 帐套属性: shows a BookPropertiesModel on the pages 单位信息, 凭证 and 外币 and
// forwards every edit to it; 保存 asks the model to save.
#pragma once

#include <QDialog>

#include "host/book_properties_model.h"
#include "hostapi/host_services.h"

class QComboBox;
class QTableWidget;
class QTableWidgetItem;

namespace qj::desktop {

class BookPropertiesDialog : public QDialog {
  Q_OBJECT

 public:
  BookPropertiesDialog(host::BookPropertiesModel& model, HostServices& host, QWidget* parent = nullptr);
  ~BookPropertiesDialog() override;

 private:
  QWidget* companyPage();
  QWidget* voucherPage();
  QWidget* currencyPage();
  void renderVoucherTypes();
  void renderCurrencies();
  void voucherTypeEdited(QTableWidgetItem* item);
  void currencyEdited(QTableWidgetItem* item);
  void addCurrency();
  void removeCurrency();
  void save();
  void tell(const std::string& message);

  host::BookPropertiesModel& model_;
  HostServices& host_;
  QComboBox* scheme_ = nullptr;
  QTableWidget* voucherTypes_ = nullptr;
  QTableWidget* currencies_ = nullptr;
};

}  // namespace qj::desktop
