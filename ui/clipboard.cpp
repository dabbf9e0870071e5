#include "ui/clipboard.h"

#include <cstring>

#include "ui/code_page_text.h"

namespace quarvel {

namespace {
// Memory the clipboard takes over once SetClipboardData accepts it; freed here otherwise.
class ClipboardMemory {
 public:
  explicit ClipboardMemory(size_t bytes) : memory_(GlobalAlloc(GMEM_MOVEABLE, bytes)) {}
  ~ClipboardMemory() {
    if (memory_) GlobalFree(memory_);
  }
  ClipboardMemory(const ClipboardMemory&) = delete;
  ClipboardMemory& operator=(const ClipboardMemory&) = delete;

  bool Fill(const void* data, size_t bytes) {
    void* at = memory_ ? GlobalLock(memory_) : nullptr;
    if (!at) return false;
    std::memcpy(at, data, bytes);
    GlobalUnlock(memory_);
    return true;
  }
  bool HandTo(UINT format) {
    if (!SetClipboardData(format, memory_)) return false;
    memory_ = nullptr;
    return true;
  }

 private:
  HGLOBAL memory_;
};

bool Put(UINT format, const void* data, size_t bytes) {
  ClipboardMemory memory(bytes);
  return memory.Fill(data, bytes) && memory.HandTo(format);
}

// Open while it lives.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool open() const { return open_; }

 private:
  bool open_;
};
}  // namespace

bool CopyTextToClipboard(HWND owner, const std::string& text) {
  OpenedClipboard clipboard(owner);
  if (!clipboard.open() || !EmptyClipboard()) return false;
  // UTF-16 alone: the system makes CF_TEXT from it on request, in the code page of the clipboard's
  // locale, which is what a program reading CF_TEXT expects; our own code page (UTF-8) is not.
  std::wstring wide = WideFromCodePage(text);
  return Put(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
}

}  // namespace quarvel
