#include "tests/support/screen_reader.h"

#include <oleacc.h>

#include <utility>

namespace quarvel::testing {

namespace {
constexpr DWORD kLiveRegionChanged = 0x8019;  // EVENT_OBJECT_LIVEREGIONCHANGED
std::vector<std::pair<HWND, std::wstring>> heard;

// As a screen reader does, the object is asked for its name when the event arrives.
void CALLBACK OnEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
  IAccessible* accessible = nullptr;
  VARIANT self{};
  BSTR name = nullptr;
  if (FAILED(AccessibleObjectFromEvent(window, object, child, &accessible, &self))) return;
  if (SUCCEEDED(accessible->get_accName(self, &name))) heard.emplace_back(window, name ? name : L"");
  SysFreeString(name);
  accessible->Release();
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

std::vector<std::wstring> ScreenReader::Heard(HWND window) {
  for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&message);
  std::vector<std::wstring> names;
  for (const auto& [source, name] : heard)
    if (source == window) names.push_back(name);
  return names;
}

}  // namespace quarvel::testing
