// One open account book: its database connection, its named locks and the host's record of it.
#pragma once

#include <memory>
#include <string>

#include "data/connection.h"
#include "host/named_locks.h"
#include "hostapi/account_books_data.h"

namespace qj::host {

class BookSession {
 public:
  // Opens an existing book. Throws HostError with a Chinese message when the
  // location cannot be reached, holds no book, holds a book of a newer
  // version, or is held exclusively by another session.
  static std::unique_ptr<BookSession> Open(const std::string& location);

  [[nodiscard]] data::Connection& db() { return *db_; }
  [[nodiscard]] NamedLocks& locks() { return *locks_; }
  [[nodiscard]] const std::string& location() const { return location_; }
  [[nodiscard]] const AccountBooksData& record() const { return record_; }
  [[nodiscard]] AccountBooksData& record() { return record_; }
  [[nodiscard]] const ReservedSubjects& reserved() const { return reserved_; }
  // Reads the record and reserved subjects from the book again.
  void reload();

 private:
  BookSession() = default;
  std::string location_;
  std::unique_ptr<data::Connection> db_;
  std::unique_ptr<NamedLocks> locks_;
  AccountBooksData record_;
  ReservedSubjects reserved_;
};

}  // namespace qj::host
