#include "ui/system_error_text.h"

#include "ui/message_text.h"

namespace quarvel {

std::string SystemErrorText(DWORD errorCode) {
  char* text = nullptr;
  constexpr DWORD kFlags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  DWORD length = FormatMessageA(kFlags, nullptr, errorCode, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string description = length > 0 ? TrimSystemErrorText(std::string(text, length)) : "";
  LocalFree(text);
  return description;
}

}  // namespace quarvel
