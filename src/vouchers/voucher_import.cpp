#include "vouchers/voucher_import.h"

#include <algorithm>
#include <charconv>
#include <deque>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <unordered_map>

#include "base/host_lock.h"
#include "base/text_checks.h"
#include "subjects/csv_rows.h"
#include "vouchers/save_guards.h"
#include "vouchers/voucher_batch.h"
#include "vouchers/voucher_numbering_queries.h"

namespace qj::vouchers {

namespace {

using nlohmann::json;

enum class Field { Key, Date, Type, Attachments, Maker, Summary, Subject, Currency, Rate, Foreign, Debit, Credit };

struct FieldName {
  Field field;
  const char* chinese;
  const char* english;
};

constexpr FieldName kFields[] = {
    {Field::Key, "凭证", "voucher"},     {Field::Date, "日期", "date"},
    {Field::Type, "凭证字", "type"},     {Field::Attachments, "附件", "attachments"},
    {Field::Maker, "制单人", "maker"},   {Field::Summary, "摘要", "summary"},
    {Field::Subject, "科目", "subject"}, {Field::Currency, "币种", "currency"},
    {Field::Rate, "汇率", "rate"},       {Field::Foreign, "原币", "foreign"},
    {Field::Debit, "借方", "debit"},     {Field::Credit, "贷方", "credit"},
};

bool isVoucherField(Field field) { return field <= Field::Maker; }

std::optional<Field> fieldNamed(const std::string& name) {
  for (const FieldName& known : kFields)
    if (name == known.chinese || name == known.english) return known.field;
  return std::nullopt;
}

const char* nameOf(Field field) {
  for (const FieldName& known : kFields)
    if (known.field == field) return known.chinese;
  return "";
}

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::optional<int> integerOf(const std::string& text) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// Sets one field from its text; the fault when the text is no such value.
std::optional<std::string> setField(VoucherDraft& draft, DraftLine& line, Field field, const std::string& raw) {
  const std::string text = trimmed(raw);
  if (auto fault = base::TextFault(text)) return std::string(nameOf(field)) + *fault;
  const auto amount = [&](Money& target) -> std::optional<std::string> {
    if (text.empty()) return std::nullopt;
    try {
      target = ParseEnteredAmount(text);
    } catch (const MoneyError& error) {
      return std::string(nameOf(field)) + "：" + error.what();
    }
    return std::nullopt;
  };
  const auto number = [&](auto& target) -> std::optional<std::string> {
    if (text.empty()) return std::nullopt;
    const auto value = integerOf(text);
    if (!value) return std::string(nameOf(field)) + "应为整数：“" + text + "”";
    target = *value;
    return std::nullopt;
  };
  switch (field) {
    case Field::Key:
      draft.key = text;
      return std::nullopt;
    case Field::Date: {
      const auto date = Date::parse(text);
      if (!date) return "日期应为 YYYY-MM-DD：“" + text + "”";
      draft.date = *date;
      return std::nullopt;
    }
    case Field::Type:
      draft.type = text;
      return std::nullopt;
    case Field::Attachments:
      return number(draft.attachments);
    case Field::Maker:
      if (!text.empty()) draft.maker = text;
      return std::nullopt;
    case Field::Summary:
      line.summary = text;
      return std::nullopt;
    case Field::Subject:
      line.subject = text;
      return std::nullopt;
    case Field::Currency:
      return number(line.moneyId);
    case Field::Rate:
      line.rate = text;
      return std::nullopt;
    case Field::Foreign:
      return amount(line.foreign);
    case Field::Debit:
      return amount(line.debit);
    case Field::Credit:
      return amount(line.credit);
  }
  return std::nullopt;
}

std::string rowOrigin(int line) { return "第 " + std::to_string(line) + " 行"; }

// ---- CSV ----

struct CsvVoucher {
  ImportedVoucher imported;
  std::map<Field, std::pair<std::string, int>> header;  // the voucher fields as first given, and their row
  bool dated = false;
  bool whole = false;  // its last row is read
};

void fault(ImportedVoucher& voucher, const std::string& text) {
  if (!voucher.fault) voucher.fault = text;
}

void readCsvRow(CsvVoucher& voucher, const std::vector<std::optional<Field>>& columns, const subjects::CsvRow& row) {
  DraftLine line;
  line.origin = rowOrigin(row.line);
  VoucherDraft& draft = voucher.imported.draft;
  for (std::size_t i = 0; i < columns.size() && i < row.fields.size(); ++i) {
    if (!columns[i]) continue;
    const Field field = *columns[i];
    const std::string text = trimmed(row.fields[i]);
    if (isVoucherField(field) && field != Field::Key) {
      if (text.empty()) continue;
      const auto first = voucher.header.find(field);
      if (first != voucher.header.end()) {
        if (first->second.first != text)
          fault(voucher.imported, line.origin + "：凭证“" + draft.key + "”的" + nameOf(field) + "与" +
                                      rowOrigin(first->second.second) + "不同");
        continue;
      }
      voucher.header.emplace(field, std::make_pair(text, row.line));
      if (field == Field::Date) voucher.dated = true;
    }
    if (auto problem = setField(draft, line, field, text)) fault(voucher.imported, line.origin + "：" + *problem);
  }
  if (row.fields.size() > columns.size()) fault(voucher.imported, line.origin + "：列数多于标题行");
  draft.lines.push_back(std::move(line));
}

// ---- JSON ----

// Reads a top-level array as nlohmann's parser would build it, except that
// every number is kept as the text it was written as, so that amounts never
// pass through floating point, and that each element of the array goes to
// `element` as soon as it is whole instead of being kept.
class NumbersAsText final : public nlohmann::json_sax<json> {
 public:
  explicit NumbersAsText(std::function<void(const json&, std::size_t)> element) : element_(std::move(element)) {}

