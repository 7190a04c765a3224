#include "printing/variables.h"

namespace qj::printing {

std::string Substitute(std::string_view line, const Variables& variables) {
  std::string result;
  std::size_t position = 0;
  while (position < line.size()) {
    const std::size_t open = line.find('{', position);
    if (open == std::string_view::npos) break;
    const std::size_t close = line.find('}', open + 1);
    if (close == std::string_view::npos) break;
    const std::string_view name = line.substr(open + 1, close - open - 1);
    if (name.find('{') != std::string_view::npos) {
      // "{{名称}": the first brace is plain text; look again from the next one.
      result.append(line.substr(position, open + 1 - position));
      position = open + 1;
      continue;
    }
    result.append(line.substr(position, open - position));
    const auto found = variables.find(name);
    if (found != variables.end()) {
      result.append(found->second);
    } else {
      result.append(line.substr(open, close + 1 - open));
    }
    position = close + 1;
  }
  result.append(line.substr(position));
  return result;
}

Variables PageVariables(const Variables& listVariables, int pageNumber, int pageCount) {
  Variables page = listVariables;
  page.insert_or_assign(std::string(kPageNumber), std::to_string(pageNumber));
  page.insert_or_assign(std::string(kPageCount), std::to_string(pageCount));
  return page;
}

}  // namespace qj::printing
