#include "vouchers/identifier_collision.h"

#include <charconv>

#include "base/product_caption.h"
#include "vouchers/voucher_numbering_queries.h"

namespace qj::vouchers {
namespace {

// The serial of an identifier (characters 7 to 12) as a number, for the message.
std::string SerialText(const std::string& credId) {
  std::string digits = credId.size() > 6 ? credId.substr(6, 6) : std::string();
  std::int64_t serial = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), serial);
  if (error != std::errc() || end != digits.data() + digits.size()) return digits;
  return std::to_string(serial);
}

bool SameMonth(const std::string& a, const std::string& b) {
  return a.size() >= 6 && b.size() >= 6 && a.compare(0, 6, b, 0, 6) == 0;
}

}  // namespace

std::optional<IdentifierReset> IdentifierCollision(data::Connection& db, const std::string& current,
                                                   const std::string& stored, const Date& credDate) {
  if (current == stored || !CredIdExists(db, current)) return std::nullopt;
  std::optional<std::string> replacement;
  if (!stored.empty() && SameMonth(stored, current))
    replacement = stored;
  else
    replacement = NextCredId(db, Period::ofDate(credDate));
  if (!replacement) return IdentifierReset{MonthFullRefusal(), ""};
  const std::string text = "凭证编号" + SerialText(current) + "已经被占用，不能保存该凭证。凭证编号将被重新设置为" +
                           SerialText(*replacement) + "。";
  return IdentifierReset{{text, base::kProductCaption, msgbox::IconWarning}, *replacement};
}

}  // namespace qj::vouchers