  std::optional<std::size_t> errorAt;
  // A name given twice in one object, and the voucher (from 1) it is in.
  std::optional<std::pair<std::string, std::size_t>> repeated;
  bool notArray = false;  // the document is not an array
  bool trailing = false;  // the error is text after the whole document

  bool null() override { return put(json()); }
  bool boolean(bool value) override { return put(json(value)); }
  bool number_integer(number_integer_t value) override { return put(json(std::to_string(value))); }
  bool number_unsigned(number_unsigned_t value) override { return put(json(std::to_string(value))); }
  bool number_float(number_float_t /*value*/, const string_t& text) override { return put(json(text)); }
  bool string(string_t& value) override { return put(json(value)); }
  bool binary(binary_t& /*value*/) override { return false; }
  bool start_object(std::size_t /*elements*/) override { return open(json::object()); }
  bool key(string_t& name) override {
    if (open_.back()->contains(name)) {
      repeated = {name, handed_ + 1};
      return false;
    }
    key_ = name;
    return true;
  }
  bool end_object() override { return close(); }
  bool start_array(std::size_t /*elements*/) override { return open(json::array()); }
  bool end_array() override { return close(); }
  bool parse_error(std::size_t position, const std::string& /*token*/,
                   const nlohmann::detail::exception& /*error*/) override {
    errorAt = position;
    trailing = open_.empty() && started_;
    return false;
  }

 private:
  json* place(json value) {
    if (open_.empty()) {
      started_ = true;
      root_ = std::move(value);
      return &root_;
    }
    json& parent = *open_.back();
    if (parent.is_array()) {
      parent.push_back(std::move(value));
      return &parent.back();
    }
    parent[key_] = std::move(value);
    return &parent[key_];
  }
  bool put(json value) {
    if (open_.empty()) return topLevel(value);
    place(std::move(value));
    return handOnWhole();
  }
  bool open(json container) {
    if (open_.empty() && !topLevel(container)) return false;
    open_.push_back(place(std::move(container)));
    return true;
  }
  bool close() {
    open_.pop_back();
    return handOnWhole();
  }
  bool topLevel(const json& value) {
    notArray = !value.is_array();
    return !notArray;
  }
  // An element of the top-level array that is complete goes to `element`.
  bool handOnWhole() {
    if (open_.size() == 1) {
      element_(root_.back(), handed_++);
      root_.get_ref<json::array_t&>().pop_back();
    }
    return true;
  }

