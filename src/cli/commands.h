// The subcommands of qingjian-cli; each returns the program's exit code.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace qj::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 1;    // bad arguments
inline constexpr int kExitRefused = 2;  // the book is unusable or the work was refused
inline constexpr int kExitLogin = 3;    // unknown user or wrong password

// Work the book or the user's rights refuse; it exits with kExitRefused.
class RefusedError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

int RunBook(const std::vector<std::string>& words);
int RunUser(const std::vector<std::string>& words);
int RunCall(const std::vector<std::string>& words);
int RunOpening(const std::vector<std::string>& words);
int RunSubject(const std::vector<std::string>& words);
int RunVoucher(const std::vector<std::string>& words);
int RunDemo(const std::vector<std::string>& words);
int RunPost(const std::vector<std::string>& words);
int RunUnpost(const std::vector<std::string>& words);
int RunCarry(const std::vector<std::string>& words);
int RunFx(const std::vector<std::string>& words);
int RunClose(const std::vector<std::string>& words);
int RunReopen(const std::vector<std::string>& words);
int RunAudit(const std::vector<std::string>& words);
int RunUnaudit(const std::vector<std::string>& words);
int RunLedger(const std::vector<std::string>& words);
// The default book's state, creating the book on first use.
int RunDefault();

}  // namespace qj::cli
