// The print templates of a book in PrintStyle, on every engine.
#include "printing/template_store.h"

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
  store.save(first);
  store.save(second);
  store.save(other);
  EXPECT_EQ(first.id, 8);
  EXPECT_EQ(second.id, 9);
  EXPECT_EQ(other.id, 10);

  std::vector<StoredTemplate> loaded = store.load(662);
  ASSERT_EQ(loaded.size(), 2U);
  EXPECT_EQ(loaded[0].id, 8);
  EXPECT_EQ(loaded[0].name, "凭证列表（横向）");
  EXPECT_EQ(loaded[0].reportType, 662);
  EXPECT_EQ(loaded[0].layout, first.layout);
  EXPECT_EQ(loaded[1].layout, second.layout);

  second.name = "凭证列表（简）";
  second.layout.columns.pop_back();
  second.layout.rowsPerPage = 30;
  store.save(second);
  EXPECT_EQ(second.id, 9);
  EXPECT_EQ(rowCount(), 4);
  loaded = store.load(662);
  ASSERT_EQ(loaded.size(), 2U);
  EXPECT_EQ(loaded[1].name, "凭证列表（简）");
  EXPECT_EQ(loaded[1].layout, second.layout);

  store.remove(8);
  store.remove(8);
  loaded = store.load(662);
  ASSERT_EQ(loaded.size(), 1U);
  EXPECT_EQ(loaded[0].id, 9);
  EXPECT_EQ(store.load(908).size(), 1U);

  // A template keeps its id when it is saved again after someone deleted its row.
  store.save(first);
  EXPECT_EQ(first.id, 8);
  EXPECT_EQ(store.load(662).size(), 2U);
}

TEST_P(TemplateStoreTest, RefusesBadNamesAndNamesTheDamagedTemplate) {
  // A hidden template (negative id) is neither offered nor counted for new ids.
  db->execute("INSERT INTO PrintStyle (PRINTSTYLEID, REPORTTYPE, REPORTNAME, DATA) VALUES (-1, 662, '隐藏', :data)",
              {{"data", TemplateToBytes(PrintTemplate{})}});
  StoredTemplate unnamed = made(662, "");
  EXPECT_THROW(store.save(unnamed), std::invalid_argument);
  std::string name;
  for (int i = 0; i < 41; ++i) name += "帐";
  StoredTemplate longName = made(662, name);
  EXPECT_THROW(store.save(longName), std::invalid_argument);
  longName.name.resize(40 * 3);  // exactly 40 characters fit the column on every engine
  store.save(longName);
  EXPECT_EQ(longName.id, 1);
  ASSERT_EQ(store.load(662).size(), 1U);
  EXPECT_EQ(store.load(662)[0].name, longName.name);

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
