#include "app/app_dir.h"

#include "romlist/path_text.h"

namespace quarvel {

std::string AppDirFromModulePath(std::string_view modulePath, const LeadBytes& leadBytes) {
  return DirectoryPart(modulePath, leadBytes);
}

}  // namespace quarvel
