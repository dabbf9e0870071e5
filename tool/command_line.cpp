#include "tool/command_line.h"

namespace quarvel {

namespace {
// By the usual argument rules a backslash before the closing quote escapes it, and the argument would run on
// into the next; doubled, the backslashes stand for themselves.
std::string Quoted(std::string_view text) {
  size_t trailing = 0;
  while (trailing < text.size() && text[text.size() - 1 - trailing] == '\\') ++trailing;
  return std::string(1, '"').append(text).append(trailing, '\\').append(1, '"');
}
bool IsControlOrSpace(char c) { return static_cast<unsigned char>(c) <= 32; }
}  // namespace

const char* OperationSwitch(Operation operation) {
  switch (operation) {
    case Operation::Fix: return "-f";
    case Operation::Unpatch: return "-u";
    case Operation::Test: return "-t";
    case Operation::Patch: break;
  }
  return "";
}

std::string ToolCommand(std::string_view appDir) { return Quoted(std::string(appDir) + kToolFileName); }

std::string ToolParameters(const ToolOptions& options, std::string_view switchText, std::string_view romPath,
                           std::string_view logPath) {
  std::string parameters;
  if (options.trimFiles) parameters += " -r";
  if (options.manualMode) parameters += " -m";
  if (options.preserveIntro) parameters += " -i";
  if (!switchText.empty()) parameters.append(" ").append(switchText);
  parameters.append(" ").append(Quoted(romPath)).append(" >> ").append(Quoted(logPath));
  return TrimControl(parameters);
}

std::string TrimControl(std::string_view text) {
  size_t first = 0, last = text.size();
  while (first < last && IsControlOrSpace(text[first])) ++first;
  while (last > first && IsControlOrSpace(text[last - 1])) --last;
  return std::string(text.substr(first, last - first));
}

std::string JoinCommandLine(std::string_view command, std::string_view parameters) {
  std::string line = !command.empty() && command.front() != '"' ? Quoted(command) : std::string(command);
  return line + " " + std::string(parameters);
}

}  // namespace quarvel
