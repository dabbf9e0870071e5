#include "tool/fresh_log.h"

#include "ui/kernel_handle.h"

namespace quarvel {

DWORD StartFreshLog(const std::string& logPath) {
  if (!DeleteFileA(logPath.c_str())) {
    DWORD error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) return error;
  }
  // Deleted when closed: the probe leaves nothing behind, whichever way it ends.
  KernelHandle probe(CreateFileA(logPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  return probe.valid() ? 0 : GetLastError();
}

}  // namespace quarvel
