// A failure of the host's own work (opening a book, logging in), with a Chinese message for the user.
#pragma once

#include <stdexcept>

namespace qj::host {

class HostError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace qj::host
