// The errors of printing and export. Each message is a Chinese sentence meant
// for the user, shown as it is.
#pragma once

#include <stdexcept>

namespace qj::printing {

// A stored print template that cannot be read (damaged or from a newer program).
class TemplateFormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A list that cannot be printed, previewed or written as PDF with its template.
class PrintError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A spreadsheet or CSV export that could not be written; no file is left behind.
class ExportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace qj::printing
