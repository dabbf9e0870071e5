// Shows a RomList in an owner-data report list view: the list view asks for each visible cell, so adding
// or removing rows never walks the whole list through list-view messages.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string_view>
#include <vector>

#include "romlist/rom_list.h"
#include "ui/display_scale.h"

namespace quarvel {

class RomListView {
 public:
  // Adds the five columns, their widths scaled, to list (created with LVS_OWNERDATA) and shows rows in it.
  void Attach(HWND list, const RomList& rows, HIMAGELIST smallIcons, const DisplayScale& scale);
  HWND Handle() const { return list_; }
  // From one display scale to another: the small icons of the new size, and the columns' widths scaled.
  void Rescale(HIMAGELIST smallIcons, const DisplayScale& from, const DisplayScale& to);

  // Tells the list view the new number of rows; keeps the scroll position and selection.
  void RowsAppended();
  // After rows were removed: the new count, with nothing selected.
  void RowsRemoved();
  // Repaints one row at once, so a result shows while a batch goes on.
  void RepaintRow(size_t index);
  // Scrolls the row wholly into view, so the person can follow a batch down a long list.
  void EnsureVisible(size_t index);
  void SelectAll();

  std::vector<size_t> SelectedIndexes() const;
  bool AnySelected() const;

  // Answers LVN_ODFINDITEM, which the list sends for the letters typed in it: the row, or -1.
  LRESULT FindItem(const NMLVFINDITEMA& find) const;
  LRESULT FindItem(const NMLVFINDITEMW& find) const;

  // Answers LVN_GETDISPINFO from the rows.
  void FillDisplayInfo(NMLVDISPINFOA& info) const;

 private:
  LRESULT FindPrefix(UINT flags, std::string_view prefix, int start) const;

  HWND list_ = nullptr;
  const RomList* rows_ = nullptr;
};

}  // namespace quarvel
