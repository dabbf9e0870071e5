// The paths a tool is handed. The tool reads its command line in the system's own code page, which is
// not ours (UTF-8), so a path with a character outside that page would reach it garbled, or by best fit
// as the name of another file; and like most programs it is not long-path aware, so it cannot open a
// path of MAX_PATH characters or more. Such a path is handed in its short (8.3) form, or not at all.
#pragma once
#include <functional>
#include <optional>
#include <string>

namespace quarvel {

// How a path as the program holds it (in its own code page) stands with such a tool.
enum class PathFit {
  Fits,
  OutsideCodePage,  // not held exactly, with no default or best-fit character, in the system's code page
  TooLong,          // MAX_PATH characters or more
};

// A path's short form, or the system's error code where none could be read (the file is gone, say).
struct ShortForm {
  std::string path;
  unsigned error = 0;
};

// What the system says about paths.
struct PathForms {
  std::function<PathFit(const std::string& path)> fit;
  // The short form of an existing file's or folder's path. On a volume that keeps no short names it is
  // the path itself.
  std::function<ShortForm(const std::string& path)> shortForm;
};

// The path a tool is handed, or why there is none: what kept the path itself from going (problem), and
// the system's error where its short form could not be read (error); with error 0, the short form did
// not do either.
struct HandedPath {
  std::optional<std::string> path;
  PathFit problem = PathFit::Fits;
  unsigned error = 0;
};

// The path itself where it fits, else its short form where that fits.
HandedPath PathForTool(const std::string& path, const PathForms& forms);

// The program folder (with its trailing separator) as the tool is to see it: its current folder, and the
// folder of its own executable and of the log it writes. The folder itself where fileName inside it fits
// (the longest name the tool is handed there), else the folder's short form where that does.
HandedPath FolderForTool(const std::string& folder, const std::string& fileName, const PathForms& forms);

}  // namespace quarvel
