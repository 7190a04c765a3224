#include "printing/template_editor_model.h"

#include <algorithm>

#include "printing/errors.h"
#include "printing/page_layout.h"
#include "printing/text_length.h"

namespace qj::printing {
namespace {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    if (!text.empty()) text += '\n';
    text += line;
  }
  return text;
}

}  // namespace

TemplateEditorModel::TemplateEditorModel(StoredTemplate start, std::vector<Column> fields)
    : edited_(std::move(start)), fields_(std::move(fields)) {}

std::vector<Column> TemplateEditorModel::unusedFields() const {
  std::vector<Column> unused;
  std::copy_if(fields_.begin(), fields_.end(), std::back_inserter(unused),
               [this](const Column& candidate) { return !shown(candidate.name); });
  return unused;
}

std::string TemplateEditorModel::headerText() const { return JoinLines(edited_.layout.headerLines); }
std::string TemplateEditorModel::footerText() const { return JoinLines(edited_.layout.footerLines); }

std::vector<std::string> TemplateEditorModel::problems() const {
  std::vector<std::string> found;
  if (edited_.name.empty()) found.emplace_back("请填写模板名称。");
  if (CharacterCount(edited_.name) > static_cast<std::size_t>(kMaxTemplateNameLength)) {
    found.push_back("模板名称不能超过" + std::to_string(kMaxTemplateNameLength) + "个字。");
  }
  const PrintTemplate& layout = edited_.layout;
  if (layout.columns.empty()) found.emplace_back("请至少选择一列。");
  for (std::size_t i = 0; i < layout.columns.size(); ++i) {
    const TemplateColumn& column = layout.columns[i];
    const std::string which = "第" + std::to_string(i + 1) + "列“" + column.heading + "”";
    if (field(column.field) == nullptr) found.push_back(which + "不是此列表的列（" + column.field + "）。");
    if (column.heading.empty()) found.push_back("第" + std::to_string(i + 1) + "列没有标题。");
    if (column.widthMm < kMinColumnWidthMm || column.widthMm > kMaxColumnWidthMm) {
      found.push_back(which + "的宽度须在" + std::to_string(kMinColumnWidthMm) + "到" +
                      std::to_string(kMaxColumnWidthMm) + "毫米之间。");
    }
  }
  if (layout.rowsPerPage < 0) found.emplace_back("每页行数不能是负数。");
  try {
    const PageLayout page = LayOut(layout, A4(layout.orientation));
    if (layout.rowsPerPage > page.linesPerPage) {
      found.push_back("每页行数太多：A4纸上最多放" + std::to_string(page.linesPerPage) + "行。");
    }
  } catch (const PrintError& error) {
    found.emplace_back(error.what());
  }
  return found;
}

void TemplateEditorModel::setHeaderText(const std::string& text) { edited_.layout.headerLines = SplitLines(text); }
void TemplateEditorModel::setFooterText(const std::string& text) { edited_.layout.footerLines = SplitLines(text); }

bool TemplateEditorModel::addColumn(const std::string& name) {
  const Column* candidate = field(name);
  if (candidate == nullptr || shown(name)) return false;
  edited_.layout.columns.push_back(
      {candidate->name, candidate->title, ColumnWidthMm(*candidate), candidate->alignment});
  return true;
}

void TemplateEditorModel::removeColumn(std::size_t index) {
  auto& columns = edited_.layout.columns;
  if (index < columns.size()) columns.erase(columns.begin() + static_cast<std::ptrdiff_t>(index));
}

void TemplateEditorModel::moveColumn(std::size_t from, std::size_t to) {
  auto& columns = edited_.layout.columns;
  if (from >= columns.size() || to >= columns.size() || from == to) return;
  TemplateColumn moved = std::move(columns[from]);
  columns.erase(columns.begin() + static_cast<std::ptrdiff_t>(from));
  columns.insert(columns.begin() + static_cast<std::ptrdiff_t>(to), std::move(moved));
}

void TemplateEditorModel::setColumnHeading(std::size_t index, std::string heading) {
  if (TemplateColumn* target = column(index)) target->heading = std::move(heading);
}

void TemplateEditorModel::setColumnWidth(std::size_t index, int widthMm) {
  if (TemplateColumn* target = column(index)) target->widthMm = widthMm;
}

void TemplateEditorModel::setColumnAlignment(std::size_t index, Alignment alignment) {
  if (TemplateColumn* target = column(index)) target->alignment = alignment;
}

const Column* TemplateEditorModel::field(const std::string& name) const {
  const auto found =
      std::find_if(fields_.begin(), fields_.end(), [&name](const Column& candidate) { return candidate.name == name; });
  return found == fields_.end() ? nullptr : &*found;
}

bool TemplateEditorModel::shown(const std::string& name) const {
  const auto& columns = edited_.layout.columns;
  return std::any_of(columns.begin(), columns.end(),
                     [&name](const TemplateColumn& candidate) { return candidate.field == name; });
}

TemplateColumn* TemplateEditorModel::column(std::size_t index) {
  auto& columns = edited_.layout.columns;
  return index < columns.size() ? &columns[index] : nullptr;
}

}  // namespace qj::printing
