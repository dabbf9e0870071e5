#include "tool/tool_path.h"

namespace quarvel {

namespace {
HandedPath Unhanded(PathFit problem, const ShortForm& shortForm) {
  return HandedPath{std::nullopt, problem, shortForm.error};
}
}  // namespace

HandedPath PathForTool(const std::string& path, const PathForms& forms) {
  const PathFit fit = forms.fit(path);
  if (fit == PathFit::Fits) return HandedPath{path};
  const ShortForm shortForm = forms.shortForm(path);
  if (shortForm.error != 0 || forms.fit(shortForm.path) != PathFit::Fits) return Unhanded(fit, shortForm);
  return HandedPath{shortForm.path};
}

HandedPath FolderForTool(const std::string& folder, const std::string& fileName, const PathForms& forms) {
  const PathFit fit = forms.fit(folder + fileName);
  if (fit == PathFit::Fits) return HandedPath{folder};
  ShortForm shortForm = forms.shortForm(folder);
  if (shortForm.error != 0) return Unhanded(fit, shortForm);
  if (!shortForm.path.empty() && shortForm.path.back() != '\\') shortForm.path += '\\';
  if (forms.fit(shortForm.path + fileName) != PathFit::Fits) return Unhanded(fit, shortForm);
  return HandedPath{shortForm.path};
}

}  // namespace quarvel
