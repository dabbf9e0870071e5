#include "romlist/dropped_files.h"

#include <shlobj.h>

#include <cstring>
#include <utility>

#include "romlist/drop_list.h"
#include "romlist/path_text.h"
#include "ui/code_page_text.h"

namespace quarvel {

namespace {
constexpr UINT kCopyGlobalData = 0x0049;  // WM_COPYGLOBALDATA, which the headers do not name

BOOL SystemMessageFilter(HWND window, UINT message, DWORD action) {
  using FilterFunction = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
  static const auto filter = reinterpret_cast<FilterFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "ChangeWindowMessageFilterEx")));
  return filter && filter(window, message, action, nullptr);
}

MessageFilter messageFilter = SystemMessageFilter;

// Asks the shell for each path in turn; used when the drop's memory cannot be read directly. The size
// the shell gives for a wide path may count its characters, not the bytes they take in UTF-8, so the
// buffer grows until the whole path fits.
std::vector<std::string> QueryEachPath(HDROP drop) {
  std::vector<std::string> paths;
  UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT index = 0; index < count; ++index)
    paths.push_back(ReadWholePath([&](char* buffer, size_t size) {
      DragQueryFileA(drop, index, buffer, static_cast<UINT>(size));
      return strnlen(buffer, size);
    }));
  return paths;
}

// Locks the drop's memory for as long as it lives.
class LockedDrop {
 public:
  explicit LockedDrop(HDROP drop)
      : memory_(reinterpret_cast<HGLOBAL>(drop)), bytes_(static_cast<const char*>(GlobalLock(memory_))) {}
  ~LockedDrop() {
    if (bytes_) GlobalUnlock(memory_);
  }
  LockedDrop(const LockedDrop&) = delete;
  LockedDrop& operator=(const LockedDrop&) = delete;
  const char* bytes() const { return bytes_; }
  size_t size() const { return bytes_ ? GlobalSize(memory_) : 0; }

 private:
  HGLOBAL memory_;
  const char* bytes_;
};
}  // namespace

void AcceptDroppedFiles(HWND window) {
  constexpr DWORD kAllow = 1;  // MSGFLT_ALLOW
  for (UINT message : {static_cast<UINT>(WM_DROPFILES), static_cast<UINT>(WM_COPYDATA), kCopyGlobalData})
    messageFilter(window, message, kAllow);
  DragAcceptFiles(window, TRUE);
}

ScopedMessageFilter::ScopedMessageFilter(MessageFilter filter)
    : previous_(std::exchange(messageFilter, std::move(filter))) {}

ScopedMessageFilter::~ScopedMessageFilter() { messageFilter = std::move(previous_); }

std::vector<std::string> ReadDroppedPaths(HDROP drop) {
  LockedDrop locked(drop);
  if (!locked.bytes() || locked.size() < sizeof(DROPFILES)) return QueryEachPath(drop);
  const auto* header = reinterpret_cast<const DROPFILES*>(locked.bytes());
  if (header->pFiles < sizeof(DROPFILES) || header->pFiles >= locked.size()) return QueryEachPath(drop);
  const char* begin = locked.bytes() + header->pFiles;
  const char* end = locked.bytes() + locked.size();
  if (!header->fWide) return SplitZeroTerminatedList(begin, end);

  std::vector<std::string> paths;
  auto wideBegin = reinterpret_cast<const wchar_t*>(begin);
  auto wideEnd = wideBegin + (end - begin) / static_cast<std::ptrdiff_t>(sizeof(wchar_t));
  for (const std::wstring& wide : SplitZeroTerminatedList(wideBegin, wideEnd)) paths.push_back(CodePageFromWide(wide));
  return paths;
}

}  // namespace quarvel
