// The ROM list's handlers: adding by dialog and by drop, removing, its keys, copying rows and in-place editing.
#include "app/form_main.h"

#include "romlist/dropped_files.h"
#include "romlist/path_text.h"
#include "romlist/rom_columns.h"
#include "romlist/rom_file.h"
#include "romlist/temporary_folder.h"
#include "ui/clipboard.h"
#include "ui/message_text.h"
#include "ui/messages.h"

namespace quarvel {

namespace {
constexpr const char* kSelectNotice = "Please select at least one file";
constexpr const char* kForbiddenNameNotice =
    "A file name cannot contain any of the following characters: \\ / : * ? \" < > |";
constexpr const char* kArchiveCopyNotice =
    "\"%s\" was not added: it is a temporary copy that an archive program made, and it is deleted later, so "
    "patching it would change nothing you keep. Extract the files from the archive first, then add them from "
    "the folder you extracted them to.";
constexpr const char* kArchiveCopiesNotice =
    "%d files were not added: they are temporary copies that an archive program made, and they are deleted "
    "later, so patching them would change nothing you keep. Extract the files from the archive first, then add "
    "them from the folder you extracted them to.";
constexpr const char* kDotNameNotice = "A file name cannot be . or .., or end in a period or a space";
constexpr const char* kDeviceNameNotice =
    "A file name cannot be CON, PRN, AUX, NUL, COM1 to COM9 or LPT1 to LPT9, with or without an extension: "
    "Windows keeps these names for devices";

// Whether a caption may become the row's file name; when not, a notice says why. Nothing else checks it:
// the name of a file that does not exist is taken, as a rename may come before the file's.
bool MayBecomeFileName(const std::string& caption, const LeadBytes& leadBytes) {
  switch (FileNameFaultOf(caption, leadBytes)) {
    case FileNameFault::None: return true;
    case FileNameFault::ForbiddenCharacter: ShowNotice(kForbiddenNameNotice); break;  // an emptied one too
    case FileNameFault::DotOrSpaceAtEnd: ShowNotice(kDotNameNotice); break;
    case FileNameFault::DeviceName: ShowNotice(kDeviceNameNotice); break;
  }
  return false;
}

std::string WindowText(HWND window) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The list fills its editor with the caption as it asks for it to draw, cut to 259 bytes: a long name in
// UTF-8 (three bytes a Japanese character) comes cut. The editor gets the whole caption, so that a commit
// never takes the cut name for the row's.
void ShowWholeCaption(HWND editor, const std::string& caption) {
  std::string shown = WindowText(editor);
  if (shown.size() >= caption.size() || !caption.starts_with(shown)) return;
  SetWindowTextA(editor, caption.c_str());
  SendMessageA(editor, EM_SETSEL, 0, -1);
}

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

// Tells the list view its new row count when a choice or drop has been added, on the failure path too.
// A shown list view redraws its scroll bars at every change of count, so once per file would dominate.
class RowsShownOnExit {
 public:
  explicit RowsShownOnExit(RomListView& view) : view_(view) {}
  ~RowsShownOnExit() { view_.RowsAppended(); }
  RowsShownOnExit(const RowsShownOnExit&) = delete;
  RowsShownOnExit& operator=(const RowsShownOnExit&) = delete;

