#include "printing/print_job.h"

#include <algorithm>

#include "printing/errors.h"

namespace qj::printing {

std::vector<std::size_t> FieldIndexes(const PrintTemplate& layout, const DataSet& data) {
  std::vector<std::size_t> indexes;
  for (const TemplateColumn& column : layout.columns) {
    const auto found = std::find_if(data.columns.begin(), data.columns.end(),
                                    [&column](const Column& candidate) { return candidate.name == column.field; });
    if (found == data.columns.end()) {
      throw PrintError("打印错误,请检查你的样式是否正确!（模板中的列“" + column.heading + "”不在此列表中）");
    }
    indexes.push_back(static_cast<std::size_t>(found - data.columns.begin()));
  }
  return indexes;
}

}  // namespace qj::printing
