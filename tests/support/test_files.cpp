#include "tests/support/test_files.h"

#include <psapi.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace quarvel::testing {

namespace {
constexpr size_t kHeaderOffset = 160;
}  // namespace

std::string UsersTemporaryFolder() {
  char temp[MAX_PATH];
  std::string folder(temp, GetTempPathA(sizeof(temp), temp));
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return folder;
}

TempFolder::TempFolder(const std::string& label, std::string base) {
  if (base.empty()) {
    base = kTestFilesRoot;
    CreateDirectoryA(base.c_str(), nullptr);
  }
  static unsigned counter = 0;
  // The process id, a counter and the time keep parallel runs and repeated fixtures apart.
  for (;;) {
    std::string candidate = base + "qfe-" + label + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                            std::to_string(++counter) + "-" + std::to_string(GetTickCount() % 100000);
    if (CreateDirectoryA(candidate.c_str(), nullptr)) {
      path_ = candidate + "\\";
      break;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
}

TempFolder::~TempFolder() {
  if (path_.empty()) return;
  // A process that has only just ended may still hold its image file for a moment.
  for (int attempt = 0; attempt < 20 && !DeleteTree(path_); ++attempt) Sleep(100);
}

std::string RomImage(const std::string& header, size_t size) {
  std::string image(size, '\0');
  for (size_t i = 0; i < header.size() && kHeaderOffset + i < size; ++i) image[kHeaderOffset + i] = header[i];
  return image;
}

bool WriteRom(const std::string& path, const std::string& header, size_t size) {
  return WriteText(path, RomImage(header, size));
}

std::vector<std::string> WriteNumberedRoms(const std::string& folder, size_t count) {
  std::vector<std::string> paths;
  for (size_t i = 0; i < count; ++i) {
    char name[32], header[32];
    std::snprintf(name, sizeof(name), "rom%05u.gba", static_cast<unsigned>(i));
    std::snprintf(header, sizeof(header), "GAME%05uAXXE01", static_cast<unsigned>(i));
    paths.push_back(folder + name);
    WriteRom(paths.back(), header);
  }
  return paths;
}

std::wstring Widen(const std::string& text) {
  int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

bool CreateFolderW(const std::wstring& path) {
  return CreateDirectoryW((L"\\\\?\\" + path).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool WriteRomW(const std::wstring& path, const std::string& header, size_t size) {
  HANDLE file = CreateFileW((L"\\\\?\\" + path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  std::string image = RomImage(header, size);
  DWORD written = 0;
  bool ok = WriteFile(file, image.data(), static_cast<DWORD>(image.size()), &written, nullptr) && written == size;
  CloseHandle(file);
  return ok;
}

std::string MakeNestedPath(const std::string& parent, size_t totalLength, const std::string& name) {
  // Folders of at most 200 characters (201 with the separator), as even as can be, fill the gap exactly. Each
  // length starts from a letter of its own: Wine makes short names by hashing, and two folders of one letter in
  // one parent can share one (127 and 175 "a"s do), which sends the short form into the other folder.
  size_t gap = totalLength > parent.size() + name.size() ? totalLength - parent.size() - name.size() : 0;
  size_t folders = (gap + 200) / 201;
  std::string folder = parent;
  for (size_t i = 0; i < folders; ++i) {
    size_t share = gap / folders + (i < gap % folders ? 1 : 0);  // folder name and its separator
    folder += std::string(share - 1, static_cast<char>('a' + (totalLength + i) % 26));
    CreateFolderW(Widen(folder));
    folder += "\\";
  }
  return folder + name;
}

std::string ShortPathOf(const std::string& path) {
  wchar_t shortPath[MAX_PATH];  // far shorter than the long path, which may be past MAX_PATH
  DWORD length = GetShortPathNameW((L"\\\\?\\" + Widen(path)).c_str(), shortPath, MAX_PATH);
  if (length < 4 || length >= MAX_PATH) return "";
  return std::string(shortPath + 4, shortPath + length);  // the "\\?\" dropped; short names are ASCII
}

bool WriteText(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(text.data(), static_cast<std::streamsize>(text.size()));
  return static_cast<bool>(file);
}

std::string ReadText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::istringstream text(ReadText(path));
  for (std::string line; std::getline(text, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool DeleteTree(const std::string& folder) {
  std::string base = folder;
  if (!base.empty() && base.back() != '\\') base += '\\';
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((base + "*").c_str(), &found);
  bool ok = true;
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = base + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        ok = DeleteTree(path) && ok;
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ok = DeleteFileA(path.c_str()) && ok;
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  base.pop_back();
  return RemoveDirectoryA(base.c_str()) && ok;
}

LockedFile::LockedFile(const std::string& path, DWORD access, DWORD share)
    : handle_(CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}

void LockedFile::Release() {
  if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  handle_ = INVALID_HANDLE_VALUE;
}

std::string AsciiUpper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

std::string SystemText(DWORD errorCode) {
  char text[1024] = {};
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, errorCode, 0, text,
                                sizeof(text), nullptr);
  std::string description(text, length);
  while (!description.empty() && (description.back() == '\n' || description.back() == '\r' ||
                                  description.back() == ' ' || description.back() == '.'))
    description.pop_back();
  return description;
}

std::string ProgramFolder() {
  char path[MAX_PATH * 4];
  std::string module(path, GetModuleFileNameA(nullptr, path, sizeof(path)));
  return module.substr(0, module.find_last_of("\\/") + 1);
}

std::vector<ToolRun> ReadToolRuns(const std::string& recordPath) {
  std::vector<ToolRun> runs;
  for (const std::string& line : ReadLines(recordPath)) {
    std::vector<std::string> fields;
    for (size_t start = 0;;) {
      size_t tab = line.find('\t', start);
      fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
      if (tab == std::string::npos) break;
      start = tab + 1;
    }
    fields.resize(11);
    ToolRun run;
    run.commandLine = fields[0];
    run.directory = fields[1];
    run.processId = fields[2].empty() ? 0 : static_cast<DWORD>(std::stoul(fields[2]));
    run.systemCommandLine = fields[3];
    run.opened = fields[4] == "opened";
    run.fileId = fields[5] + ":" + fields[6];
    run.startup = "flags " + fields[7] + " show " + fields[8];
    run.systemModule = fields[9];
    run.systemDirectory = fields[10];
    size_t end = run.commandLine.find("\" >>");
    size_t start = end == std::string::npos || end == 0 ? std::string::npos : run.commandLine.rfind('"', end - 1);
    if (start != std::string::npos) run.rom = run.commandLine.substr(start + 1, end - start - 1);
    runs.push_back(run);
  }
  return runs;
}

std::string FileIdOf(const std::string& path) {
  HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  BY_HANDLE_FILE_INFORMATION info{};
  bool known = file != INVALID_HANDLE_VALUE && GetFileInformationByHandle(file, &info);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (!known) return "(cannot open " + path + ")";
  char id[48];
  std::snprintf(id, sizeof(id), "%lx:%llx", static_cast<unsigned long>(info.dwVolumeSerialNumber),
                (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow);
  return id;
}

std::vector<std::string> RecordedFileIds(const std::string& recordPath) {
  std::vector<std::string> ids;
  for (const ToolRun& run : ReadToolRuns(recordPath)) ids.push_back(run.opened ? run.fileId : "(not opened)");
  return ids;
}

std::vector<DWORD> RecordedPids(const std::string& recordPath) {
  std::vector<DWORD> pids;
  for (const ToolRun& run : ReadToolRuns(recordPath)) pids.push_back(run.processId);
  return pids;
}

std::vector<std::string> RecordedRoms(const std::string& recordPath) {
  std::vector<std::string> roms;
  for (const ToolRun& run : ReadToolRuns(recordPath)) roms.push_back(run.rom);
  return roms;
}

uint64_t PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof(counters);
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters));
  return counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
}

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace quarvel::testing
