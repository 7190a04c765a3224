// The fields of a voucher file, named in Chinese or English alike (CSV
// columns, JSON names), and how each field's text sets a draft.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "vouchers/voucher_draft.h"
#include "vouchers/voucher_import.h"

namespace qj::vouchers {

enum class ImportField {
  Key,
  Date,
  Type,
  Attachments,
  Maker,
  Summary,
  Subject,
  Currency,
  Rate,
  Foreign,
  Debit,
  Credit
};

// The field a column or JSON name stands for.
std::optional<ImportField> ImportFieldNamed(std::string_view name);
// Whether the field belongs to the voucher rather than to one of its lines.
inline bool IsVoucherField(ImportField field) { return field <= ImportField::Maker; }
// The field's Chinese name, for messages.
const char* ImportFieldName(ImportField field);
// The text without the white space around it.
std::string TrimmedText(const std::string& text);
// Sets one field from its text; the fault when the text is no such value.
std::optional<std::string> SetImportField(VoucherDraft& draft, DraftLine& line, ImportField field,
                                          const std::string& raw);
// Keeps the first fault found in a voucher.
void AddImportFault(ImportedVoucher& voucher, const std::string& text);

}  // namespace qj::vouchers
