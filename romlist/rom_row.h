// One row of the ROM list.
#pragma once
#include <string>

namespace quarvel {

constexpr int kNoIcon = -1;

struct RomRow {
  std::string caption;    // file name with extension; the user may edit it in place
  std::string gameName;   // header bytes as text
  std::string directory;  // with its trailing separator
  std::string size;       // low 32 bits of the size, in decimal
  std::string result;     // status word of the last tool run, empty before the first
  int icon = kNoIcon;     // result code of the last tool run

  // The file the row stands for: always the directory followed by the caption.
  std::string FullPath() const { return directory + caption; }
};

}  // namespace quarvel
