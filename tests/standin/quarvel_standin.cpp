// A STAND-IN for the command-line tool Quarvel.exe, built with the front-end for its tests and for a
// newcomer's first run. It patches nothing and never writes a ROM file: it appends one line to the log
// named after ">>" and exits with a code chosen as below.
//
// Exit code: the environment variable QUARVEL_STANDIN_PLAN may name a file of lines "<text> <outcome>";
// the first line whose text occurs in the ROM path (or whose text is "*") decides. QUARVEL_STANDIN_EXIT
// gives the outcome for every file. An outcome is a number, "crash" (an access violation) or "hang";
// "sleep:<ms>:<outcome>" takes that many milliseconds before the outcome, for a slow run.
// Without either, a demonstration: a ROM file name containing "patched" gives -4, "broken" -2,
// "problem" -1, "error" 1, and any other 0.
// QUARVEL_STANDIN_RECORD may name a file to which each run appends its command line, its current
// directory and its process id, tab-separated, one run a line. Its manifest makes UTF-8 its code page,
// so names in any language are read, recorded and written to whole.
// QUARVEL_STANDIN_HANGING may name an event that a run sets when it starts to hang, so that a test
// can time the front-end's limit from that moment.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string Environment(const char* name) {
  char value[4096];
  DWORD length = GetEnvironmentVariableA(name, value, sizeof(value));
  return length > 0 && length < sizeof(value) ? std::string(value, length) : std::string();
}

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

void AppendLine(const std::string& path, const std::string& line) {
  if (path.empty()) return;
  std::ofstream file(path, std::ios::app | std::ios::binary);
  file << line << "\r\n";
}

std::string CurrentDirectory() {
  char directory[MAX_PATH * 4];
  DWORD length = GetCurrentDirectoryA(sizeof(directory), directory);
  return std::string(directory, length);
}

std::string FileNameOf(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string DemonstrationOutcome(const std::string& romPath) {
  std::string name = Lower(FileNameOf(romPath));
  if (name.find("patched") != std::string::npos) return "-4";
  if (name.find("broken") != std::string::npos) return "-2";
  if (name.find("problem") != std::string::npos) return "-1";
  if (name.find("error") != std::string::npos) return "1";
  return "0";
}

std::string ChosenOutcome(const std::string& romPath) {
  std::string planPath = Environment("QUARVEL_STANDIN_PLAN");
  if (!planPath.empty()) {
    std::ifstream plan(planPath);
    std::string text, outcome;
    while (plan >> text >> outcome)
      if (text == "*" || romPath.find(text) != std::string::npos) return outcome;
  }
  std::string everyFile = Environment("QUARVEL_STANDIN_EXIT");
  return everyFile.empty() ? DemonstrationOutcome(romPath) : everyFile;
}

struct Arguments {
  std::string action = "patch";
  std::string options;
  std::string romPath;
  std::string logPath;
};

Arguments ReadArguments(int argc, char** argv) {
  Arguments arguments;
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    if (argument == ">>" && i + 1 < argc) {
      arguments.logPath = argv[++i];
    } else if (argument == "-f") {
      arguments.action = "fix";
    } else if (argument == "-u") {
      arguments.action = "unpatch";
    } else if (argument == "-t") {
      arguments.action = "test";
    } else if (argument.size() == 2 && argument[0] == '-') {
      arguments.options += " " + argument;
    } else {
      arguments.romPath = argument;
    }
  }
  return arguments;
}

}  // namespace

int main(int argc, char** argv) {
  AppendLine(Environment("QUARVEL_STANDIN_RECORD"), std::string(GetCommandLineA()) + "\t" + CurrentDirectory() + "\t" +
                                                         std::to_string(GetCurrentProcessId()));
  Arguments arguments = ReadArguments(argc, argv);
  std::string outcome = ChosenOutcome(arguments.romPath);
  if (outcome.rfind("sleep:", 0) == 0) {
    Sleep(std::strtoul(outcome.c_str() + 6, nullptr, 10));
    outcome = outcome.substr(outcome.find(':', 6) + 1);
  }
  AppendLine(arguments.logPath, "Quarvel stand-in (patches nothing): " + arguments.action + arguments.options + " \"" +
                                    arguments.romPath + "\" -> " + outcome);
  if (outcome == "crash") RaiseException(EXCEPTION_ACCESS_VIOLATION, 0, 0, nullptr);
  if (outcome == "hang") {
    std::string hanging = Environment("QUARVEL_STANDIN_HANGING");
    HANDLE event = hanging.empty() ? nullptr : OpenEventA(EVENT_MODIFY_STATE, FALSE, hanging.c_str());
    if (event) SetEvent(event);
    Sleep(INFINITE);
  }
  return static_cast<int>(static_cast<uint32_t>(std::strtoll(outcome.c_str(), nullptr, 0)));
}