  std::function<void(const json&, std::size_t)> element_;
  json root_;
  bool started_ = false;
  std::size_t handed_ = 0;
  std::vector<json*> open_;
  std::string key_;
};

int lineAt(std::string_view text, std::size_t position) {
  const std::size_t end = std::min(position, text.size());
  return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(end), '\n'));
}

// A scalar as the text a CSV cell would hold; nothing for an object or array.
std::optional<std::string> scalarText(const json& value) {
  if (value.is_null()) return std::string();
  if (value.is_string()) return value.get<std::string>();
  if (value.is_boolean()) return std::string(value.get<bool>() ? "true" : "false");
  return std::nullopt;
}

// Sets the fields of one JSON object; `lines` receives the value of the lines field.
void readJsonObject(ImportedVoucher& voucher, DraftLine& line, const json& object, const std::string& origin,
                    bool voucherLevel, const json** lines) {
  for (const auto& [name, value] : object.items()) {
    if (voucherLevel && (name == "lines" || name == "分录")) {
      *lines = &value;
      continue;
    }
    const auto field = fieldNamed(name);
    if (!field || isVoucherField(*field) != voucherLevel) {
      std::string message = origin;
      message.append("：不认识的字段“").append(name).append("”");
      fault(voucher, message);
      continue;
    }
    const auto text = scalarText(value);
    if (!text) {
      fault(voucher, origin + "：" + nameOf(*field) + "应为文字或数字");
      continue;
    }
    if (auto problem = setField(voucher.draft, line, *field, *text)) fault(voucher, origin + "：" + *problem);
  }
}

ImportedVoucher readJsonVoucher(const json& value, std::size_t index) {
  ImportedVoucher voucher;
  VoucherDraft& draft = voucher.draft;
  draft.origin = "第 " + std::to_string(index + 1) + " 张凭证";
  draft.key = std::to_string(index + 1);
  if (!value.is_object()) {
    voucher.fault = draft.origin + "应为一个对象";
    return voucher;
  }
  if (!value.contains("date") && !value.contains("日期")) fault(voucher, draft.origin + "：缺少日期");
  DraftLine unused;
  const json* lines = nullptr;
  readJsonObject(voucher, unused, value, draft.origin, true, &lines);
  if (lines == nullptr || !lines->is_array()) {
    fault(voucher, draft.origin + "：缺少分录数组 lines");
    return voucher;
  }
  for (std::size_t i = 0; i < lines->size(); ++i) {
    DraftLine line;
    line.origin = draft.origin + "第 " + std::to_string(i + 1) + " 条分录";
    const json& item = (*lines)[i];
    if (item.is_object())
      readJsonObject(voucher, line, item, line.origin, false, nullptr);
    else
      fault(voucher, line.origin + "应为一个对象");
    draft.lines.push_back(std::move(line));
  }
  return voucher;
}

}  // namespace

std::optional<ImportFileFault> ReadVoucherCsv(std::string_view text, const VoucherSink& take) {
  subjects::CsvReader reader(text);
  subjects::CsvRow row;
  if (!reader.next(row)) return ImportFileFault{"文件中没有任何内容"};
  std::vector<std::optional<Field>> columns;
  for (const std::string& title : row.fields) {
    const auto field = fieldNamed(trimmed(title));
    std::string where = "第 " + std::to_string(row.line) + " 行：";
    if (!field) return ImportFileFault{where.append("不认识的列“").append(title).append("”")};
    if (std::find(columns.begin(), columns.end(), field) != columns.end())
      return ImportFileFault{where.append("“").append(nameOf(*field)).append("”列出现了两次")};
    columns.push_back(field);
  }
  for (const Field required : {Field::Key, Field::Date, Field::Subject}) {
    if (std::find(columns.begin(), columns.end(), required) == columns.end())
      return ImportFileFault{std::string("标题行缺少“") + nameOf(required) + "”列"};
  }
  const auto keyColumn =
      static_cast<std::size_t>(std::find(columns.begin(), columns.end(), Field::Key) - columns.begin());
  const auto keyOf = [keyColumn](const subjects::CsvRow& read) {
    return keyColumn < read.fields.size() ? trimmed(read.fields[keyColumn]) : std::string();
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
      if (key.empty()) fault(fresh.imported, rowOrigin(row.line) + "：凭证列为空");
      found = byKey.emplace(key, &fresh).first;
    }
    readCsvRow(*found->second, columns, row);
    if (lastRow[key] == index) found->second->whole = true;
    while (!open.empty() && open.front().whole) {
      CsvVoucher& voucher = open.front();
      if (!voucher.dated)
        fault(voucher.imported, voucher.imported.draft.origin + "：凭证“" + voucher.imported.draft.key + "”没有日期");
      byKey.erase(voucher.imported.draft.key);
      take(voucher.imported);
      open.pop_front();
    }
  }
  return std::nullopt;
}

