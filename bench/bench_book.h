// A throwaway book for a benchmark: a SQLite file created in a temporary
// folder and removed with the object, or a book at a location the caller
// owns; filled by the benchmark, then opened by the administrator through
// our host.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "data/period.h"
#include "host/book_creation.h"
#include "host/book_session.h"
#include "host/host_application.h"
#include "host/message_boxes.h"
#include "host/user_store.h"

namespace qj::bench {

class BenchBook {
 public:
  // `answerYes`: how the book's message boxes answer a question.
  // `location`: where to create the book (a PostgreSQL URI, say); "" for a
  // SQLite file of its own.
  explicit BenchBook(Period start, bool answerYes = false, const std::string& location = {}) : boxes_(answerYes) {
    host::NewBook book;
    book.location = location;
    if (location.empty()) {
      std::string pattern = (std::filesystem::temp_directory_path() / "qj-bench-XXXXXX").string();
      folder_ = ::mkdtemp(pattern.data());
      book.location = folder_ + "/book.sqlite";
    }
    book.start = start;
    host::CreateBook(book);
    session_ = host::BookSession::Open(book.location);
  }
  BenchBook(const BenchBook&) = delete;
  BenchBook& operator=(const BenchBook&) = delete;
  ~BenchBook() {
    host_.reset();
    session_.reset();
    if (!folder_.empty()) std::filesystem::remove_all(folder_);
  }

  data::Connection& db() { return session_->db(); }
  // Logs the administrator in once the book is filled.
  host::HostApplication& openHost() {
    host_ = std::make_unique<host::HostApplication>(*session_, boxes_, host::kAdministrator);
    return *host_;
  }
  host::HostApplication& host() { return *host_; }
  const host::ScriptedMessageBoxes& boxes() const { return boxes_; }

 private:
  std::string folder_;
  std::unique_ptr<host::BookSession> session_;
  host::ScriptedMessageBoxes boxes_;
  std::unique_ptr<host::HostApplication> host_;
};

// A chart of 5,000 subjects in the assets class: level-1 subjects 100 to 199
// with 49 detail sub-accounts each. With `distinctHelpCodes` every sub-account
// has its own help code ("MX" and its code), else they all share "MX".
inline void AddLargeChart(data::Connection& db, bool distinctHelpCodes) {
  for (int top = 100; top < 200; ++top) {
    const std::string code = std::to_string(top);
    db.execute("INSERT INTO Subject (SUBJECTID, NAME, DCFLAG, DETAILFLAG) VALUES (:c, :n, 'T', 'F')",
               {{"c", code}, {"n", "一级科目" + code}});
    for (int child = 1; child < 50; ++child) {
      const std::string childCode = code + IntToStr(child, 2);
      db.execute("INSERT INTO Subject (SUBJECTID, NAME, DCFLAG, DETAILFLAG, HELPCODE) VALUES (:c, :n, 'T', 'T', :h)",
                 {{"c", childCode},
                  {"n", "明细科目" + std::to_string(child)},
                  {"h", distinctHelpCodes ? "MX" + childCode : std::string("MX")}});
    }
  }
}

// `count` two-line vouchers of July 2011, numbered 1, 2, … in type 1, each
// moving its number in yuan between two of the large chart's sub-accounts.
inline void AddJulyVouchers(data::Connection& db, int count) {
  for (int serial = 1; serial <= count; ++serial) {
    const std::string id = "201107" + IntToStr(serial, 6);
    db.execute(
        "INSERT INTO VoucherMaster (CREDID, CREDNO, AccountVoucherTypeID, CREDCODE, CREDDATE, CHECKFLAG, POSTFLAG, "
        "BILLMAKER) VALUES (:id, :no, 1, :no, :date, 'F', 'F', 'admin')",
        {{"id", id}, {"no", serial}, {"date", Date(2011, 7, 1 + serial % 28)}});
    for (int line = 0; line < 2; ++line)
      db.execute(
          "INSERT INTO VoucherDetail (CREDID, FENLUNO, SUBJECTID, Precis, MONEYID, DEBIT, CREDIT) "
          "VALUES (:id, :no, :subject, '摘要', 0, :debit, :credit)",
          {{"id", id},
           {"no", line},
           {"subject", std::to_string(100 + serial % 100) + "01"},
           {"debit", line == 0 ? data::Value(Money::fromInteger(serial)) : data::Value()},
           {"credit", line == 1 ? data::Value(Money::fromInteger(serial)) : data::Value()}});
  }
}

}  // namespace qj::bench
