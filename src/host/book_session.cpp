#include "host/book_session.h"

#include "data/schema.h"
#include "host/book_record_store.h"
#include "host/host_error.h"

namespace qj::host {

std::unique_ptr<BookSession> BookSession::Open(const std::string& location) {
  std::unique_ptr<BookSession> session(new BookSession());
  session->location_ = location;
  try {
    session->db_ = data::OpenConnection(location, data::OpenMode::ExistingOnly);
    data::OpenSchema(*session->db_);
    session->locks_ = NamedLocks::ForBook(location, BookIdentity(*session->db_));
    if (!session->locks_->openBook())
      throw HostError("帐套正被其他用户独占使用（期末结帐或帐套初始化），请稍后再打开。");
    session->reload();
  } catch (const data::DbError& error) {
    throw HostError(data::DescribeForUser(error));
  } catch (const data::BookFormatError& error) {
    throw HostError(error.what());
  }
  return session;
}

void BookSession::reload() {
  record_ = LoadAccountBooksData(*db_);
  reserved_ = LoadReservedSubjects(*db_);
}

}  // namespace qj::host
