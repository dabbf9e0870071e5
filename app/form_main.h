// The main window: the ROM list, the option check boxes, the action buttons and their menus.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/open_rom_dialog.h"
#include "romlist/rom_list.h"
#include "romlist/rom_list_view.h"
#include "tool/command_line.h"
#include "tool/tool_runner.h"
#include "ui/display_scale.h"
#include "ui/gdi_handles.h"
#include "ui/taskbar_progress.h"

namespace quarvel {

class TFormMain {
 public:
  // Chooses ROM files in the Add dialog's place, for tests, which cannot answer a real dialog in-process;
  // an empty chooser is the Add dialog.
  using FileChooser = std::function<std::optional<std::vector<std::string>>(HWND owner)>;

  TFormMain();
  ~TFormMain();
  TFormMain(const TFormMain&) = delete;
  TFormMain& operator=(const TFormMain&) = delete;

  // Creates the window and its controls and runs FormCreate; the window is shown by Show.
  // appDir is normally worked out from the executable's own path; tests may give another.
  HWND Create(std::optional<std::string> appDir = std::nullopt);
  void Show(int showCommand);
  HWND Handle() const { return window_; }
  HWND Control(int id) const { return GetDlgItem(window_, id); }

  // Key preview: the message loop hands every key pressed in a child of this window here first.
  void PreviewKey(const MSG& message);

  const std::string& AppDir() const { return appDir_; }
  const RomList& Rows() const { return rows_; }
  void SetFileChooser(FileChooser chooser) { chooseFiles_ = std::move(chooser); }
  void SetSystemDialog(OpenRomDialog::SystemDialog dialog) { openDialog_.SetSystemDialog(std::move(dialog)); }
  void SetToolTimeLimit(int limitMs) { toolTimeLimitMs_ = limitMs; }
  void SetTaskbarProgress(std::unique_ptr<TaskbarProgress> progress) { taskbar_ = std::move(progress); }
  // The kind of a drive, by its root ("C:\"), as GetDriveTypeA gives it; tests stand in for a network drive.
  using DriveTypeSource = std::function<UINT(const std::string& root)>;
  void SetDriveTypeSource(DriveTypeSource source) { driveType_ = std::move(source); }

  // The ROM list's one way in, for the Add dialog and for drops: each path in turn through AddFile.
  // A failure ends the loop; the files before it stay added and shown.
  void AddFiles(const std::vector<std::string>& paths);
  void AddFile(const std::string& path);

  // Event handlers, reached through the command and notification tables.
  void FormCreate();
  void FormDestroy();
  void FormKeyDown(WPARAM key, LPARAM flags);
  void ButtonAddClick();
  void ButtonRemoveClick();
  void RemoveSelected1Click();
  void ButtonPatchClick();
  void ButtonFixClick();
  void ButtonUnpatchClick();
  void ButtonTestClick();
  void PatchCurrent1Click();
  void FixCurrent1Click();
  void UnpatchCurrent1Click();
  void st1Click();
  void ButtonViewLogClick();
  void MenuFileExitClick();
  void MenuHelpIndexClick();
  void MenuHelpAboutClick();
  void Image1Click();
  void ListView1KeyDown(WORD key);
  void HandleDroppedFiles(HDROP drop);

