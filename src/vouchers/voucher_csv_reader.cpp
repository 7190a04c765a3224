#include <algorithm>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "subjects/csv_rows.h"
#include "vouchers/import_fields.h"
#include "vouchers/voucher_import.h"

namespace qj::vouchers {
namespace {

std::string rowOrigin(int line) { return "第 " + std::to_string(line) + " 行"; }

struct CsvVoucher {
  ImportedVoucher imported;
  std::map<ImportField, std::pair<std::string, int>> header;  // the voucher fields as first given, and their row
  bool dated = false;
  bool whole = false;  // its last row is read
};

void readCsvRow(CsvVoucher& voucher, const std::vector<std::optional<ImportField>>& columns,
                const subjects::CsvRow& row) {
  DraftLine line;
  line.origin = rowOrigin(row.line);
  VoucherDraft& draft = voucher.imported.draft;
  for (std::size_t i = 0; i < columns.size() && i < row.fields.size(); ++i) {
    if (!columns[i]) continue;
    const ImportField field = *columns[i];
    const std::string text = TrimmedText(row.fields[i]);
    if (IsVoucherField(field) && field != ImportField::Key) {
      if (text.empty()) continue;
      const auto first = voucher.header.find(field);
      if (first != voucher.header.end()) {
        if (first->second.first != text)
          AddImportFault(voucher.imported, line.origin + "：凭证“" + draft.key + "”的" + ImportFieldName(field) + "与" +
                                               rowOrigin(first->second.second) + "不同");
        continue;
      }
      voucher.header.emplace(field, std::make_pair(text, row.line));
      if (field == ImportField::Date) voucher.dated = true;
    }
    if (auto problem = SetImportField(draft, line, field, text))
      AddImportFault(voucher.imported, line.origin + "：" + *problem);
  }
  if (row.fields.size() > columns.size()) AddImportFault(voucher.imported, line.origin + "：列数多于标题行");
  draft.lines.push_back(std::move(line));
}

}  // namespace

std::optional<ImportFileFault> ReadVoucherCsv(std::string_view text, const VoucherSink& take) {
  subjects::CsvReader reader(text);
  subjects::CsvRow row;
  if (!reader.next(row)) return ImportFileFault{"文件中没有任何内容"};
  std::vector<std::optional<ImportField>> columns;
  for (const std::string& title : row.fields) {
    const auto field = ImportFieldNamed(TrimmedText(title));
    std::string where = "第 " + std::to_string(row.line) + " 行：";
    if (!field) return ImportFileFault{where.append("不认识的列“").append(title).append("”")};
    if (std::find(columns.begin(), columns.end(), field) != columns.end())
      return ImportFileFault{where.append("“").append(ImportFieldName(*field)).append("”列出现了两次")};
    columns.push_back(field);
  }
  for (const ImportField required : {ImportField::Key, ImportField::Date, ImportField::Subject}) {
    if (std::find(columns.begin(), columns.end(), required) == columns.end())
      return ImportFileFault{std::string("标题行缺少“") + ImportFieldName(required) + "”列"};
  }
  const auto keyColumn =
      static_cast<std::size_t>(std::find(columns.begin(), columns.end(), ImportField::Key) - columns.begin());
  const auto keyOf = [keyColumn](const subjects::CsvRow& read) {
    return keyColumn < read.fields.size() ? TrimmedText(read.fields[keyColumn]) : std::string();
  };
  // A voucher's rows need not stand together: a first look finds each
  // voucher's last row, so that every voucher is handed on as soon as it is
  // whole, in the order of its first row.
  std::unordered_map<std::string, std::size_t> lastRow;
  {
    subjects::CsvReader scan(text);
    scan.next(row);
    for (std::size_t index = 0; scan.next(row); ++index) lastRow[keyOf(row)] = index;
  }
  std::deque<CsvVoucher> open;
  std::unordered_map<std::string, CsvVoucher*> byKey;
  for (std::size_t index = 0; reader.next(row); ++index) {
    const std::string key = keyOf(row);
    auto found = byKey.find(key);
    if (found == byKey.end()) {
      CsvVoucher& fresh = open.emplace_back();
      fresh.imported.draft.key = key;
      fresh.imported.draft.origin = rowOrigin(row.line);
      if (key.empty()) AddImportFault(fresh.imported, rowOrigin(row.line) + "：凭证列为空");
      found = byKey.emplace(key, &fresh).first;
    }
    readCsvRow(*found->second, columns, row);
    if (lastRow[key] == index) found->second->whole = true;
    while (!open.empty() && open.front().whole) {
      CsvVoucher& voucher = open.front();
      if (!voucher.dated)
        AddImportFault(voucher.imported,
                       voucher.imported.draft.origin + "：凭证“" + voucher.imported.draft.key + "”没有日期");
      byKey.erase(voucher.imported.draft.key);
      take(voucher.imported);
      open.pop_front();
    }
  }
  return std::nullopt;
}

}  // namespace qj::vouchers
