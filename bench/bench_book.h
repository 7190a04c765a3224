// A throwaway SQLite book for a benchmark: created in a temporary folder,
// filled by the benchmark, then opened by the administrator through our host;
// removed with the object.
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
#include "host/users.h"

namespace qj::bench {

class BenchBook {
 public:
  // `answerYes`: how the book's message boxes answer a question.
  explicit BenchBook(Period start, bool answerYes = false) : boxes_(answerYes) {
    std::string pattern = (std::filesystem::temp_directory_path() / "qj-bench-XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data());
    host::NewBook book;
    book.location = folder_ + "/book.sqlite";
    book.start = start;
    host::CreateBook(book);
    session_ = host::BookSession::Open(book.location);
  }
  BenchBook(const BenchBook&) = delete;
  BenchBook& operator=(const BenchBook&) = delete;
  ~BenchBook() {
    host_.reset();
    session_.reset();
    std::filesystem::remove_all(folder_);
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

}  // namespace qj::bench
