// The print templates of a book in PrintStyle, on every engine.
#include "printing/template_store.h"
#include "hostapi/refusal.h"

#include <gtest/gtest.h>

#include "data/schema.h"
#include "fixtures.h"
#include "printing/errors.h"
#include "support/scratch_database.h"

namespace qj::printing {
namespace {

class TemplateStoreTest : public ::testing::TestWithParam<data::Engine> {
 protected:
  void SetUp() override { data::CreateSchema(*db); }

  StoredTemplate made(int reportType, const std::string& name) {
    StoredTemplate stored = DefaultTemplate(reportType, SampleList(1), "凭证列表");
    stored.name = name;
    return stored;
  }
  std::int64_t rowCount() { return data::IntegerOf(db->scalar("SELECT COUNT(*) FROM PrintStyle")); }
  // The templates of a report type as loaded: "id name, id name".
  std::string listed(int reportType) {
    std::string text;
    for (const StoredTemplate& stored : store.load(reportType)) {
      EXPECT_EQ(stored.reportType, reportType);
      text += (text.empty() ? "" : ", ") + std::to_string(stored.id.value_or(-1)) + " " + stored.name;
    }
    return text;
  }

  qj::test::ScratchDatabase scratch{GetParam()};
  std::unique_ptr<data::Connection> db = scratch.open();
  TemplateStore store{*db};
};

TEST_P(TemplateStoreTest, SavesReloadsUpdatesAndDeletes) {
  // Someone else's template of another type holds id 7: new ids follow the highest in the table.
  db->execute("INSERT INTO PrintStyle (PRINTSTYLEID, REPORTTYPE, REPORTNAME) VALUES (7, 20, '凭证')");
  StoredTemplate first = made(662, "凭证列表（横向）");
  first.layout.orientation = Orientation::Landscape;
  StoredTemplate second = made(662, "凭证列表");
  StoredTemplate other = made(908, "科目汇总表");
  for (StoredTemplate* stored : {&first, &second, &other}) store.save(*stored);
  EXPECT_EQ(listed(662), "8 凭证列表（横向）, 9 凭证列表");
  EXPECT_EQ(listed(908), "10 科目汇总表");
  EXPECT_EQ(store.load(662)[0].layout, first.layout);
  EXPECT_EQ(store.load(662)[1].layout, second.layout);

  second.name = "凭证列表（简）";
  second.layout.columns.pop_back();
  second.layout.rowsPerPage = 30;
  store.save(second);
  EXPECT_EQ(rowCount(), 4);
  EXPECT_EQ(listed(662), "8 凭证列表（横向）, 9 凭证列表（简）");
  EXPECT_EQ(store.load(662)[1].layout, second.layout);

  store.remove(8);
  store.remove(8);
  EXPECT_EQ(listed(662), "9 凭证列表（简）");
  EXPECT_EQ(listed(908), "10 科目汇总表");
  // A template keeps its id when it is saved again after someone deleted its row.
  store.save(first);
  EXPECT_EQ(listed(662), "8 凭证列表（横向）, 9 凭证列表（简）");
}

TEST_P(TemplateStoreTest, RefusesBadNamesAndNamesTheDamagedTemplate) {
  // A hidden template (negative id) is neither offered nor counted for new ids.
  db->execute("INSERT INTO PrintStyle (PRINTSTYLEID, REPORTTYPE, REPORTNAME, DATA) VALUES (-1, 662, '隐藏', :data)",
              {{"data", TemplateToBytes(PrintTemplate{})}});
  StoredTemplate unnamed = made(662, "");
  EXPECT_THROW(store.save(unnamed), qj::RefusalError);
  std::string name;
  for (int i = 0; i < 41; ++i) name += "帐";
  StoredTemplate longName = made(662, name);
  EXPECT_THROW(store.save(longName), qj::RefusalError);
  longName.name.resize(40 * 3);  // exactly 40 characters fit the column on every engine
  store.save(longName);
  EXPECT_EQ(listed(662), "1 " + longName.name);

  db->execute("INSERT INTO PrintStyle (PRINTSTYLEID, REPORTTYPE, REPORTNAME, DATA) VALUES (5, 662, '坏模板', :data)",
              {{"data", data::Blob{0x7b, 0x22}}});
  try {
    store.load(662);
    ADD_FAILURE() << "a damaged template was read";
  } catch (const TemplateFormatError& error) {
    EXPECT_NE(std::string(error.what()).find("坏模板"), std::string::npos) << error.what();
  }
}

INSTANTIATE_TEST_SUITE_P(Engines, TemplateStoreTest, ::testing::ValuesIn(qj::test::TestEngines()),
                         qj::test::EngineParamName);

}  // namespace
}  // namespace qj::printing
