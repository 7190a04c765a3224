// The PostgreSQL advisory-lock calls behind the named locks of a server book,
// keyed (book, resource), on the lock backend's own connection.
#pragma once

#include <cstdint>
#include <string>

#include "data/connection.h"

namespace qj::host::detail {

// Takes the lock without waiting; false when another session holds it.
bool TryAdvisoryLock(data::Connection& db, std::int32_t book, int resource, bool shared);
// Gives the lock back; false when this session did not hold it.
bool AdvisoryUnlock(data::Connection& db, std::int32_t book, int resource, bool shared);
// Gives back every advisory lock of this session.
void AdvisoryUnlockAll(data::Connection& db);
// Sets a server setting for the rest of this session.
void SetSessionSetting(data::Connection& db, const std::string& name, const std::string& value);

}  // namespace qj::host::detail
