// The ROM list's handlers: adding by dialog and by drop, removing, the Delete key and in-place editing.
#include "app/form_main.h"

#include <algorithm>
#include <vector>

#include "romlist/path_text.h"
#include "romlist/rom_file.h"
#include "ui/messages.h"

namespace quarvel {

namespace {
constexpr const char* kSelectNotice = "Please select at least one file";
constexpr const char* kForbiddenNameNotice =
    "A file name cannot contain any of the following characters: \\ / : * ? \" < > |";

// Releases a drop on every path out of its handler.
class DropOwner {
 public:
  explicit DropOwner(HDROP drop) : drop_(drop) {}
  ~DropOwner() { DragFinish(drop_); }
  DropOwner(const DropOwner&) = delete;
  DropOwner& operator=(const DropOwner&) = delete;

 private:
  HDROP drop_;
};
}  // namespace

void TFormMain::AddFile(const std::string& path) {
  if (rows_.AddFile(path, ReadRomFileFacts)) listView1_.RowsAppended();
}

void TFormMain::ButtonAddClick() {
  std::optional<std::vector<std::string>> chosen = chooseFiles_(window_);
  if (!chosen) return;
  for (const std::string& path : *chosen) AddFile(path);
}

void TFormMain::HandleDroppedFiles(HDROP drop) {
  DropOwner owner(drop);
  UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  std::vector<char> path(MAX_PATH * 4);
  for (UINT index = 0; index < count; ++index) {
    UINT length = DragQueryFileA(drop, index, path.data(), static_cast<UINT>(path.size()));
    // A path that filled the buffer may have been cut short: read it again whole, so that a long path
    // is opened (or reported) as dropped, never as a shorter one.
    if (length + 1 >= path.size()) {
      path.resize(DragQueryFileA(drop, index, nullptr, 0) + 1);
      length = DragQueryFileA(drop, index, path.data(), static_cast<UINT>(path.size()));
    }
    AddFile(std::string(path.data(), std::min<size_t>(length, path.size() - 1)));
  }
}

LRESULT CALLBACK TFormMain::ListViewWndProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* form = static_cast<TFormMain*>(GetPropA(list, "TFormMain"));
  if (message == WM_DROPFILES) {
    Guarded([&] { form->HandleDroppedFiles(reinterpret_cast<HDROP>(wParam)); });
    return 0;
  }
  return CallWindowProcA(form->OldListViewWndProc, list, message, wParam, lParam);
}

void TFormMain::ButtonRemoveClick() { RemoveSelectedRows(); }

void TFormMain::RemoveSelected1Click() { RemoveSelectedRows(); }

void TFormMain::RemoveSelectedRows() {
  if (!listView1_.AnySelected()) return ShowNotice(kSelectNotice);
  rows_.Remove(listView1_.SelectedIndexes());
  listView1_.RowsRemoved();
}

void TFormMain::ListView1KeyDown(WORD key) {
  if (key == VK_DELETE) ButtonRemoveClick();
}

// Some list views report an emptied caption as no text at all, like a cancelled edit; watching for Esc
// in the editor tells the two apart.
void TFormMain::OnBeginLabelEdit() {
  labelEditEscaped_ = false;
  if (HWND edit = ListView_GetEditControl(listView_)) SetWindowSubclass(edit, LabelEditProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK TFormMain::LabelEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR form) {
  if (message == WM_KEYDOWN && wParam == VK_ESCAPE) reinterpret_cast<TFormMain*>(form)->labelEditEscaped_ = true;
  if (message == WM_NCDESTROY) RemoveWindowSubclass(edit, LabelEditProc, 0);
  return DefSubclassProc(edit, message, wParam, lParam);
}

bool TFormMain::OnEndLabelEdit(const NMLVDISPINFOA& edit) {
  if (!edit.item.pszText && labelEditEscaped_) return false;  // Esc: the caption stays
  std::string caption = edit.item.pszText ? edit.item.pszText : "";
  if (!IsAllowedFileName(caption)) {
    ShowNotice(kForbiddenNameNotice);
    return false;
  }
  rows_.SetCaption(static_cast<size_t>(edit.item.iItem), caption);
  listView1_.RepaintRow(static_cast<size_t>(edit.item.iItem));
  return true;
}

}  // namespace quarvel
