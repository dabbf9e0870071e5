#include "app/help_place.h"

namespace quarvel {

namespace {
constexpr int kInternetZone = 3;

// ASCII letters in either case.
bool StartsWithIgnoringCase(std::string_view text, std::string_view start) {
  if (text.size() < start.size()) return false;
  for (size_t index = 0; index < start.size(); ++index) {
    char a = text[index], b = start[index];
    if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 'a' + 'A');
    if (b >= 'a' && b <= 'z') b = static_cast<char>(b - 'a' + 'A');
    if (a != b) return false;
  }
  return true;
}
}  // namespace

int ZoneOfMark(std::string_view mark) {
  std::string text;
  if (mark.size() >= 2 && mark[0] == '\xFF' && mark[1] == '\xFE') {
    for (size_t index = 2; index < mark.size(); index += 2) text += mark[index];  // its letters are ASCII
  } else {
    text = mark;
  }
  bool inZoneTransfer = false;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find_first_of("\r\n", start);
    std::string_view line = std::string_view(text).substr(start, end == std::string::npos ? end : end - start);
    start = end == std::string::npos ? text.size() : end + 1;
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    if (line.starts_with("[")) inZoneTransfer = StartsWithIgnoringCase(line, "[ZoneTransfer]");
    if (!inZoneTransfer || !StartsWithIgnoringCase(line, "ZoneId=")) continue;
    std::string_view number = line.substr(7);
    int zone = 0;
    size_t digits = 0;
    for (; digits < number.size() && number[digits] >= '0' && number[digits] <= '9' && zone < 1000; ++digits)
      zone = zone * 10 + (number[digits] - '0');
    return digits > 0 ? zone : -1;
  }
  return -1;
}

BlankHelp WhyHelpWouldBeBlank(std::string_view path, std::string_view mark, bool onNetworkDrive) {
  if (ZoneOfMark(mark) >= kInternetZone) return BlankHelp::FromTheInternet;
  if (onNetworkDrive || path.starts_with("\\\\")) return BlankHelp::OnTheNetwork;
  if (path.find('#') != std::string_view::npos) return BlankHelp::HashInPath;
  return BlankHelp::None;
}

std::string DriveRootOf(std::string_view path) {
  const bool letter = path.size() >= 3 && ((path[0] | 0x20) >= 'a' && (path[0] | 0x20) <= 'z') && path[1] == ':' &&
                      (path[2] == '\\' || path[2] == '/');
  return letter ? std::string(path.substr(0, 2)) + "\\" : std::string();
}

}  // namespace quarvel
