#include "tests/support/real_input.h"

#include <cctype>
#include <vector>

#include "tests/support/remote_windows.h"

namespace quarvel::testing {

namespace {
INPUT KeyInput(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

INPUT MouseInput(DWORD flags, POINT screen = {}) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_MOVE) {
    // Absolute coordinates run from 0 to 65535 across the primary screen.
    input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags |= MOUSEEVENTF_ABSOLUTE;
  }
  return input;
}

void Send(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Sleep(20);  // lets the system hand the input to its window before the next step reads the result
}
}  // namespace

void PressKey(WORD key, std::initializer_list<WORD> modifiers) {
  std::vector<INPUT> inputs;
  for (WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, false));
  inputs.push_back(KeyInput(key, false));
  inputs.push_back(KeyInput(key, true));
  for (auto it = modifiers.end(); it != modifiers.begin();) inputs.push_back(KeyInput(*--it, true));
  Send(inputs);
}

void HoldKey(WORD key, int keyDowns) {
  std::vector<INPUT> inputs(static_cast<size_t>(keyDowns), KeyInput(key, false));
  inputs.push_back(KeyInput(key, true));
  Send(inputs);
}

void TypeText(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(static_cast<size_t>(
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), static_cast<int>(wide.size()))));
  for (wchar_t c : wide) {
    SHORT key = VkKeyScanW(c);
    if (key == -1) {  // no key of the layout makes it: a Unicode key, as an input method types
      INPUT down{};
      down.type = INPUT_KEYBOARD;
      down.ki.wScan = static_cast<WORD>(c);
      down.ki.dwFlags = KEYEVENTF_UNICODE;
      INPUT up = down;
      up.ki.dwFlags |= KEYEVENTF_KEYUP;
      Send({down, up});
    } else if (key & 0x100) {
      PressKey(LOBYTE(key), {VK_SHIFT});
    } else {
      PressKey(LOBYTE(key));
    }
  }
}

void ClickAt(POINT screen, MouseButton button) {
  DWORD down = button == MouseButton::Left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN;
  DWORD up = button == MouseButton::Left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP;
  Send({MouseInput(MOUSEEVENTF_MOVE, screen)});
  Send({MouseInput(down), MouseInput(up)});
}

void ClickWindowAt(HWND window, POINT client, MouseButton button) {
  ClientToScreen(window, &client);
  ClickAt(client, button);
}

void ClickWindow(HWND window, MouseButton button) {
  RECT area{};
  GetClientRect(window, &area);
  ClickWindowAt(window, POINT{area.right / 2, area.bottom / 2}, button);
}

bool BringToFront(HWND window) {
  HWND top = GetAncestor(window, GA_ROOT);
  // Its thread takes the activation and then gives a window the focus a moment after the system makes it
  // the foreground window (long on a busy machine); keys sent before then reach none of its windows. A
  // program still starting up may take the foreground back meanwhile.
  DWORD thread = GetWindowThreadProcessId(top, nullptr);
  return WaitUntil([&] {
    if (GetForegroundWindow() != top) SetForegroundWindow(top);
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetForegroundWindow() == top && GetGUIThreadInfo(thread, &info) && info.hwndActive == top &&
           (info.hwndFocus == top || IsChild(top, info.hwndFocus));
  });
}

std::string ClipboardText(UINT format) {
  std::string text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(format); data && format == CF_UNICODETEXT) {
    const auto* wide = static_cast<const wchar_t*>(GlobalLock(data));
    text.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr)));
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), static_cast<int>(text.size()), nullptr, nullptr);
    text.pop_back();  // its zero
    GlobalUnlock(data);
  } else if (data) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

bool PutClipboardText(const std::string& utf8) {
  int length = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(length) * sizeof(wchar_t));
  if (!data || !OpenClipboard(nullptr)) return data && !GlobalFree(data) && false;
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, static_cast<wchar_t*>(GlobalLock(data)), length);
  GlobalUnlock(data);
  EmptyClipboard();
  bool put = SetClipboardData(CF_UNICODETEXT, data) != nullptr;
  if (!put) GlobalFree(data);
  CloseClipboard();
  return put;
}

}  // namespace quarvel::testing
