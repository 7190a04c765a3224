#include "data/named_parameters.h"

#include <algorithm>
#include <cctype>

namespace qj::data {
namespace {
bool isNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
}  // namespace

std::vector<NamedParameterUse> FindNamedParameters(std::string_view sql) {
  std::vector<NamedParameterUse> uses;
  for (std::size_t i = 0; i < sql.size(); ++i) {
    const char c = sql[i];
    if (c == '\'' || c == '"') {
      // Skip a quoted string or identifier; a doubled quote stays inside it.
      for (++i; i < sql.size(); ++i) {
        if (sql[i] == c) {
          if (i + 1 < sql.size() && sql[i + 1] == c)
            ++i;
          else
            break;
        }
      }
    } else if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
      while (i < sql.size() && sql[i] != '\n') ++i;
    } else if (c == ':') {
      if (i + 1 < sql.size() && sql[i + 1] == ':') {
        ++i;  // a cast
        continue;
      }
      std::size_t end = i + 1;
      while (end < sql.size() && isNameChar(sql[end])) ++end;
      if (end > i + 1 && !std::isdigit(static_cast<unsigned char>(sql[i + 1]))) {
        uses.push_back({i, end - i, std::string(sql.substr(i + 1, end - i - 1))});
        i = end - 1;
      }
    }
  }
  return uses;
}

std::vector<const Value*> OrderParameters(std::string_view sql, const std::vector<NamedParameterUse>& uses,
                                          const Params& params) {
  std::vector<const Value*> ordered;
  ordered.reserve(uses.size());
  std::vector<bool> used(params.size(), false);
  for (const auto& use : uses) {
    auto it = std::find_if(params.begin(), params.end(), [&](const Param& p) { return p.name == use.name; });
    if (it == params.end()) throw DbError(DbErrorKind::Other, "语句参数 " + use.name + " 没有赋值", std::string(sql));
    used[static_cast<std::size_t>(it - params.begin())] = true;
    ordered.push_back(&it->value);
  }
  for (std::size_t i = 0; i < params.size(); ++i)
    if (!used[i]) throw DbError(DbErrorKind::Other, "语句中没有参数 " + params[i].name, std::string(sql));
  return ordered;
}

}  // namespace qj::data
