// What the printing and export tests share: a voucher-line list and a scratch folder.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "printing/data_set.h"

namespace qj::printing {

// Columns 凭证号 (text codes "0001", ...), 日期, 摘要, 科目代码 ("101"), 借方金额,
// 贷方金额 and 行号; `rows` rows, the first of them:
// "0001", 2024-03-15, "收到货款", "101", 12345678.9012, (empty), 1.
inline DataSet SampleList(std::size_t rows) {
  DataSet list;
  list.columns = {{"CREDCODE", "凭证号", Alignment::Left, 6},  {"CREDDATE", "日期", Alignment::Left, 10},
                  {"PRECIS", "摘要", Alignment::Left, 24},     {"SUBJECTID", "科目代码", Alignment::Left, 8},
                  {"DEBIT", "借方金额", Alignment::Right, 14}, {"CREDIT", "贷方金额", Alignment::Right, 14},
                  {"ITEMNO", "行号", Alignment::Right, 4}};
  for (std::size_t i = 0; i < rows; ++i) {
    std::string code = std::to_string(i + 1);
    code.insert(0, code.size() < 4 ? 4 - code.size() : 0, '0');
    const bool debit = i % 2 == 0;
    const Money amount = i == 0 ? Money::parse("12345678.9012") : Money::fromInteger(static_cast<std::int64_t>(i) * 10);
    list.rows.push_back({code, Date(2024, 3, 15), std::string(debit ? "收到货款" : "支付货款"),
                         std::string(debit ? "101" : "202"), debit ? Cell(amount) : Cell(),
                         debit ? Cell() : Cell(amount), static_cast<std::int64_t>(i + 1)});
  }
  return list;
}

// An empty folder of the running test's own, removed afterwards.
class ScratchFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() /
             ("qj-printing-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }
  [[nodiscard]] std::size_t filesInFolder() const {
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()));
  }

  std::filesystem::path folder;
};

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace qj::printing
