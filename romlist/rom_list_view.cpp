#include "romlist/rom_list_view.h"

#include <cstring>

#include "romlist/rom_columns.h"
#include "ui/code_page_text.h"

namespace quarvel {

namespace {
constexpr int kHiddenWidth = 1;

// Widths in design-size pixels and alignments of the columns, in the order of their headers; the directory
// is one pixel wide at every scale: it only holds the path.
struct ColumnLook {
  int width;
  int format;
};
constexpr ColumnLook kColumnLooks[kColumnCount] = {
    {160, LVCFMT_LEFT}, {150, LVCFMT_LEFT}, {kHiddenWidth, LVCFMT_LEFT}, {75, LVCFMT_RIGHT}, {75, LVCFMT_LEFT}};
}  // namespace

// Each column keeps its width as the person left it, at the new scale; the hidden one stays hidden.
void RomListView::Rescale(HIMAGELIST smallIcons, const DisplayScale& from, const DisplayScale& to) {
  ListView_SetImageList(list_, smallIcons, LVSIL_SMALL);
  for (int column = 0; column < kColumnCount; ++column) {
    if (kColumnLooks[column].width == kHiddenWidth) continue;
    ListView_SetColumnWidth(list_, column, MulDiv(ListView_GetColumnWidth(list_, column), to.Dpi(), from.Dpi()));
  }
}

void RomListView::Attach(HWND list, const RomList& rows, HIMAGELIST smallIcons, const DisplayScale& scale) {
  list_ = list;
  rows_ = &rows;
  ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT);
  ListView_SetImageList(list_, smallIcons, LVSIL_SMALL);
  for (int column = 0; column < kColumnCount; ++column) {
    const ColumnLook& look = kColumnLooks[column];
    LVCOLUMNA spec{};
    spec.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    spec.fmt = look.format;
    spec.cx = look.width == kHiddenWidth ? kHiddenWidth : scale.Scaled(look.width);
    spec.pszText = const_cast<char*>(kColumnHeaders[column]);
    spec.iSubItem = column;
    SendMessageA(list_, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&spec));
  }
}

void RomListView::RowsAppended() {
  ListView_SetItemCountEx(list_, static_cast<int>(rows_->Count()), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
  InvalidateRect(list_, nullptr, FALSE);
}

void RomListView::RowsRemoved() {
  ListView_SetItemState(list_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_SetItemCountEx(list_, static_cast<int>(rows_->Count()), 0);
  InvalidateRect(list_, nullptr, TRUE);
}

void RomListView::RepaintRow(size_t index) {
  ListView_RedrawItems(list_, static_cast<int>(index), static_cast<int>(index));
  UpdateWindow(list_);
}

void RomListView::EnsureVisible(size_t index) { ListView_EnsureVisible(list_, static_cast<int>(index), FALSE); }

void RomListView::SelectAll() { ListView_SetItemState(list_, -1, LVIS_SELECTED, LVIS_SELECTED); }

std::vector<size_t> RomListView::SelectedIndexes() const {
  std::vector<size_t> indexes;
  for (int index = ListView_GetNextItem(list_, -1, LVNI_SELECTED); index >= 0;
       index = ListView_GetNextItem(list_, index, LVNI_SELECTED))
    indexes.push_back(static_cast<size_t>(index));
  return indexes;
}

bool RomListView::AnySelected() const { return ListView_GetSelectedCount(list_) > 0; }

LRESULT RomListView::FindItem(const NMLVFINDITEMA& find) const {
  const LVFINDINFOA& info = find.lvfi;
  if (!info.psz) return -1;
  return FindPrefix(info.flags, info.psz, find.iStart);
}

LRESULT RomListView::FindItem(const NMLVFINDITEMW& find) const {
  const LVFINDINFOW& info = find.lvfi;
  if (!info.psz) return -1;
  return FindPrefix(info.flags, CodePageFromWide(info.psz), find.iStart);
}

// The list's type-ahead asks for a partial match from the focused row onward, wrapping round; a
// search for a whole name is never asked of this list.
LRESULT RomListView::FindPrefix(UINT flags, std::string_view prefix, int start) const {
  if (!(flags & LVFI_PARTIAL) || prefix.empty()) return -1;
  size_t from = start < 0 || static_cast<size_t>(start) >= rows_->Count() ? 0 : static_cast<size_t>(start);
  std::optional<size_t> found = rows_->FindCaptionPrefix(prefix, from);
  if (!found || (*found < from && !(flags & LVFI_WRAP))) return -1;
  return static_cast<LRESULT>(*found);
}

void RomListView::FillDisplayInfo(NMLVDISPINFOA& info) const {
  LVITEMA& item = info.item;
  if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= rows_->Count()) return;
  const RomRow& row = rows_->Row(static_cast<size_t>(item.iItem));
  if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
    // The list asks with room for 259 bytes when it draws or edits; a longer text is cut between characters.
    const std::string& text = CellText(row, item.iSubItem);
    size_t length = rows_->Characters().FitLength(text, static_cast<size_t>(item.cchTextMax - 1));
    std::memcpy(item.pszText, text.data(), length);
    item.pszText[length] = '\0';
  }
  if (item.mask & LVIF_IMAGE) item.iImage = item.iSubItem == 0 ? row.icon : -1;
}

}  // namespace quarvel
