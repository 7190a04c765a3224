// The print templates of a book, in its PrintStyle table.
#pragma once

#include <cstdint>
#include <vector>

#include "data/connection.h"
#include "printing/print_template.h"

namespace qj::printing {

class TemplateStore {
 public:
  explicit TemplateStore(data::Connection& connection) : connection_(connection) {}

  // The templates of one report type (ids from 0 up, as the lists offer them), by id.
  // Throws TemplateFormatError naming the template when one cannot be read.
  std::vector<StoredTemplate> load(int reportType);
  // Updates the row of the template's id, or inserts it: under its id when it
  // has one, else under the next free id (the highest in the table plus one),
  // which is then set in `stored`. Throws RefusalError for a
  // name that is empty or longer than the column, data::DbError from the book.
  void save(StoredTemplate& stored);
  // Removes the template; an id that is not there is no error.
  void remove(std::int64_t id);

 private:
  data::Connection& connection_;
};

}  // namespace qj::printing
