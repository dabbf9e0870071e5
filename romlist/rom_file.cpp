#include "romlist/rom_file.h"

#include "romlist/header_text.h"
#include "tool/kernel_handle.h"
#include "ui/failure.h"
#include "ui/message_text.h"

namespace quarvel {

namespace {
std::string FullPathOf(const std::string& path) {
  char buffer[MAX_PATH * 4];
  DWORD length = GetFullPathNameA(path.c_str(), sizeof(buffer), buffer, nullptr);
  return length > 0 && length < sizeof(buffer) ? std::string(buffer, length) : path;
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
  KernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) {
    DWORD error = GetLastError();
    RaiseFailure("Cannot open file \"%s\". %s", {FullPathOf(path), SystemErrorText(error)});
  }
  return RomFileFacts{ReadGameName(file.get()), ReadFileSize(file.get())};
}

std::string SystemErrorText(DWORD errorCode) {
  char* text = nullptr;
  DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                nullptr, errorCode, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string description = length > 0 ? TrimSystemErrorText(std::string(text, length)) : "";
  LocalFree(text);
  return description;
}

}  // namespace quarvel
