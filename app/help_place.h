// Where the help viewer (HTML Help) shows only its contents beside a blank page: the help file of a download
// that still carries the mark of the web, one on another computer, or one whose path holds a "#".
#pragma once
#include <string>
#include <string_view>

namespace quarvel {

// Why the viewer would show the help file blank.
enum class BlankHelp { None, FromTheInternet, OnTheNetwork, HashInPath };

// The zone a file's mark of the web names (its Zone.Identifier stream: "[ZoneTransfer]", "ZoneId=3"), or -1
// where it names none. The stream is text of the code page, or UTF-16 with its byte-order mark.
int ZoneOfMark(std::string_view mark);

// Why the viewer would show the help file at this path blank, from its mark of the web (empty without one) and
// whether its drive is another computer's: a zone of the Internet (3) or of restricted sites (4), a network folder
// (a UNC path, "\\server\share\...", or a network drive), or a "#", which the viewer takes for a place in a page.
BlankHelp WhyHelpWouldBeBlank(std::string_view path, std::string_view mark, bool onNetworkDrive);

// The root of a drive-letter path ("C:\"), which the system is asked for the drive's kind; empty for others.
std::string DriveRootOf(std::string_view path);

}  // namespace quarvel
