#include "cli/sheet_output.h"

#include <QApplication>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/arguments.h"
#include "printing/print_job.h"
#include "printing/print_template.h"
#include "printing/spreadsheet_export.h"
#include "printing/text_length.h"
#include "printing/widgets/list_printer.h"

namespace qj::cli {
namespace {

using ledgers::SheetCell;
using ledgers::SheetColumn;
using ledgers::SheetColumnKind;
using ledgers::SheetRow;

// The cell as a terminal table shows it: amounts grouped with two decimals.
std::string displayText(const SheetCell& cell) {
  if (const auto* text = std::get_if<std::string>(&cell)) return *text;
  if (const auto* amount = std::get_if<Money>(&cell)) return amount->grouped();
  if (const auto* date = std::get_if<Date>(&cell)) return date->toString();
  return {};
}

// The cell as CSV and JSON carry it: amounts exact.
std::string exactText(const SheetCell& cell) {
  if (const auto* amount = std::get_if<Money>(&cell)) return ExactAmountText(*amount);
  return displayText(cell);
}

printing::Cell printCell(const SheetCell& cell) {
  if (const auto* text = std::get_if<std::string>(&cell)) return *text;
  if (const auto* amount = std::get_if<Money>(&cell)) return *amount;
  if (const auto* date = std::get_if<Date>(&cell)) return *date;
  return {};
}

std::string csvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

}  // namespace

std::string ExactAmountText(Money amount) {
  std::string text = amount.toString(Money::kDecimals);
  while (text.size() > 3 && text.back() == '0' && text[text.size() - 3] != '.') text.pop_back();
  return text;
}

SheetFormat ParseSheetFormat(const std::optional<std::string>& format, const std::optional<std::string>& output) {
  const std::string name = format.value_or("table");
  SheetFormat parsed;
  if (name == "table")
    parsed = SheetFormat::Table;
  else if (name == "csv")
    parsed = SheetFormat::Csv;
  else if (name == "json")
    parsed = SheetFormat::Json;
  else if (name == "xlsx")
    parsed = SheetFormat::Xlsx;
  else if (name == "pdf")
    parsed = SheetFormat::Pdf;
  else
    throw UsageError("--format 应为 table、csv、json、xlsx 或 pdf：" + name);
  if ((parsed == SheetFormat::Xlsx || parsed == SheetFormat::Pdf) && !output)
    throw UsageError("--format " + name + " 需要用 --output 指定文件");
  return parsed;
}

class SheetOutput::Writer {
 public:
  Writer(SheetFormat format, std::optional<std::string> path, SheetHeading heading, std::vector<SheetColumn> columns)
      : format_(format), path_(std::move(path)), heading_(std::move(heading)), columns_(std::move(columns)) {
    if (streamed()) {
      if (path_) {
        // Written beside the target and renamed at the end, so a failure
        // leaves no half file under the name asked for.
        file_.open(partPath(), std::ios::binary | std::ios::trunc);
        if (!file_) throw std::runtime_error("无法写入文件：" + *path_);
      }
      begin();
    }
  }

  void add(const SheetRow& row) {
    switch (format_) {
      case SheetFormat::Csv: {
        std::string line;
        for (std::size_t i = 0; i < row.size(); ++i) line += (i ? "," : "") + csvField(exactText(row[i]));
        out() << line << "\r\n";
        break;
      }
      case SheetFormat::Json: {
        nlohmann::ordered_json object;
        for (std::size_t i = 0; i < columns_.size() && i < row.size(); ++i) {
          const std::string text = exactText(row[i]);
          object[columns_[i].name] = text.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(text);
        }
        out() << (rows_++ ? ",\n    " : "\n    ") << object.dump();
        break;
      }
      default:
        kept_.push_back(row);
    }
  }

  void finish() {
    switch (format_) {
      case SheetFormat::Csv:
        break;
      case SheetFormat::Json:
        out() << (rows_ ? "\n  " : "") << "]\n}\n";
        break;
      case SheetFormat::Table:
        writeTable();
        break;
      case SheetFormat::Xlsx:
        printing::WriteXlsx(*path_, titleLines(), dataSet(), {});
        return;
      case SheetFormat::Pdf:
        writePdf();
        return;
    }
    if (path_) {
      file_.close();
      if (!file_ || std::rename(partPath().c_str(), path_->c_str()) != 0) {
        std::remove(partPath().c_str());
        throw std::runtime_error("无法写入文件：" + *path_);
      }
    }
  }

  ~Writer() {
    if (file_.is_open()) {
      file_.close();
      std::remove(partPath().c_str());
    }
  }

