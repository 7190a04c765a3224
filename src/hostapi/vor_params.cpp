#include "hostapi/vor_params.h"

#include <strings.h>
#include <algorithm>
#include <charconv>

namespace qj {
namespace {

bool sameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

template <class... Ts>
struct Overloaded : Ts... {
  using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

[[noreturn]] void wrongType(std::string_view name, const char* wanted, const VorParams::Variant& value) {
  throw ParamTypeError("参数“" + std::string(name) + "”应为" + wanted + "，收到的是“" + VariantText(value) + "”");
}

}  // namespace

std::string VariantText(const VorParams::Variant& value) {
  return std::visit(
      Overloaded{[](std::monostate) { return std::string(); }, [](bool b) { return std::string(b ? "T" : "F"); },
                 [](std::int64_t i) { return std::to_string(i); }, [](Money m) { return m.toString(); },
                 [](const std::string& s) { return s; }, [](const Date& d) { return d.toString(); }},
      value);
}

void VorParams::AddValue(std::string_view name, Variant value) {
  for (auto& [held, v] : values_) {
    if (sameName(held, name)) {
      v = std::move(value);
      return;
    }
  }
  values_.emplace_back(std::string(name), std::move(value));
}

VorParams::Variant VorParams::GetValue(std::string_view name) const {
  for (const auto& [held, v] : values_)
    if (sameName(held, name)) return v;
  return {};
}

bool VorParams::Has(std::string_view name) const {
  return std::any_of(values_.begin(), values_.end(), [&](const auto& entry) { return sameName(entry.first, name); });
}

std::string VorParams::GetString(std::string_view name) const { return VariantText(GetValue(name)); }

std::int64_t VorParams::GetInteger(std::string_view name) const {
  const Variant value = GetValue(name);
  if (std::holds_alternative<std::monostate>(value)) return 0;
  if (const auto* i = std::get_if<std::int64_t>(&value)) return *i;
  if (const auto* s = std::get_if<std::string>(&value)) {
    std::int64_t out = 0;
    const char* first = s->data() + (s->starts_with('+') ? 1 : 0);
    auto [end, ec] = std::from_chars(first, s->data() + s->size(), out);
    if (!s->empty() && ec == std::errc() && end == s->data() + s->size()) return out;
  }
  wrongType(name, "整数", value);
}

bool VorParams::GetBoolean(std::string_view name) const {
  const Variant value = GetValue(name);
  if (std::holds_alternative<std::monostate>(value)) return false;
  if (const auto* b = std::get_if<bool>(&value)) return *b;
  if (const auto* s = std::get_if<std::string>(&value)) {
    if (*s == "T" || sameName(*s, "true") || *s == "1") return true;
    if (*s == "F" || sameName(*s, "false") || *s == "0") return false;
  }
  wrongType(name, "逻辑值（T 或 F）", value);
}

Money VorParams::GetMoney(std::string_view name) const {
  const Variant value = GetValue(name);
  if (std::holds_alternative<std::monostate>(value)) return {};
  if (const auto* m = std::get_if<Money>(&value)) return *m;
  if (const auto* i = std::get_if<std::int64_t>(&value)) {
    try {
      return Money::fromInteger(*i);
    } catch (const MoneyError&) {
      wrongType(name, "金额", value);
    }
  }
  if (const auto* s = std::get_if<std::string>(&value)) {
    try {
      return Money::parse(*s);
    } catch (const MoneyError&) {
      wrongType(name, "金额", value);
    }
  }
  wrongType(name, "金额", value);
}

Date VorParams::GetDate(std::string_view name) const {
  const Variant value = GetValue(name);
  if (const auto* d = std::get_if<Date>(&value)) return *d;
  if (const auto* s = std::get_if<std::string>(&value))
    if (auto parsed = Date::parse(*s)) return *parsed;
  wrongType(name, "日期（YYYY-MM-DD）", value);
}

}  // namespace qj
