#include "app/app_dir.h"

#include "romlist/path_text.h"

namespace quarvel {

std::string AppDirFromModulePath(std::string_view modulePath) { return DirectoryPart(modulePath); }

}  // namespace quarvel
