#include "tool/system_path_forms.h"

#include <windows.h>

#include "romlist/extended_path.h"
#include "ui/code_page_text.h"

namespace quarvel {

namespace {
constexpr unsigned kAsciiCodePage = 20127;

unsigned RegistryAnsiCodePage() {
  wchar_t text[16] = {};
  DWORD size = sizeof(text) - sizeof(wchar_t);
  if (RegGetValueW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\Nls\\CodePage", L"ACP", RRF_RT_REG_SZ,
                   nullptr, text, &size) != ERROR_SUCCESS)
    return 0;
  return static_cast<unsigned>(wcstoul(text, nullptr, 10));
}

bool FitsSystemCodePage(const std::wstring& wide) {
  unsigned codePage = SystemAnsiCodePage();
  if (codePage == CP_UTF8 || wide.empty()) return true;  // every path fits
  BOOL usedDefault = FALSE;
  int length = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), nullptr,
                                   0, nullptr, &usedDefault);
  return length > 0 && !usedDefault;
}

// A program that is not long-path aware reaches files by paths shorter than MAX_PATH, counted in the
// UTF-16 units its single-byte calls turn them into, whatever the system's long-path setting.
PathFit FitForTool(const std::string& path) {
  const std::wstring wide = WideFromCodePage(path);
  if (!FitsSystemCodePage(wide)) return PathFit::OutsideCodePage;
  return wide.size() < MAX_PATH ? PathFit::Fits : PathFit::TooLong;
}

// Asked in the extended form, so that a path past MAX_PATH has one too.
ShortForm ShortFormOf(const std::string& path) {
  const std::wstring extended = ExtendedLengthPath(path);
  if (extended.empty()) return ShortForm{"", GetLastError() ? GetLastError() : ERROR_INVALID_NAME};
  DWORD needed = GetShortPathNameW(extended.c_str(), nullptr, 0);
  if (needed == 0) return ShortForm{"", GetLastError()};
  std::wstring shortPath(needed, L'\0');
  DWORD length = GetShortPathNameW(extended.c_str(), shortPath.data(), needed);
  if (length == 0) return ShortForm{"", GetLastError()};
  if (length >= needed) return ShortForm{"", ERROR_INSUFFICIENT_BUFFER};  // renamed meanwhile
  shortPath.resize(length);
  return ShortForm{CodePageFromWide(WithoutExtendedPrefix(shortPath))};
}
}  // namespace

unsigned SystemAnsiCodePage() {
  DWORD codePage = 0;
  if (GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                     reinterpret_cast<LPWSTR>(&codePage), sizeof(codePage) / sizeof(wchar_t)) > 0 &&
      codePage != 0)
    return codePage;
  unsigned registry = RegistryAnsiCodePage();
  return registry != 0 ? registry : kAsciiCodePage;
}

const PathForms& SystemPathForms() {
  static const PathForms forms{FitForTool, ShortFormOf};
  return forms;
}

}  // namespace quarvel
