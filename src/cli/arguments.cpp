#include "cli/arguments.h"

namespace qj::cli {

Arguments::Arguments(const std::vector<std::string>& words, const std::set<std::string>& valued,
                     const std::set<std::string>& switches) {
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (!word.starts_with("--")) {
      positional_.push_back(word);
      continue;
    }
    const std::string name = word.substr(2);
    if (valued.contains(name)) {
      if (i + 1 >= words.size()) throw UsageError("选项 --" + name + " 需要一个值");
      options_[name] = words[++i];
    } else if (switches.contains(name)) {
      switches_.insert(name);
    } else {
      throw UsageError("不认识的选项 --" + name);
    }
  }
}

std::optional<std::string> Arguments::option(const std::string& name) const {
  auto it = options_.find(name);
  if (it == options_.end()) return std::nullopt;
  return it->second;
}

const std::string& Arguments::need(std::size_t index, const std::string& what) const {
  if (index >= positional_.size()) throw UsageError("缺少参数：" + what);
  return positional_[index];
}

std::vector<std::string> TakeRepeatedOption(std::vector<std::string>& words, const std::string& name) {
  const std::string option = "--" + name;
  std::vector<std::string> rest;
  std::vector<std::string> values;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (words[i] != option) {
      rest.push_back(words[i]);
      continue;
    }
    if (i + 1 >= words.size()) throw UsageError("选项 " + option + " 需要一个值");
    values.push_back(words[++i]);
  }
  words = std::move(rest);
  return values;
}

int ParseInteger(const std::string& text, const std::string& what) {
  try {
    std::size_t used = 0;
    const int value = std::stoi(text, &used);
    if (used == text.size()) return value;
  } catch (const std::exception&) {
  }
  throw UsageError(what + " 应为整数：" + text);
}

}  // namespace qj::cli
