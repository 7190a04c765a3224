#include "desktop/new_book_form.h"

#include <cctype>
#include <fstream>
#include <sstream>
#include <utility>

#include "host/host_error.h"

namespace qj::desktop {
namespace {

// Digits separated by "-", "," or spaces (also the full-width "，" and "－").
std::vector<int> segmentsOf(const std::string& text) {
  const host::HostError bad("科目编码结构应写作各级编码长度，如 3-2-2-2");
  std::vector<int> segments;
  bool inNumber = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (std::isdigit(c)) {
      if (!inNumber) segments.push_back(0);
      inNumber = true;
      if (segments.back() > 99) throw bad;
      segments.back() = segments.back() * 10 + (c - '0');
      continue;
    }
    inNumber = false;
    if (c == '-' || c == ',' || c == ' ') continue;
    if (text.compare(i, 3, "，") == 0 || text.compare(i, 3, "－") == 0) {
      i += 2;
      continue;
    }
    throw bad;
  }
  if (segments.empty()) throw bad;
  return segments;
}

}  // namespace

host::NewBook ToNewBook(const NewBookForm& form) {
  if (form.location.empty()) throw host::HostError("请选择新帐套的保存位置。");
  if (form.companyName.empty()) throw host::HostError("请输入单位名称。");
  host::NewBook book;
  book.location = form.location;
  book.companyName = form.companyName;
  book.start = form.start;
  book.segmentLengths = segmentsOf(form.codeStructure);
  book.voucherTypeScheme = form.voucherTypeScheme;
  book.needCarryPL = form.needCarryPL;
  std::string chartCsv;
  if (form.chart == package::StartingChart::Imported) {
    if (form.chartFile.empty()) throw host::HostError("请选择要导入的科目表文件。");
    std::ifstream file(form.chartFile, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    if (!file || text.str().empty()) throw host::HostError("不能读取科目表文件：" + form.chartFile);
    chartCsv = text.str();
  }
  book.installChart = package::StartingChartInstaller(form.chart, std::move(chartCsv));
  return book;
}

}  // namespace qj::desktop