std::optional<ImportFileFault> ReadVoucherJson(std::string_view text, const VoucherSink& take) {
  NumbersAsText document([&take](const json& value, std::size_t index) { take(readJsonVoucher(value, index)); });
  // Strict: nothing but white space may follow the array.
  const bool parsed = json::sax_parse(text, &document, json::input_format_t::json, true);
  if (document.repeated) {
    return ImportFileFault{"JSON 格式错误：第 " + std::to_string(document.repeated->second) + " 张凭证中字段“" +
                           document.repeated->first + "”出现了两次"};
  }
  if (document.notArray) return ImportFileFault{"JSON 文件应为凭证的数组：[{...}, {...}]"};
  if (!parsed) {
    const std::string line = std::to_string(lineAt(text, document.errorAt.value_or(text.size())));
    if (document.trailing) return ImportFileFault{"JSON 格式错误：第 " + line + " 行：凭证数组之后还有其他内容"};
    return ImportFileFault{"JSON 格式错误：第 " + line + " 行附近"};
  }
  return std::nullopt;
}

namespace {

// Why a voucher of the file cannot be stored, and where; or the voucher ready to be.
using VoucherCheck = std::variant<CheckedVoucher, RejectedVoucher>;

VoucherCheck check(const ImportedVoucher& voucher, const DraftBook& book) {
  const VoucherDraft& draft = voucher.draft;
  if (voucher.fault) return RejectedVoucher{draft.key, draft.origin, Refusal{*voucher.fault}};
  DraftResult result = CheckDraft(draft, book);
  if (auto* refused = std::get_if<DraftRefusal>(&result)) {
    const std::string& where = refused->line ? draft.lines[*refused->line].origin : draft.origin;
    return RejectedVoucher{draft.key, where, refused->refusal};
  }
  return std::move(std::get<CheckedVoucher>(result));
}

}  // namespace

ImportReport ImportVouchers(HostServices& host, const VoucherFileReader& read, ImportOptions options) {
  ImportReport report;
  if (auto refusal = SaveRightRefusal(host, true)) {
    report.storeRefusal = refusal;
    return report;
  }
  DraftBook book = DraftBook::load(host);
  book.farDatesAllowed = options.farDates;
  base::HostLock lock(host, base::kVoucherSaveLock);
  if (!lock) {
    report.storeRefusal = SaveLockBusyRefusal(host);
    return report;
  }
  data::Connection& db = host.FindStartupDB();
  data::Transaction transaction(db);
  NewVoucherWriter writer(db);
  // Every voucher is checked, so that all the refused ones are reported;
  // writing stops at the first refused one unless the good ones are kept.
  bool writing = true;
  report.fileFault = read([&](const ImportedVoucher& voucher) {
    ++report.read;
    VoucherCheck checked = check(voucher, book);
    if (auto* rejected = std::get_if<RejectedVoucher>(&checked)) {
      report.rejected.push_back(std::move(*rejected));
      writing = writing && options.skipBad;
      return;
    }
    if (!writing) return;
    CheckedVoucher& ready = std::get<CheckedVoucher>(checked);
    if (!writer.add(ready)) {
      report.storeRefusal = MonthFullRefusal();
      writing = false;
      return;
    }
    if (report.stored.count++ == 0) report.stored.first = ready.header.credId;
    report.stored.last = ready.header.credId;
  });
  if (report.fileFault || !writing || report.stored.count == 0) {
    report.stored = {};
    return report;
  }
  writer.flush();
  transaction.commit();
  return report;
}

}  // namespace qj::vouchers
