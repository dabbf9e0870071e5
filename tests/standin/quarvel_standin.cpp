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
// Like the real tool it has no manifest: it reads its command line in the system's code page, opens the
// ROM file by the path it sees there, reads its header, and appends to the log by the path it sees.
// QUARVEL_STANDIN_RECORD may name a file to which each run appends one line, tab-separated: its command
// line (as UTF-8, from the wide command line, so nothing is lost), its current directory, its process id,
// its command line as GetCommandLineA gives it (the system's code page, byte for byte), whether it opened
// the ROM file, that file's volume serial and file index (hexadecimal), the start-up information's flags
// and show command, and its own path and current directory as GetModuleFileNameA and GetCurrentDirectoryA
// give them (byte for byte). The record, the plan and the environment are read and written wide.
// QUARVEL_STANDIN_HANGING may name an event that a run sets when it starts to hang, so that a test
// can time the front-end's limit from that moment.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& wide) {
  int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length, nullptr, nullptr);
  return text;
}

std::wstring Wide(const std::string& utf8) {
  int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
  return wide;
}

// As UTF-8.
std::string Environment(const wchar_t* name) {
  wchar_t value[4096];
  DWORD length = GetEnvironmentVariableW(name, value, 4096);
  return length > 0 && length < 4096 ? Utf8(std::wstring(value, length)) : std::string();
}

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

void AppendTo(HANDLE file, const std::string& line) {
  if (file == INVALID_HANDLE_VALUE) return;
  std::string text = line + "\r\n";
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

HANDLE OpenToAppend(HANDLE file) {
  if (file != INVALID_HANDLE_VALUE) SetFilePointer(file, 0, nullptr, FILE_END);
  return file;
}

// The stand-in's own record, by its UTF-8 name.
void AppendRecord(const std::string& path, const std::string& line) {
  if (path.empty()) return;
  AppendTo(OpenToAppend(CreateFileW(Wide(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)),
           line);
}

// The log, by the name the tool was given, in the system's code page.
void AppendLog(const std::string& path, const std::string& line) {
  if (path.empty()) return;
  AppendTo(OpenToAppend(CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr)),
           line);
}

std::string CurrentDirectory() {
  wchar_t directory[MAX_PATH * 4];
  DWORD length = GetCurrentDirectoryW(MAX_PATH * 4, directory);
  return Utf8(std::wstring(directory, length));
}

std::string Hex(uint64_t value) {
  char text[24];
  std::snprintf(text, sizeof(text), "%llx", static_cast<unsigned long long>(value));
  return text;
}

// The path with each part in its long form, found part by part (GetLongPathNameW overruns its stack under Wine
// when the long path reaches MAX_PATH); empty when a part cannot be found.
std::string LongNameOf(const std::string& path) {
  int length = MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), wide.data(), length);
  size_t start = wide.find(L'\\');
  if (start == std::wstring::npos || wide.find(L':') != 1) return "";
  std::wstring longPath = wide.substr(0, start);  // the drive
  while (start != std::wstring::npos) {
    size_t end = wide.find(L'\\', start + 1);
    std::wstring part = wide.substr(start + 1, end == std::wstring::npos ? std::wstring::npos : end - start - 1);
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((L"\\\\?\\" + longPath + L"\\" + part).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return "";
    FindClose(search);
    longPath += L"\\" + std::wstring(found.cFileName);
    start = end;
  }
  return Utf8(longPath);
}

// What the tool did with the ROM path it was given: whether the file opened, which file it is, its
// long name (UTF-8, for the plan) and the 18 header bytes at 160.
struct RomFile {
  bool opened = false;
  std::string volumeSerial = "-", fileIndex = "-";
  std::string longName;
};

RomFile OpenRom(const std::string& romPath) {
  RomFile rom;
  HANDLE file = CreateFileA(romPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return rom;
  rom.opened = true;
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileInformationByHandle(file, &info)) {
    rom.volumeSerial = Hex(info.dwVolumeSerialNumber);
    rom.fileIndex = Hex((static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow);
  }
  char header[18];
  DWORD read = 0;
  SetFilePointer(file, 160, nullptr, FILE_BEGIN);
  ReadFile(file, header, sizeof(header), &read, nullptr);
  CloseHandle(file);
  rom.longName = LongNameOf(romPath);
  return rom;
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
  std::string planPath = Environment(L"QUARVEL_STANDIN_PLAN");
  if (!planPath.empty()) {
    std::ifstream plan(Wide(planPath).c_str());
    std::string text, outcome;
    while (plan >> text >> outcome)
      if (text == "*" || romPath.find(text) != std::string::npos) return outcome;
  }
  std::string everyFile = Environment(L"QUARVEL_STANDIN_EXIT");
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
  Arguments arguments = ReadArguments(argc, argv);  // argv is the command line in the system's code page
  RomFile rom = OpenRom(arguments.romPath);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  GetStartupInfoW(&startup);
  char module[MAX_PATH] = {}, directory[MAX_PATH] = {};  // as a tool that is not long-path aware reads them
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  GetCurrentDirectoryA(MAX_PATH, directory);
  AppendRecord(Environment(L"QUARVEL_STANDIN_RECORD"),
               Utf8(GetCommandLineW()) + "\t" + CurrentDirectory() + "\t" + std::to_string(GetCurrentProcessId()) +
                   "\t" + GetCommandLineA() + "\t" + (rom.opened ? "opened" : "not-opened") + "\t" + rom.volumeSerial +
                   "\t" + rom.fileIndex + "\t" + std::to_string(startup.dwFlags) + "\t" +
                   std::to_string(startup.wShowWindow) + "\t" + module + "\t" + directory);
  // The plan and the demonstration go by the file's true name where the tool was given its short form.
  std::string outcome = ChosenOutcome(rom.longName.empty() ? arguments.romPath : rom.longName);
  if (outcome.rfind("sleep:", 0) == 0) {
    Sleep(std::strtoul(outcome.c_str() + 6, nullptr, 10));
    outcome = outcome.substr(outcome.find(':', 6) + 1);
  }
  AppendLog(arguments.logPath, "Quarvel stand-in (patches nothing): " + arguments.action + arguments.options + " \"" +
                                    arguments.romPath + "\" -> " + outcome);
  if (outcome == "crash") RaiseException(EXCEPTION_ACCESS_VIOLATION, 0, 0, nullptr);
  if (outcome == "hang") {
    std::string hanging = Environment(L"QUARVEL_STANDIN_HANGING");
    HANDLE event = hanging.empty() ? nullptr : OpenEventA(EVENT_MODIFY_STATE, FALSE, hanging.c_str());
    if (event) SetEvent(event);
    Sleep(INFINITE);
  }
  return static_cast<int>(static_cast<uint32_t>(std::strtoll(outcome.c_str(), nullptr, 0)));
}