 private:
  friend class BatchSession;
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ListViewWndProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR formData);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // Message handlers of the window procedure.
  void OnCommand(int id, int notifyCode);
  LRESULT OnNotify(const NMHDR& header);
  bool OnContextMenu(HWND source, LPARAM position);
  void OnSize(int clientWidth, int clientHeight);
  void OnGetMinMaxInfo(MINMAXINFO& info);
  bool OnGetDpiScaledSize(const DisplayScale& scale, SIZE& size);
  void OnDpiChanged(const DisplayScale& scale, const RECT& suggested);
  void OnSettingChange(UINT setting);
  void OnDrawItem(const DRAWITEMSTRUCT& item);
  void OnColoursChanged(UINT message, WPARAM wParam, LPARAM lParam);
  void OnBeginLabelEdit(const NMLVDISPINFOA& edit);
  bool OnEndLabelEdit(const NMLVDISPINFOA& edit);
  void EndLabelEdit();
  void EditFocusedCaption();
  static LRESULT CALLBACK LabelEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR form);
  bool OnActivate(WORD state, bool minimized);
  void OnSetFocus();
  bool OnSetCursor(WORD hitTest);
  void OnClose();
  LRESULT OnQueryEndSession();

  // Like a dialog, the window keeps its focused control while it is inactive.
  void RememberFocusedControl();
  HWND FocusTarget() const;

  void CreateControls();
  // The window's scale: the outer size of the design client area at scale_, and its rectangle centred on
  // the window's monitor; the scale of the monitor the window was made on; the controls placed in the
  // client area as it is.
  SIZE OuterSize() const;
  RECT StartingPlace() const;
  void TakeMonitorScale();
  void LayOut();
  // The fonts (and the status bar's height), the picture, the result icons and the window's icons at
  // scale_; the ones they replace are freed once nothing uses them.
  void LoadFonts();
  void LoadArtwork();
  void LoadWindowIcons();
  // An open caption editor moved to its row's place after the list was laid out at another scale.
  void FitLabelEditor(const DisplayScale& previous);
  void RemoveSelectedRows();
  void RunBatch(Operation operation, bool selectedOnly);
  void RunBatchRows(const std::vector<size_t>& batchRows, Operation operation);
  void ReportBatchFailure(const std::string& message);
  // Asks a running batch to stop after the current file, and the program to close then if thenClose.
  void RequestBatchStop(bool thenClose);
  bool TakeInputDuringBatch(const MSG& input);
  void CopySelectedRows();
  ResultCode ProcessItem(size_t index, Operation operation);
  void SetStatusText(const std::string& text);
  ToolOptions CheckedOptions() const;
  // Opens a file of AppDir with the desktop's viewer. The help viewer cannot take UTF-8, and is given the path as
  // the tool would be; it is not started where it would show the help file blank, and a notice says why.
  void OpenDocument(const char* fileName, bool helpViewer, const char* missingNotice, const char* failureFormat);

  DisplayScale scale_;  // the window's own, changed by WM_DPICHANGED; every design-size number passes through it
  HWND window_ = nullptr;
  HWND listView_ = nullptr;
  std::string appDir_;
  HWND labelEdit_ = nullptr;  // the caption's in-place editor while it is open
  int labelEditRow_ = -1;
  std::string labelEditText_;  // what the editor held when it went
  bool labelEditEscaped_ = false;
  bool batchRunning_ = false;
  enum class BatchStop { None, Stop, StopAndClose } batchStop_ = BatchStop::None;
  std::string batchAction_;  // the running batch's status text, "Patching..." and the like
  bool endingSessionRefused_ = false;  // the system was told why the session cannot end during the batch
  HWND focusedControl_ = nullptr;  // a child of the window, given the focus back on activation
  LeadBytes leadBytes_;
  RomList rows_;
  RomListView listView1_;
  OpenRomDialog openDialog_;
  FileChooser chooseFiles_;
  std::unique_ptr<TaskbarProgress> taskbar_;
  GdiObject<HFONT> font_;
  GdiObject<HFONT> listFont_;  // for the file names: linked to other scripts
  GdiObject<HFONT> statusFont_;
  int statusBarHeight_ = 0;
  IconHandle bigIcon_, smallIcon_;  // the window's, at its scale
  GdiObject<HBITMAP> picture_;
  HIMAGELIST imageList1_ = nullptr;
  HMENU popupMenu1_ = nullptr;
  int toolTimeLimitMs_;
  DriveTypeSource driveType_ = [](const std::string& root) { return GetDriveTypeA(root.c_str()); };
};

}  // namespace quarvel
