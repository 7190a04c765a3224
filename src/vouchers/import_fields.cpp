#include "vouchers/import_fields.h"

#include <charconv>

#include "base/text_checks.h"

namespace qj::vouchers {
namespace {

struct FieldName {
  ImportField field;
  const char* chinese;
  const char* english;
};

constexpr FieldName kFields[] = {
    {ImportField::Key, "凭证", "voucher"},     {ImportField::Date, "日期", "date"},
    {ImportField::Type, "凭证字", "type"},     {ImportField::Attachments, "附件", "attachments"},
    {ImportField::Maker, "制单人", "maker"},   {ImportField::Summary, "摘要", "summary"},
    {ImportField::Subject, "科目", "subject"}, {ImportField::Currency, "币种", "currency"},
    {ImportField::Rate, "汇率", "rate"},       {ImportField::Foreign, "原币", "foreign"},
    {ImportField::Debit, "借方", "debit"},     {ImportField::Credit, "贷方", "credit"},
};

std::optional<int> integerOf(const std::string& text) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::optional<ImportField> ImportFieldNamed(std::string_view name) {
  for (const FieldName& known : kFields)
    if (name == known.chinese || name == known.english) return known.field;
  return std::nullopt;
}

const char* ImportFieldName(ImportField field) {
  for (const FieldName& known : kFields)
    if (known.field == field) return known.chinese;
  return "";
}

std::string TrimmedText(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::optional<std::string> SetImportField(VoucherDraft& draft, DraftLine& line, ImportField field,
                                          const std::string& raw) {
  const std::string text = TrimmedText(raw);
  if (auto fault = base::TextFault(text)) return std::string(ImportFieldName(field)) + *fault;
  const auto amount = [&](Money& target) -> std::optional<std::string> {
    if (text.empty()) return std::nullopt;
    try {
      target = ParseEnteredAmount(text);
    } catch (const MoneyError& error) {
      return std::string(ImportFieldName(field)) + "：" + error.what();
    }
    return std::nullopt;
  };
  const auto number = [&](auto& target) -> std::optional<std::string> {
    if (text.empty()) return std::nullopt;
    const auto value = integerOf(text);
    if (!value) return std::string(ImportFieldName(field)) + "应为整数：“" + text + "”";
    target = *value;
    return std::nullopt;
  };
  switch (field) {
    case ImportField::Key:
      draft.key = text;
      return std::nullopt;
    case ImportField::Date: {
      const auto date = Date::parse(text);
      if (!date) return "日期应为 YYYY-MM-DD：“" + text + "”";
      draft.date = *date;
      return std::nullopt;
    }
    case ImportField::Type:
      draft.type = text;
      return std::nullopt;
    case ImportField::Attachments:
      return number(draft.attachments);
    case ImportField::Maker:
      if (!text.empty()) draft.maker = text;
      return std::nullopt;
    case ImportField::Summary:
      line.summary = text;
      return std::nullopt;
    case ImportField::Subject:
      line.subject = text;
      return std::nullopt;
    case ImportField::Currency:
      return number(line.moneyId);
    case ImportField::Rate:
      line.rate = text;
      return std::nullopt;
    case ImportField::Foreign:
      return amount(line.foreign);
    case ImportField::Debit:
      return amount(line.debit);
    case ImportField::Credit:
      return amount(line.credit);
  }
  return std::nullopt;
}

void AddImportFault(ImportedVoucher& voucher, const std::string& text) {
  if (!voucher.fault) voucher.fault = text;
}

}  // namespace qj::vouchers
