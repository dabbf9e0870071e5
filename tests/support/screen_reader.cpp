#include "tests/support/screen_reader.h"

#include <oleacc.h>

#include <algorithm>
#include <utility>

namespace quarvel::testing {

namespace {
constexpr DWORD kLiveRegionChanged = 0x8019;  // EVENT_OBJECT_LIVEREGIONCHANGED
std::vector<std::pair<HWND, std::string>> heard;

std::string Utf8(BSTR text) {
  const int wide = text ? static_cast<int>(SysStringLen(text)) : 0;
  int length = WideCharToMultiByte(CP_UTF8, 0, text, wide, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(std::max(length, 0)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, wide, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

std::string NameOf(IAccessible* accessible, VARIANT child) {
  BSTR name = nullptr;
  std::string text = accessible && SUCCEEDED(accessible->get_accName(child, &name)) ? Utf8(name) : "";
  SysFreeString(name);
  return text;
}
}  // namespace

ScreenReader::ScreenReader(DWORD processId)
    : comStarted_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))),
      hook_(SetWinEventHook(kLiveRegionChanged, kLiveRegionChanged, nullptr, OnEvent, processId, 0,
                            WINEVENT_OUTOFCONTEXT)) {
  heard.clear();
}

ScreenReader::~ScreenReader() {
  if (hook_) UnhookWinEvent(hook_);
  if (comStarted_) CoUninitialize();
}

// As a screen reader does, the object is asked for its name when the event arrives.
void CALLBACK ScreenReader::OnEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
  IAccessible* accessible = nullptr;
  VARIANT self{};
  if (SUCCEEDED(AccessibleObjectFromEvent(window, static_cast<DWORD>(object), static_cast<DWORD>(child), &accessible,
                                          &self))) {
    heard.emplace_back(window, NameOf(accessible, self));
    accessible->Release();
  }
}

std::vector<std::string> ScreenReader::Heard(HWND window) {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);  // the events come so
  std::vector<std::string> names;
  for (const auto& [source, name] : heard)
    if (source == window) names.push_back(name);
  return names;
}

}  // namespace quarvel::testing
