#include "host/command_registry.h"

#include <algorithm>
#include <cctype>

namespace qj::host {
namespace {
std::string upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
  return text;
}
}  // namespace

void CommandRegistry::RegistFunction(const std::string& name, Command command) {
  const std::string key = upper(name);
  if (!byUpperName_.contains(key)) order_.push_back(name);
  byUpperName_[key] = std::move(command);
}

long CommandRegistry::Call(const std::string& command, const std::string& argument, VorParams* params) const {
  auto it = byUpperName_.find(upper(command));
  if (it == byUpperName_.end() || !it->second) return 0;
  return it->second(command.c_str(), argument.c_str(), params);
}

bool CommandRegistry::IsRegistered(const std::string& name) const { return byUpperName_.contains(upper(name)); }

}  // namespace qj::host
