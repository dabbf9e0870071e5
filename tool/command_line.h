// The tool's command line, built from a row's path, the three options and the action's switch.
#pragma once
#include <string>
#include <string_view>

namespace quarvel {

inline constexpr const char* kToolFileName = "Quarvel.exe";
inline constexpr const char* kLogFileName = "log.txt";
inline constexpr const char* kHelpFileName = "quarvel.chm";

// The tool actions a batch can run.
enum class Operation { Patch, Fix, Unpatch, Test };

// The switch of an action: empty for Patch, "-f", "-u", "-t" for the others.
const char* OperationSwitch(Operation operation);

// The three option check boxes.
struct ToolOptions {
  bool trimFiles = false;      // "-r"
  bool manualMode = false;     // "-m"
  bool preserveIntro = false;  // "-i"
};

// The tool's executable in double quotes: "<appDir>Quarvel.exe".
std::string ToolCommand(std::string_view appDir);

// The options, the switch, the quoted ROM path, ">>" and the quoted log path (the tool's, as in
// RunToolOnFile), one space apart. A path ending in backslashes has them doubled inside its quotes, so that
// the closing quote stays one.
std::string ToolParameters(const ToolOptions& options, std::string_view switchText, std::string_view romPath,
                           std::string_view logPath);

// Removes leading and trailing characters whose code is 32 or less.
std::string TrimControl(std::string_view text);

// The command line a process is started with: the command, put in double quotes unless it is empty
// or quoted already, a space, and the parameters.
std::string JoinCommandLine(std::string_view command, std::string_view parameters);

}  // namespace quarvel
