#include "host/command_registry.h"

#include "base/upper_case.h"

namespace qj::host {
void CommandRegistry::RegistFunction(const std::string& name, Command command) {
  const std::string key = base::UpperCase(name);
  if (!byUpperName_.contains(key)) order_.push_back(name);
  byUpperName_[key] = std::move(command);
}

long CommandRegistry::Call(const std::string& command, const std::string& argument, VorParams* params) const {
  auto it = byUpperName_.find(base::UpperCase(command));
  if (it == byUpperName_.end() || !it->second) return 0;
  return it->second(command.c_str(), argument.c_str(), params);
}

bool CommandRegistry::IsRegistered(const std::string& name) const {
  return byUpperName_.contains(base::UpperCase(name));
}

}  // namespace qj::host
