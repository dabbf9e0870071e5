// Memory inside another process: list-view and status-bar messages carry pointers that the program
// dereferences in its own address space, so the buffers must live there.
#pragma once
#include <windows.h>

#include <cstring>
#include <string>

namespace quarvel::testing {

class RemoteMemory {
 public:
  RemoteMemory(HANDLE process, size_t size)
      : process_(process), address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
  ~RemoteMemory() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  }
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;

  bool valid() const { return address_ != nullptr; }
  char* at(size_t offset) const { return static_cast<char*>(address_) + offset; }
  bool Write(size_t offset, const void* data, size_t size) const {
    SIZE_T written = 0;
    return WriteProcessMemory(process_, at(offset), data, size, &written) && written == size;
  }
  bool Read(size_t offset, void* data, size_t size) const {
    SIZE_T read = 0;
    return ReadProcessMemory(process_, at(offset), data, size, &read) && read == size;
  }
  std::string ReadText(size_t offset, size_t maxChars) const {
    std::string text(maxChars, '\0');
    if (!Read(offset, text.data(), maxChars)) return {};
    text.resize(strnlen(text.c_str(), maxChars));
    return text;
  }

 private:
  HANDLE process_;
  void* address_;
};

}  // namespace quarvel::testing
