// Variables in the header and footer lines of a print template: a name in
// braces, "{公司名称}", replaced by its value when the page is printed.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace qj::printing {

// Variable name → value. Besides the names below a list may pass any of its own
// ("操作员", "币种", ...).
using Variables = std::map<std::string, std::string, std::less<>>;

inline constexpr std::string_view kCompanyName = "公司名称";
inline constexpr std::string_view kPeriod = "期间";
inline constexpr std::string_view kPrintDate = "打印日期";
// Filled per page by the printing itself.
inline constexpr std::string_view kPageNumber = "页码";
inline constexpr std::string_view kPageCount = "总页数";

// The line with every known "{name}" replaced by its value. A name that is not
// among the variables, and braces that do not enclose a name, stay as written,
// so a misspelt variable shows on the paper instead of vanishing.
std::string Substitute(std::string_view line, const Variables& variables);

// The variables of one page: the list's, with the page number and count (both
// counted from 1) set.
Variables PageVariables(const Variables& listVariables, int pageNumber, int pageCount);

}  // namespace qj::printing
