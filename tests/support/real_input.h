// Keys and clicks through the system's real input path (SendInput), as a person makes them: they go
// to whatever window is under the pointer or has the keyboard focus, never straight to a chosen control.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <string>

namespace quarvel::testing {

// Presses and releases key while the modifiers (VK_SHIFT, VK_CONTROL, VK_MENU) are held.
void PressKey(WORD key, std::initializer_list<WORD> modifiers = {});
// Presses the key down `keyDowns` times, as a held key repeats, then releases it once.
void HoldKey(WORD key, int keyDowns);
// Types UTF-8 text: letters, digits, spaces and dots as the keys that make them, any other character as
// a Unicode key (what an input method or an on-screen keyboard sends).
void TypeText(const std::string& text);

enum class MouseButton { Left, Right };
// Moves the pointer to a point on the screen and clicks there.
void ClickAt(POINT screen, MouseButton button = MouseButton::Left);
// Clicks the middle of a window (or of its client point, when given).
void ClickWindow(HWND window, MouseButton button = MouseButton::Left);
void ClickWindowAt(HWND window, POINT client, MouseButton button = MouseButton::Left);

// Brings the window's top-level window to the front, so the keys typed next go to it.
bool BringToFront(HWND window);

// What a paste would give: the clipboard's text in the format, CF_UNICODETEXT as UTF-8; empty when none.
std::string ClipboardText(UINT format);
// Puts the text (UTF-8) on the clipboard as CF_UNICODETEXT alone, for a paste by Ctrl+V.
bool PutClipboardText(const std::string& utf8);

}  // namespace quarvel::testing
