#include "romlist/rom_file.h"

#include "romlist/extended_path.h"
#include "romlist/header_text.h"
#include "ui/failure.h"
#include "ui/kernel_handle.h"
#include "ui/system_error_text.h"

namespace quarvel {

namespace {
// The full path for a report, as long as it is; the path as given when the system cannot tell.
std::string FullPathOf(const std::string& path) {
  DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
  std::string full(needed, '\0');
  DWORD length = needed > 0 ? GetFullPathNameA(path.c_str(), needed, full.data(), nullptr) : 0;
  return length > 0 && length < needed ? full.substr(0, length) : path;
}

// Opens the file for reading only, letting others read, write and delete or rename it meanwhile: an
// emulator or a hex viewer may hold the ROM open, some with delete access, and 18 bytes and the size need
// no exclusive access. The single-byte file functions refuse a path of MAX_PATH bytes or more (Wine converts
// it through a buffer of that size, error 206; Windows does unless its long-path setting is on), so such a
// path, and only such a path, is opened by its wide form.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE OpenForReading(const std::string& path) {
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE || path.size() < MAX_PATH) return file;
  DWORD error = GetLastError();
  std::wstring wide = ExtendedLengthPath(path);
  if (wide.empty()) {
    SetLastError(error);
    return file;
  }
  return CreateFileW(wide.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}
}  // namespace

std::string ReadGameName(HANDLE file) {
  char bytes[kGameNameLength] = {};
  DWORD total = 0;
  if (SetFilePointer(file, kGameNameOffset, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER) {
    DWORD read = 0;
    while (total < kGameNameLength && ReadFile(file, bytes + total, kGameNameLength - total, &read, nullptr) &&
           read > 0)
      total += read;
  }
  return GameNameFromBytes(bytes, total);
}

uint32_t ReadFileSize(HANDLE file) { return GetFileSize(file, nullptr); }

RomFileFacts ReadRomFileFacts(const std::string& path) {
  KernelHandle file(OpenForReading(path));
  if (!file.valid()) {
    DWORD error = GetLastError();
    RaiseFailure("Cannot open file \"%s\". %s", {FullPathOf(path), SystemErrorText(error)});
  }
  return RomFileFacts{ReadGameName(file.get()), ReadFileSize(file.get())};
}

}  // namespace quarvel
