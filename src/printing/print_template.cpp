#include "printing/print_template.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <numeric>

#include "printing/errors.h"
#include "printing/page_layout.h"

namespace qj::printing {
namespace {

using nlohmann::json;

// The layout version this program writes; a higher one comes from a newer program.
constexpr int kFormatVersion = 1;

const char* AlignmentName(Alignment alignment) {
  switch (alignment) {
    case Alignment::Center:
      return "center";
    case Alignment::Right:
      return "right";
    case Alignment::Left:
      break;
  }
  return "left";
}

[[noreturn]] void Damaged(const std::string& what) { throw TemplateFormatError("打印模板数据已损坏：" + what + "。"); }

Alignment AlignmentFrom(const std::string& name) {
  if (name == "left") return Alignment::Left;
  if (name == "center") return Alignment::Center;
  if (name == "right") return Alignment::Right;
  Damaged("未知的对齐方式“" + name + "”");
}

// The member `key` of an object, of the type of `fallback`; `fallback` when absent.
template <typename T>
T Member(const json& object, const char* key, T fallback) {
  const auto found = object.find(key);
  if (found == object.end()) return fallback;
  try {
    return found->get<T>();
  } catch (const json::exception&) {
    Damaged(std::string("“") + key + "”的值类型不对");
  }
}

std::vector<std::string> Lines(const json& object, const char* key) {
  return Member(object, key, std::vector<std::string>{});
}

TemplateColumn ColumnFrom(const json& item) {
  if (!item.is_object()) Damaged("列的描述不是对象");
  TemplateColumn column;
  column.field = Member(item, "field", std::string{});
  if (column.field.empty()) Damaged("有一列没有字段名");
  column.heading = Member(item, "heading", column.field);
  column.widthMm = Member(item, "width", column.widthMm);
  if (column.widthMm <= 0) Damaged("列“" + column.field + "”的宽度不是正数");
  column.alignment = AlignmentFrom(Member(item, "align", std::string("left")));
  return column;
}

// Whether a column shows amounts or numbers: its first filled cell is one.
bool HoldsNumbers(const DataSet& dataSet, std::size_t index) {
  for (const auto& row : dataSet.rows) {
    if (index >= row.size() || std::holds_alternative<std::monostate>(row[index])) continue;
    return std::holds_alternative<Money>(row[index]) || std::holds_alternative<std::int64_t>(row[index]);
  }
  return false;
}

}  // namespace

data::Blob TemplateToBytes(const PrintTemplate& layout) {
  json columns = json::array();
  for (const TemplateColumn& column : layout.columns) {
    columns.push_back({{"field", column.field},
                       {"heading", column.heading},
                       {"width", column.widthMm},
                       {"align", AlignmentName(column.alignment)}});
  }
  const json document = {
      {"version", kFormatVersion},
      {"title", layout.title},
      {"columns", columns},
      {"header", layout.headerLines},
      {"footer", layout.footerLines},
      {"orientation", layout.orientation == Orientation::Landscape ? "landscape" : "portrait"},
      {"rowsPerPage", layout.rowsPerPage},
  };
  const std::string text = document.dump(-1, ' ', false, json::error_handler_t::replace);
  return {text.begin(), text.end()};
}

PrintTemplate TemplateFromBytes(const data::Blob& bytes) {
  const json document = json::parse(bytes.begin(), bytes.end(), nullptr, false);
  if (document.is_discarded() || !document.is_object()) Damaged("不是有效的模板格式");
  const int version = Member(document, "version", 0);
  if (version > kFormatVersion) throw TemplateFormatError("此打印模板由更新版本的程序保存，无法读取。");
  if (version < 1) Damaged("缺少版本号");

  PrintTemplate layout;
  layout.title = Member(document, "title", std::string{});
  const auto columns = document.find("columns");
  if (columns == document.end() || !columns->is_array()) Damaged("缺少列的定义");
  for (const json& item : *columns) layout.columns.push_back(ColumnFrom(item));
  layout.headerLines = Lines(document, "header");
  layout.footerLines = Lines(document, "footer");
  const std::string orientation = Member(document, "orientation", std::string("portrait"));
  if (orientation == "landscape") {
    layout.orientation = Orientation::Landscape;
  } else if (orientation != "portrait") {
    Damaged("未知的纸张方向“" + orientation + "”");
  }
  layout.rowsPerPage = Member(document, "rowsPerPage", 0);
  if (layout.rowsPerPage < 0) Damaged("每页行数是负数");
  return layout;
}

int ColumnWidthMm(const Column& column) { return std::clamp(2 * column.width + 2, 8, kMaxColumnWidthMm); }

StoredTemplate DefaultTemplate(int reportType, const DataSet& dataSet, const std::string& title) {
  StoredTemplate result;
  result.reportType = reportType;
  result.name = "默认格式";
  PrintTemplate& layout = result.layout;
  layout.title = title;
  for (std::size_t i = 0; i < dataSet.columns.size(); ++i) {
    const Column& column = dataSet.columns[i];
    // Amounts and numbers line up on the right whatever the list asked for.
    const Alignment alignment = HoldsNumbers(dataSet, i) ? Alignment::Right : column.alignment;
    layout.columns.push_back({column.name, column.title, ColumnWidthMm(column), alignment});
  }
  layout.headerLines = {"编制单位：{公司名称}"};
  layout.footerLines = {"打印日期：{打印日期}        第{页码}页，共{总页数}页"};
  const int total = std::accumulate(layout.columns.begin(), layout.columns.end(), 0,
                                    [](int sum, const TemplateColumn& column) { return sum + column.widthMm; });
  if (total > PrintableWidthMm(A4(Orientation::Portrait))) layout.orientation = Orientation::Landscape;
  return result;
}

}  // namespace qj::printing
