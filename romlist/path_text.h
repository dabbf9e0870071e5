// Path and text helpers for the ROM list. Paths are text in the system's code page; where that code page
// has two-byte characters, their lead bytes are given, so that a second byte is never taken for a separator.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "romlist/lead_bytes.h"

namespace quarvel {

// Upper-cases the letters a to z only, so that paths compare the same on every code page. The second
// byte of a two-byte character is never a letter, even where its value is one.
std::string UpperAZ(std::string_view text, const LeadBytes& leadBytes = {});

// "C:\roms\a.gba" gives "C:\roms\" (with its separator) and "a.gba". Both '\' and '/' separate,
// and a drive's colon ends the directory part ("C:a.gba" gives "C:" and "a.gba").
std::string DirectoryPart(std::string_view path, const LeadBytes& leadBytes = {});
std::string FileNamePart(std::string_view path, const LeadBytes& leadBytes = {});

// Joins a folder and a name, putting a separator between them where the folder lacks one.
std::string JoinPath(std::string_view folder, std::string_view name, const LeadBytes& leadBytes = {});

// Whether the path lies inside the folder, or in a folder of it, the letters a to z compared in either case; the
// folder may end in a separator or not ("C:\Temp" holds "C:\temp\a.gba", not "C:\Temp2\a.gba").
bool IsInsideFolder(std::string_view path, std::string_view folder, const LeadBytes& leadBytes = {});

// Whether a name is a full path of its own (drive-rooted "C:\..." or a UNC "\\server\...").
bool IsFullPath(std::string_view name);

// A path read by a function of GetModuleFileNameA's kind, which fills a buffer of the given size and
// returns the bytes it holds. A path that does not fit comes back cut: Windows cuts it at the buffer's
// end, Wine under UTF-8 before the last whole character, short of the end. So the buffer grows until
// the path leaves room for one more character of up to four bytes, which a cut path never does.
std::string ReadWholePath(const std::function<size_t(char* buffer, size_t size)>& read);

}  // namespace quarvel

namespace quarvel {

// Why a caption edited in place cannot become a file name, or None.
enum class FileNameFault {
  None,
  // A character Windows forbids in names (\ / : * ? " < > | and control characters), or no name at all. A
  // double quote would also break out of the quoted path on the tool's command line.
  ForbiddenCharacter,
  // ".", "..", or a name ending in a period or a space: Windows drops those, and the path names another file.
  DotOrSpaceAtEnd,
  // CON, PRN, AUX, NUL, COM1 to COM9 or LPT1 to LPT9 (any letter case, with or without an extension), and
  // CONIN$ and CONOUT$: a path ending in one names a device, and a tool reading it waits for input.
  DeviceName,
};
FileNameFault FileNameFaultOf(std::string_view name, const LeadBytes& leadBytes = {});

}  // namespace quarvel
