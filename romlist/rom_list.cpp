#include "romlist/rom_list.h"

#include "romlist/path_text.h"

namespace quarvel {

bool RomList::Contains(std::string_view path) const { return keyCounts_.contains(UpperAZ(path, leadBytes_)); }

bool RomList::AddFile(const std::string& path, const FactsReader& readFacts) {
  if (Contains(path)) return false;
  RomFileFacts facts = readFacts(path);
  RomRow row;
  row.caption = FileNamePart(path, leadBytes_);
  row.gameName = std::move(facts.gameName);
  row.directory = DirectoryPart(path, leadBytes_);
  row.size = std::to_string(facts.size);
  CountKey(row, +1);
  rows_.push_back(std::move(row));
  return true;
}

std::optional<size_t> RomList::FindCaptionPrefix(std::string_view prefix, size_t start) const {
  std::string wanted = UpperAZ(prefix, leadBytes_);
  for (size_t step = 0; step < rows_.size(); ++step) {
    size_t index = (start + step) % rows_.size();
    if (UpperAZ(rows_[index].caption, leadBytes_).starts_with(wanted)) return index;
  }
  return std::nullopt;
}

bool RomList::SetCaption(size_t index, std::string caption) {
  if (index >= rows_.size()) return false;
  CountKey(rows_[index], -1);
  rows_[index].caption = std::move(caption);
  CountKey(rows_[index], +1);
  return true;
}

void RomList::SetResult(size_t index, int icon, std::string result) {
  rows_[index].icon = icon;
  rows_[index].result = std::move(result);
}

void RomList::Remove(const std::vector<size_t>& indexes) {
  std::vector<bool> doomed(rows_.size(), false);
  for (size_t index : indexes)
    if (index < rows_.size()) doomed[index] = true;
  // One pass that keeps the survivors in their order, so removing many rows stays linear.
  size_t kept = 0;
  for (size_t index = 0; index < rows_.size(); ++index) {
    if (doomed[index]) {
      CountKey(rows_[index], -1);
    } else {
      if (kept != index) rows_[kept] = std::move(rows_[index]);
      ++kept;
    }
  }
  rows_.resize(kept);
}

void RomList::CountKey(const RomRow& row, int delta) {
  std::string key = UpperAZ(row.FullPath(), leadBytes_);
  if (delta > 0) {
    ++keyCounts_[key];
  } else if (auto found = keyCounts_.find(key); found != keyCounts_.end() && --found->second == 0) {
    keyCounts_.erase(found);
  }
}

}  // namespace quarvel
