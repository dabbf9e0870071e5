// Files the end-to-end tests make and read. Folders, ROM files and text files come from the shared
// support library; what is here only the end-to-end tests need.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/test_files.h"

namespace e2e {

using quarvel::testing::AsciiUpper;
using quarvel::testing::DeleteTree;
using quarvel::testing::FileExists;
using quarvel::testing::LockedFile;
using quarvel::testing::ReadLines;
using quarvel::testing::SystemText;
using quarvel::testing::TempFolder;

inline bool WriteRomFile(const std::string& path, const std::string& gameName, size_t size) {
  return quarvel::testing::WriteRom(path, gameName.substr(0, 18), size);
}
inline std::string ThisProgramFolder() { return quarvel::testing::ProgramFolder(); }
bool CopyOneFile(const std::string& from, const std::string& to);

// A Windows path for a path that may be given as a Unix path (the variable set on the Linux side).
std::string WindowsPathOf(const std::string& path);

std::string EnvironmentVariable(const char* name);


}  // namespace e2e
