#include "tool/tool_path.h"

namespace quarvel {

std::optional<std::string> PathForTool(const std::string& path, const PathForms& forms) {
  if (forms.fits(path)) return path;
  std::optional<std::string> shortPath = forms.shortForm(path);
  if (shortPath && forms.fits(*shortPath)) return shortPath;
  return std::nullopt;
}

std::optional<std::string> NewFilePathForTool(const std::string& folder, const std::string& name,
                                              const PathForms& forms) {
  if (forms.fits(folder + name)) return folder + name;
  std::optional<std::string> shortFolder = forms.shortForm(folder);
  if (!shortFolder) return std::nullopt;
  if (!shortFolder->empty() && shortFolder->back() != '\\') *shortFolder += '\\';
  if (!forms.fits(*shortFolder + name)) return std::nullopt;
  return *shortFolder + name;
}

}  // namespace quarvel
