// The operation log viewer's content: the host log of the book, newest first,
// optionally only the entries of one code.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "data/connection.h"
#include "host/host_log_store.h"

namespace qj::desktop {

using LogEntry = host::HostLogEntry;

class HostLogModel {
 public:
  // At most this many entries are read at once.
  static constexpr int kLimit = 5000;

  explicit HostLogModel(data::Connection& db) : db_(db) {}

  // Reads the log again. Throws DbError.
  void load(std::optional<int> code = std::nullopt);
  [[nodiscard]] const std::vector<LogEntry>& entries() const { return entries_; }
  // Every code the log holds, for the filter, in ascending order.
  [[nodiscard]] const std::vector<int>& codes() const { return codes_; }
  // Whether older entries were left out because of the limit.
  [[nodiscard]] bool truncated() const { return truncated_; }

  // What a code means, "" for codes without a name.
  static std::string CodeName(int code);

 private:
  data::Connection& db_;
  std::vector<LogEntry> entries_;
  std::vector<int> codes_;
  bool truncated_ = false;
};

}  // namespace qj::desktop
