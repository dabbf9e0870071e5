#include "tool/system_path_forms.h"

#include <windows.h>

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

bool FitsSystemCodePage(const std::string& path) {
  unsigned codePage = SystemAnsiCodePage();
  if (codePage == CP_UTF8) return true;  // every path fits
  std::wstring wide = WideFromCodePage(path);
  if (wide.empty()) return path.empty();
  BOOL usedDefault = FALSE;
  int length = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), nullptr,
                                   0, nullptr, &usedDefault);
  return length > 0 && !usedDefault;
}

std::optional<std::string> ShortFormOf(const std::string& path) {
  std::wstring wide = WideFromCodePage(path);
  DWORD needed = GetShortPathNameW(wide.c_str(), nullptr, 0);
  if (needed == 0) return std::nullopt;
  std::wstring shortPath(needed, L'\0');
  DWORD length = GetShortPathNameW(wide.c_str(), shortPath.data(), needed);
  if (length == 0 || length >= needed) return std::nullopt;
  shortPath.resize(length);
  return CodePageFromWide(shortPath);
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
  static const PathForms forms{FitsSystemCodePage, ShortFormOf};
  return forms;
}

}  // namespace quarvel