 private:
  [[nodiscard]] bool streamed() const {
    return format_ == SheetFormat::Csv || format_ == SheetFormat::Json || format_ == SheetFormat::Table;
  }
  [[nodiscard]] std::string partPath() const { return *path_ + ".part"; }
  std::ostream& out() { return path_ ? static_cast<std::ostream&>(file_) : std::cout; }

  [[nodiscard]] std::vector<std::string> titleLines() const {
    std::vector<std::string> lines{heading_.title};
    lines.insert(lines.end(), heading_.headerLines.begin(), heading_.headerLines.end());
    return lines;
  }

  void begin() {
    if (format_ == SheetFormat::Csv) {
      if (path_) out() << "\xEF\xBB\xBF";  // so spreadsheet programs read the Chinese right
      for (const auto& line : titleLines()) out() << csvField(line) << "\r\n";
      std::string titles;
      for (std::size_t i = 0; i < columns_.size(); ++i) titles += (i ? "," : "") + csvField(columns_[i].title);
      out() << titles << "\r\n";
    } else if (format_ == SheetFormat::Json) {
      // The rows follow one by one, so the object is written by hand around them.
      nlohmann::ordered_json columns = nlohmann::ordered_json::array();
      for (const auto& column : columns_) columns.push_back({{"name", column.name}, {"title", column.title}});
      out() << "{\n  \"title\": " << nlohmann::ordered_json(heading_.title).dump()
            << ",\n  \"header\": " << nlohmann::ordered_json(heading_.headerLines).dump()
            << ",\n  \"columns\": " << columns.dump() << ",\n  \"rows\": [";
    }
  }

  void writeTable() {
    std::vector<std::size_t> widths(columns_.size());
    for (std::size_t i = 0; i < columns_.size(); ++i) widths[i] = printing::DisplayWidth(columns_[i].title);
    std::vector<std::vector<std::string>> texts;
    texts.reserve(kept_.size());
    for (const auto& row : kept_) {
      auto& line = texts.emplace_back();
      for (std::size_t i = 0; i < columns_.size(); ++i) {
        line.push_back(i < row.size() ? displayText(row[i]) : std::string());
        widths[i] = std::max(widths[i], printing::DisplayWidth(line.back()));
      }
    }
    for (const auto& line : titleLines()) out() << line << "\n";
    const auto print = [&](const std::vector<std::string>& cells) {
      std::string line;
      for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::string pad(widths[i] - printing::DisplayWidth(cells[i]), ' ');
        const bool right = columns_[i].kind == SheetColumnKind::Amount;
        line += (i ? "  " : "") + (right ? pad + cells[i] : cells[i] + pad);
      }
      while (!line.empty() && line.back() == ' ') line.pop_back();
      out() << line << "\n";
    };
    std::vector<std::string> titles;
    for (const auto& column : columns_) titles.push_back(column.title);
    print(titles);
    for (const auto& line : texts) print(line);
  }

  [[nodiscard]] printing::DataSet dataSet() const {
    printing::DataSet data;
    for (const auto& column : columns_) {
      const bool amount = column.kind == SheetColumnKind::Amount;
      data.columns.push_back({column.name, column.title,
                              amount ? printing::Alignment::Right : printing::Alignment::Left, amount ? 14 : 10});
    }
    for (const auto& row : kept_) {
      auto& cells = data.rows.emplace_back();
      for (const auto& cell : row) cells.push_back(printCell(cell));
    }
    return data;
  }

  void writePdf() {
    // Painting a PDF needs a Qt application; a script has no screen.
    std::unique_ptr<QApplication> app;
    if (!QCoreApplication::instance()) {
      if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
      static int argc = 1;
      static char name[] = "qingjian-cli";
      static char* argv[] = {name, nullptr};
      app = std::make_unique<QApplication>(argc, argv);
    }
    printing::PrintJob job;
    job.data = dataSet();
    job.layout = printing::DefaultTemplate(heading_.reportType, job.data, heading_.title).layout;
    job.layout.headerLines.insert(job.layout.headerLines.end(), heading_.headerLines.begin(),
                                  heading_.headerLines.end());
    printing::ListPrinter(std::move(job)).writePdf(*path_);
  }

  SheetFormat format_;
  std::optional<std::string> path_;
  SheetHeading heading_;
  std::vector<SheetColumn> columns_;
  std::ofstream file_;
  std::size_t rows_ = 0;
  std::vector<SheetRow> kept_;
};

SheetOutput::SheetOutput(SheetFormat format, std::optional<std::string> path, SheetHeading heading,
                         std::vector<ledgers::SheetColumn> columns)
    : writer_(std::make_unique<Writer>(format, std::move(path), std::move(heading), std::move(columns))) {}
SheetOutput::~SheetOutput() = default;

void SheetOutput::add(const ledgers::SheetRow& row) { writer_->add(row); }
void SheetOutput::finish() { writer_->finish(); }

}  // namespace qj::cli
