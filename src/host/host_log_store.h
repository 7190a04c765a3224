// The host log (HostLog): writing an entry, reading the entries newest first
// and the codes it holds.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "data/connection.h"

namespace qj::host {

struct HostLogEntry {
  std::string time;  // "2011-07-15 09:30:00"
  std::string user;
  int code = 0;
  std::string text;
};

// Adds an entry stamped with the database's local time; `text` is already cut
// to the column's length.
void WriteHostLog(data::Connection& db, const std::string& user, int code, const std::string& text);

// At most `limit` entries, newest first; only those of `code` when one is given.
std::vector<HostLogEntry> ReadHostLog(data::Connection& db, int limit, std::optional<int> code);
// Every code the log holds, in ascending order.
std::vector<int> ReadHostLogCodes(data::Connection& db);

}  // namespace qj::host
