// Command-line arguments: positional words, "--name value" options and "--flag" switches.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace qj::cli {

// Bad arguments; main prints the message and the usage and exits with 1.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Arguments {
 public:
  // `valued` are the options that take a value, `switches` those that don't.
  Arguments(const std::vector<std::string>& words, const std::set<std::string>& valued,
            const std::set<std::string>& switches);

  [[nodiscard]] const std::vector<std::string>& positional() const { return positional_; }
  [[nodiscard]] std::optional<std::string> option(const std::string& name) const;
  [[nodiscard]] bool has(const std::string& name) const { return switches_.contains(name); }
  // The positional word at `index`, or UsageError naming what is missing.
  [[nodiscard]] const std::string& need(std::size_t index, const std::string& what) const;

 private:
  std::vector<std::string> positional_;
  std::map<std::string, std::string> options_;
  std::set<std::string> switches_;
};

// Takes every "--name value" pair out of `words`, for an option that may be
// given many times (Arguments keeps one value per option); the values in
// order. UsageError when the last one lacks its value.
std::vector<std::string> TakeRepeatedOption(std::vector<std::string>& words, const std::string& name);

// The whole of `text` as an integer, or UsageError naming `what` (an option
// such as "--currency" or a word such as "功能号").
int ParseInteger(const std::string& text, const std::string& what);

}  // namespace qj::cli
