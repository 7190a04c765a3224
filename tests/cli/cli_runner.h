// Runs qingjian-cli as a separate program, as a script would, and collects what it printed.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

namespace qj::test {

struct ProgramRun {
  int exitCode = -1;
  std::string output;  // standard output and standard error
};

// A word quoted for the shell.
inline std::string Quoted(const std::string& word) {
  std::string out = "'";
  for (char c : word) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// Runs the program with `arguments` as shell text (already quoted), after the
// shell assignments in `environment`, with `input` as its standard input.
inline ProgramRun RunCliLine(const std::string& arguments, const std::string& environment = "",
                             const std::string& input = "") {
  const std::string command = "printf '%s\\n' " + Quoted(input) + " | " + environment + " " + Quoted(QJ_CLI_PROGRAM) +
                              " " + arguments + " 2>&1";
  ProgramRun result;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return result;
  char buffer[4096];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, n);
  const int status = ::pclose(pipe);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

// The same with each word quoted.
inline ProgramRun RunCli(const std::vector<std::string>& words, const std::string& environment = "",
                         const std::string& input = "") {
  std::string arguments;
  for (const auto& word : words) arguments += " " + Quoted(word);
  return RunCliLine(arguments, environment, input);
}

}  // namespace qj::test
