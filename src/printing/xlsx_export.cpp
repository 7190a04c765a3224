// WriteXlsx (spreadsheet_export.h), on libxlsxwriter.
#include <xlsxwriter.h>

#include <algorithm>

#include "printing/errors.h"
#include "printing/pending_file.h"
#include "printing/spreadsheet_export.h"

namespace qj::printing {
namespace {

// The sheet's cell formats: the title's, and the bordered ones of the grid.
struct Formats {
  lxw_format* title;
  lxw_format* heading;
  lxw_format* text;
  lxw_format* integer;
  lxw_format* money;
  lxw_format* date;
};

Formats MakeFormats(lxw_workbook* workbook) {
  const auto bordered = [workbook] {
    lxw_format* format = workbook_add_format(workbook);
    format_set_border(format, LXW_BORDER_THIN);
    return format;
  };
  Formats formats{workbook_add_format(workbook), bordered(), bordered(), bordered(), bordered(), bordered()};
  format_set_bold(formats.title);
  format_set_font_size(formats.title, 14);
  format_set_align(formats.title, LXW_ALIGN_CENTER);
  format_set_bold(formats.heading);
  format_set_align(formats.heading, LXW_ALIGN_CENTER);
  format_set_num_format(formats.text, "@");
  format_set_num_format(formats.money, "#,##0.00");
  format_set_num_format(formats.date, "yyyy-mm-dd");
  return formats;
}

// Writes the sheet; returns the first error of any call.
class SheetWriter {
 public:
  SheetWriter(lxw_worksheet* sheet, const Formats& formats) : sheet_(sheet), formats_(formats) {}

  [[nodiscard]] lxw_error error() const { return error_; }

  void text(lxw_row_t row, lxw_col_t column, const std::string& value, lxw_format* format) {
    check(worksheet_write_string(sheet_, row, column, value.c_str(), format));
  }

  void cell(lxw_row_t row, lxw_col_t column, const Cell& value) {
    if (const auto* string = std::get_if<std::string>(&value)) {
      text(row, column, *string, formats_.text);
    } else if (const auto* whole = std::get_if<std::int64_t>(&value)) {
      check(worksheet_write_number(sheet_, row, column, static_cast<double>(*whole), formats_.integer));
    } else if (const auto* amount = std::get_if<Money>(&value)) {
      // The file format holds numbers as doubles; this is the one place an amount becomes one.
      const double number = static_cast<double>(amount->units()) / static_cast<double>(Money::kScale);
      check(worksheet_write_number(sheet_, row, column, number, formats_.money));
    } else if (const auto* date = std::get_if<Date>(&value)) {
      lxw_datetime moment = {date->year(), date->month(), date->day(), 0, 0, 0.0};
      check(worksheet_write_datetime(sheet_, row, column, &moment, formats_.date));
    } else {
      check(worksheet_write_blank(sheet_, row, column, formats_.text));
    }
  }

  void check(lxw_error result) {
    if (error_ == LXW_NO_ERROR) error_ = result;
  }

 private:
  lxw_worksheet* sheet_;
  Formats formats_;
  lxw_error error_ = LXW_NO_ERROR;
};

void WriteSheet(SheetWriter& writer, lxw_worksheet* sheet, const Formats& formats,
                const std::vector<std::string>& titleLines, const DataSet& dataSet,
                const std::vector<std::string>& footerLines) {
  const auto columns = static_cast<lxw_col_t>(dataSet.columns.size());
  lxw_row_t row = 0;
  for (const std::string& line : titleLines) {
    if (row == 0 && columns > 1) {
      writer.check(
          worksheet_merge_range(sheet, 0, 0, 0, static_cast<lxw_col_t>(columns - 1), line.c_str(), formats.title));
    } else {
      writer.text(row, 0, line, row == 0 ? formats.title : nullptr);
    }
    ++row;
  }
  if (!titleLines.empty()) ++row;

  for (lxw_col_t column = 0; column < columns; ++column) {
    const Column& definition = dataSet.columns[column];
    writer.check(worksheet_set_column(sheet, column, column, std::max(definition.width, 1), nullptr));
    writer.text(row, column, definition.title, formats.heading);
  }
  ++row;
  for (const auto& cells : dataSet.rows) {
    for (lxw_col_t column = 0; column < columns; ++column) writer.cell(row, column, CellAt(cells, column));
    ++row;
  }

  if (!footerLines.empty()) ++row;
  for (const std::string& line : footerLines) writer.text(row++, 0, line, nullptr);
}

std::string Describe(lxw_error error, const std::string& path) {
  switch (error) {
    case LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED:
      return "有单元格的文字超过32767个字符，电子表格放不下，无法导出。";
    case LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE:
      return "列表的行数或列数超过电子表格的上限，无法导出。";
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
      return "无法创建导出所需的临时文件，请检查临时文件夹的空间和权限。";
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
      return "内存不足，无法导出电子表格。";
    default:
      return CannotWriteMessage(path);
  }
}

}  // namespace

void WriteXlsx(const std::string& path, const std::vector<std::string>& titleLines, const DataSet& dataSet,
               const std::vector<std::string>& footerLines) {
  PendingFile file(path);
  lxw_workbook* workbook = workbook_new(file.temporaryPath().c_str());
  if (workbook == nullptr) throw ExportError(Describe(LXW_ERROR_MEMORY_MALLOC_FAILED, path));
  lxw_worksheet* sheet = workbook_add_worksheet(workbook, "数据");
  const Formats formats = MakeFormats(workbook);
  SheetWriter writer(sheet, formats);
  WriteSheet(writer, sheet, formats, titleLines, dataSet, footerLines);
  // Closing writes the file and frees the workbook, also after an error above.
  writer.check(workbook_close(workbook));
  if (writer.error() != LXW_NO_ERROR) throw ExportError(Describe(writer.error(), path));
  if (!file.commit()) throw ExportError(CannotWriteMessage(path));
}

}  // namespace qj::printing
