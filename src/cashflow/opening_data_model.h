// The opening cash-flow data screen ("现金流量初始数据") without its widgets:
// for a book started after January, the inflow and outflow of every detail
// item in each month of the start year before the start month.
//
// Edits are held in the model until 确定 stores them in one transaction; a
// save that fails keeps them, so that the user can try again.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "cashflow/opening_data_row.h"
#include "hostapi/host_services.h"

namespace qj::cashflow {

// The package's privilege function of the screen.
inline constexpr int kOpeningDataPrivilegeFunction = 71;

class OpeningDataModel {
 public:
  static constexpr const char* kCaption = "现金流量初始数据";
  static constexpr const char* kChangedQuestion = "数据已改变，是否存盘？";

  explicit OpeningDataModel(HostServices& host);

  // The months before the start month, "一月份" onwards.
  [[nodiscard]] const std::vector<std::string>& months() const { return months_; }
  [[nodiscard]] std::size_t currentMonth() const { return month_; }
  // The current month's period text: the start year and the month.
  [[nodiscard]] std::string period() const;

  // Loads the first month; false when a failure stopped it (reported).
  bool open();
  // Shows another month. With unsaved edits the user is asked first: Yes
  // saves them (a failed save keeps the current month and its edits), No
  // drops them.
  void chooseMonth(std::size_t index);

  [[nodiscard]] static const std::vector<OpeningDataColumn>& Columns();
  [[nodiscard]] static std::string Title(OpeningDataColumn column);
  [[nodiscard]] const std::vector<OpeningDataRow>& rows() const { return rows_; }
  [[nodiscard]] std::string cellText(std::size_t row, OpeningDataColumn column) const;
  [[nodiscard]] static bool Editable(OpeningDataColumn column);
  // Takes an amount typed into an inflow or outflow cell ("" is 0), rounded
  // to fen; false, after a message, when the text is no amount.
  bool editCell(std::size_t row, OpeningDataColumn column, const std::string& text);

  // Whether 确定 is enabled: there are unsaved edits.
  [[nodiscard]] bool changed() const { return changed_; }
  // 确定: stores the edits in one transaction and reads the month again;
  // false when it failed (reported) and the edits are still pending.
  bool save();
  // 关闭: true when the screen may close; unsaved edits are asked about as
  // on changing month, and a failed save keeps the screen open.
  bool mayClose();

 private:
  // Asks about unsaved edits; false when they should have been saved and were not.
  bool settleEdits();
  void load();
  bool reload();

  HostServices& host_;
  data::Connection& db_;
  std::vector<std::string> months_;
  std::size_t month_ = 0;
  std::vector<OpeningDataRow> rows_;
  bool changed_ = false;
};

}  // namespace qj::cashflow
