// The host's command registry: packages register names, anyone calls them.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "hostapi/host_services.h"

namespace qj::host {

class CommandRegistry {
 public:
  using Command = std::function<long(const char* command, const char* param, VorParams* params)>;

  // Registers (or replaces) a command; names compare without regard to case.
  void RegistFunction(const std::string& name, Command command);
  // Runs a command with its registered name as the command text; an unknown
  // command does nothing and returns 0.
  long Call(const std::string& command, const std::string& argument, VorParams* params) const;
  [[nodiscard]] bool IsRegistered(const std::string& name) const;
  // Names in the order they were registered.
  [[nodiscard]] const std::vector<std::string>& Names() const { return order_; }

 private:
  std::map<std::string, Command> byUpperName_;
  std::vector<std::string> order_;
};

}  // namespace qj::host
