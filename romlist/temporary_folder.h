// The user's temporary folder, where archive programs put the files they extract for a moment: Explorer's view of
// a zip (Temp1_<name>.zip), 7-Zip (7zO...) and WinRAR (Rar$...) hand a program such a copy and delete it later.
// A tool run on one changes nothing the person keeps, so such files are not listed.
#pragma once
#include <string>
#include <vector>

#include "romlist/lead_bytes.h"

namespace quarvel {

// The folder in each form a path into it may take, in the program's code page: as Windows gives it (its
// short form, often, where the user's name is long), its long form and its short form.
std::vector<std::string> UsersTemporaryFolderForms();

// Whether the path lies in one of the folders.
bool IsInAnyFolder(const std::string& path, const std::vector<std::string>& folders, const LeadBytes& leadBytes);

}  // namespace quarvel
