// Files the end-to-end tests make and read. Folders, ROM files and text files come from the shared
// support library; what is here only the end-to-end tests need.
#pragma once
#include <windows.h>

#include <string>

#include "tests/support/test_files.h"

namespace e2e {

using namespace quarvel::testing;

// A Windows path for a path that may be given as a Unix path (the variable set on the Linux side).
std::string WindowsPathOf(const std::string& path);

std::string EnvironmentVariable(const char* name);

}  // namespace e2e
