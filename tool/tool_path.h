// The paths a tool is handed. The tool reads its command line in the system's own code page, which is
// not ours (UTF-8), so a path with a character outside that page would reach it garbled, or by best fit
// as the name of another file. Such a path is handed in its short (8.3) form, or not at all.
#pragma once
#include <functional>
#include <optional>
#include <string>

namespace quarvel {

// What the system says about a path as the program holds it (in its own code page).
struct PathForms {
  // Whether the path can be held exactly, with no default or best-fit character, in the system's code page.
  std::function<bool(const std::string& path)> fits;
  // The short form of an existing file's or folder's path, none where the volume keeps no short names.
  std::function<std::optional<std::string>(const std::string& path)> shortForm;
};

// The path itself where it fits, else its short form where that fits, else none.
std::optional<std::string> PathForTool(const std::string& path, const PathForms& forms);

// For a file not made yet, named name inside folder (with its trailing separator): folder + name where
// that fits, else the folder's short form + name where that fits, else none.
std::optional<std::string> NewFilePathForTool(const std::string& folder, const std::string& name,
                                              const PathForms& forms);

}  // namespace quarvel
