#include "printing/template_store.h"

#include "hostapi/refusal.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <stdexcept>

#include "printing/errors.h"
#include "printing/text_length.h"

namespace qj::printing {

std::vector<StoredTemplate> TemplateStore::load(int reportType) {
  const data::Rows rows = connection_.query(
      "SELECT PRINTSTYLEID, REPORTTYPE, REPORTNAME, DATA FROM PrintStyle"
      " WHERE REPORTTYPE = :type AND PRINTSTYLEID >= 0 ORDER BY PRINTSTYLEID",
      {{"type", reportType}});
  std::vector<StoredTemplate> result;
  for (const data::Row& row : rows) {
    StoredTemplate stored;
    stored.id = row.integer("PRINTSTYLEID");
    stored.reportType = static_cast<int>(row.integer("REPORTTYPE"));
    stored.name = row.text("REPORTNAME");
    try {
      stored.layout = TemplateFromBytes(row.blob("DATA"));
    } catch (const TemplateFormatError& error) {
      throw TemplateFormatError("打印模板“" + stored.name + "”（编号" + std::to_string(*stored.id) + "）无法读取：" +
                                error.what());
    }
    result.push_back(std::move(stored));
  }
  return result;
}

void TemplateStore::save(StoredTemplate& stored) {
  if (stored.name.empty()) throw RefusalError(ErrorRefusal("请填写打印模板的名称。"));
  if (CharacterCount(stored.name) > static_cast<std::size_t>(kMaxTemplateNameLength)) {
    throw RefusalError(ErrorRefusal("打印模板的名称不能超过" + std::to_string(kMaxTemplateNameLength) + "个字。"));
  }
  if (stored.reportType < std::numeric_limits<std::int16_t>::min() ||
      stored.reportType > std::numeric_limits<std::int16_t>::max()) {
    throw RefusalError(ErrorRefusal("打印模板的报表类型" + std::to_string(stored.reportType) + "超出范围。"));
  }
  data::Transaction transaction(connection_);
  const data::Params values = {
      {"type", stored.reportType}, {"name", stored.name}, {"data", TemplateToBytes(stored.layout)}};
  std::int64_t id = 0;
  bool present = false;
  if (stored.id) {
    id = *stored.id;
    data::Params params = values;
    params.push_back({"id", id});
    present = connection_.execute(
                  "UPDATE PrintStyle SET REPORTTYPE = :type, REPORTNAME = :name, DATA = :data"
                  " WHERE PRINTSTYLEID = :id",
                  params) > 0;
  } else {
    const data::Value highest = connection_.scalar("SELECT MAX(PRINTSTYLEID) FROM PrintStyle");
    id = (highest.isNull() ? 0 : std::max<std::int64_t>(data::IntegerOf(highest), 0)) + 1;
  }
  if (!present) {
    data::Params params = values;
    params.push_back({"id", id});
    connection_.execute(
        "INSERT INTO PrintStyle (PRINTSTYLEID, REPORTTYPE, REPORTNAME, DATA) VALUES (:id, :type, :name, :data)",
        params);
  }
  transaction.commit();
  stored.id = id;
}

void TemplateStore::remove(std::int64_t id) {
  data::Transaction transaction(connection_);
  connection_.execute("DELETE FROM PrintStyle WHERE PRINTSTYLEID = :id", {{"id", id}});
  transaction.commit();
}

}  // namespace qj::printing