 private:
  RomListView& view_;
};
}  // namespace

// Rows reach the list view through AddFiles, which tells it the new count once for a whole choice or drop.
void TFormMain::AddFile(const std::string& path) { rows_.AddFile(path, ReadRomFileFacts); }

// A file in the user's temporary folder is an archive program's passing copy (dropped from a zip, say): the tool
// would patch the copy, the row would say so, and the person's file would stay as it was. Such files are told of
// first and not listed; the others are added.
void TFormMain::AddFiles(const std::vector<std::string>& paths) {
  std::vector<std::string> listed, copies;
  const std::vector<std::string> temporary = UsersTemporaryFolderForms();
  for (const std::string& path : paths) (IsInAnyFolder(path, temporary, leadBytes_) ? copies : listed).push_back(path);
  if (copies.size() == 1) ShowNotice(FormatText(kArchiveCopyNotice, {copies.front()}));
  if (copies.size() > 1) ShowNotice(FormatText(kArchiveCopiesNotice, {static_cast<long long>(copies.size())}));
  RowsShownOnExit shown(listView1_);
  for (const std::string& path : listed) AddFile(path);
}

void TFormMain::ButtonAddClick() {
  EndLabelEdit();
  std::optional<std::vector<std::string>> chosen = chooseFiles_ ? chooseFiles_(window_) : openDialog_.Run(window_);
  if (chosen) AddFiles(*chosen);
}

void TFormMain::HandleDroppedFiles(HDROP drop) {
  DropOwner owner(drop);
  EndLabelEdit();
  AddFiles(ReadDroppedPaths(drop));
}

// A subclass in the common controls' own chain: every message reaches the list as it was sent, so that
// its characters (type-ahead, the editor's) never pass through a conversion of ours.
LRESULT CALLBACK TFormMain::ListViewWndProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR formData) {
  auto* form = reinterpret_cast<TFormMain*>(formData);
  if (message == WM_DROPFILES) {
    Guarded([&] { form->HandleDroppedFiles(reinterpret_cast<HDROP>(wParam)); });
    return 0;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(list, ListViewWndProc, 0);
  return DefSubclassProc(list, message, wParam, lParam);
}

void TFormMain::ButtonRemoveClick() { RemoveSelectedRows(); }

void TFormMain::RemoveSelected1Click() { RemoveSelectedRows(); }

void TFormMain::RemoveSelectedRows() {
  EndLabelEdit();
  if (!listView1_.AnySelected()) return ShowNotice(kSelectNotice);
  rows_.Remove(listView1_.SelectedIndexes());
  listView1_.RowsRemoved();
}

void TFormMain::ListView1KeyDown(WORD key) {
  const bool control = GetKeyState(VK_CONTROL) < 0;
  if (key == VK_DELETE) {
    ButtonRemoveClick();
  } else if (control && key == 'A') {
    listView1_.SelectAll();
  } else if (control && key == 'C') {
    CopySelectedRows();
  } else if (key == VK_F2) {
    EditFocusedCaption();
  }
}

// F2 opens the list's own editor on the focused row, as in Explorer, when that row is selected.
void TFormMain::EditFocusedCaption() {
  int focused = ListView_GetNextItem(listView_, -1, LVNI_FOCUSED | LVNI_SELECTED);
  if (focused >= 0) ListView_EditLabel(listView_, focused);
}

// The selected rows as a table, for a spreadsheet or a message; with nothing selected the clipboard stays.
void TFormMain::CopySelectedRows() {
  std::vector<size_t> selected = listView1_.SelectedIndexes();
  if (!selected.empty()) CopyTextToClipboard(window_, RowsAsTable(rows_, selected));
}

// A list view reports a cancelled edit, and some an unchanged one, as no text at all, and one that
// lost the focus may end the same way. Only the editor's own text tells an emptied caption from these,
// so the editor is watched until it goes; Esc in it is the one real cancel.
void TFormMain::OnBeginLabelEdit(const NMLVDISPINFOA& edit) {
  labelEditEscaped_ = false;
  labelEditText_.clear();
  labelEdit_ = ListView_GetEditControl(listView_);
  labelEditRow_ = edit.item.iItem;
  if (!labelEdit_) return;
  SetWindowSubclass(labelEdit_, LabelEditProc, 0, reinterpret_cast<DWORD_PTR>(this));
  if (edit.item.iItem >= 0 && static_cast<size_t>(edit.item.iItem) < rows_.Count())
    ShowWholeCaption(labelEdit_, rows_.Row(static_cast<size_t>(edit.item.iItem)).caption);
}

LRESULT CALLBACK TFormMain::LabelEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR formData) {
  auto* form = reinterpret_cast<TFormMain*>(formData);
  if (message == WM_KEYDOWN && wParam == VK_ESCAPE) form->labelEditEscaped_ = true;
  if (message == WM_DESTROY) form->labelEditText_ = WindowText(edit);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(edit, LabelEditProc, 0);
    if (form->labelEdit_ == edit) form->labelEdit_ = nullptr;
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}

bool TFormMain::OnEndLabelEdit(const NMLVDISPINFOA& edit) {
  std::string editorText = labelEdit_ ? WindowText(labelEdit_) : labelEditText_;
  if (edit.item.iItem < 0 || static_cast<size_t>(edit.item.iItem) >= rows_.Count()) return false;
  if (!edit.item.pszText && (labelEditEscaped_ || !editorText.empty())) return false;  // the caption stays
  std::string caption = edit.item.pszText ? edit.item.pszText : "";
  if (!MayBecomeFileName(caption, leadBytes_)) return false;
  rows_.SetCaption(static_cast<size_t>(edit.item.iItem), caption);
  listView1_.RepaintRow(static_cast<size_t>(edit.item.iItem));
  return true;
}

// Ends an open caption edit as the list does when the editor loses the focus, so that an action on the
// rows runs on them as they then stand, never with an edit left to land on whichever row takes its index.
void TFormMain::EndLabelEdit() {
  if (labelEdit_ && ListView_GetEditControl(listView_) == labelEdit_) SetFocus(listView_);
}

}  // namespace quarvel
