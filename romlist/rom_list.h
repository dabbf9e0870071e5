// The ROM list's rows, in the order they were added, with the rule against listing a file twice.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "romlist/lead_bytes.h"
#include "romlist/rom_row.h"

namespace quarvel {

// What is read from a ROM file when it is added.
struct RomFileFacts {
  std::string gameName;
  uint32_t size = 0;  // low 32 bits of the file's size
};

class RomList {
 public:
  explicit RomList(const LeadBytes& leadBytes = {}) : leadBytes_(leadBytes) {}

  // Reads a file's facts, or throws when the file cannot be opened.
  using FactsReader = std::function<RomFileFacts(const std::string& path)>;

  size_t Count() const { return rows_.size(); }
  // How the rows' texts split into characters.
  const LeadBytes& Characters() const { return leadBytes_; }
  const RomRow& Row(size_t index) const { return rows_[index]; }

  // Whether a row's full path equals path once the letters a to z are upper-cased.
  bool Contains(std::string_view path) const;

  // Appends a row for path unless the file is listed already; returns whether a row was added.
  // The facts are read only for a file not yet listed, so a throw leaves the list unchanged.
  bool AddFile(const std::string& path, const FactsReader& readFacts);

  // Type-ahead: the first row from start onward, wrapping round, whose caption starts with prefix in
  // any letter case (a to z); none when no caption does.
  std::optional<size_t> FindCaptionPrefix(std::string_view prefix, size_t start) const;

  // Takes the in-place edit of a row's caption.
  // An index outside the rows changes nothing and gives false.
  bool SetCaption(size_t index, std::string caption);
  void SetResult(size_t index, int icon, std::string result);

  // Removes the rows at the given indexes (any order, duplicates allowed); the others keep their order.
  void Remove(const std::vector<size_t>& indexes);

 private:
  void CountKey(const RomRow& row, int delta);

  LeadBytes leadBytes_;
  std::vector<RomRow> rows_;
  // Upper-cased full path -> number of rows with it. Edited captions may give two rows one path.
  std::unordered_map<std::string, size_t> keyCounts_;
};

}  // namespace quarvel
