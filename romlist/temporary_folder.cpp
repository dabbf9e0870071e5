#include "romlist/temporary_folder.h"

#include <windows.h>

#include <algorithm>

#include "romlist/path_text.h"
#include "ui/code_page_text.h"

namespace quarvel {

namespace {
// A path the system gives by a function of GetLongPathNameW's kind; empty when it cannot.
template <class Convert>
std::wstring Converted(const std::wstring& path, Convert convert) {
  std::wstring converted(MAX_PATH, L'\0');
  DWORD length = convert(path.c_str(), converted.data(), static_cast<DWORD>(converted.size()));
  if (length >= converted.size()) {
    converted.resize(length);
    length = convert(path.c_str(), converted.data(), static_cast<DWORD>(converted.size()));
  }
  converted.resize(length < converted.size() ? length : 0);
  return converted;
}
}  // namespace

std::vector<std::string> UsersTemporaryFolderForms() {
  wchar_t given[MAX_PATH + 1] = {};
  DWORD length = GetTempPathW(MAX_PATH + 1, given);
  if (length == 0 || length > MAX_PATH) return {};
  const std::wstring folder(given, length);
  std::vector<std::string> forms;
  for (const std::wstring& form : {folder, Converted(folder, GetLongPathNameW), Converted(folder, GetShortPathNameW)})
    if (!form.empty() && std::find(forms.begin(), forms.end(), CodePageFromWide(form)) == forms.end())
      forms.push_back(CodePageFromWide(form));
  return forms;
}

bool IsInAnyFolder(const std::string& path, const std::vector<std::string>& folders, const LeadBytes& leadBytes) {
  return std::any_of(folders.begin(), folders.end(),
                     [&](const std::string& folder) { return IsInsideFolder(path, folder, leadBytes); });
}

}  // namespace quarvel
