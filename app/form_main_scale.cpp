// The main window's display scale: the scale it starts at, a move to a monitor of another scale, the
// person's text size, and the frames, fonts, picture and icons of a scale.
#include <algorithm>
#include <utility>

#include "app/control_ids.h"
#include "app/form_main.h"
#include "app/form_main_layout.h"
#include "ui/form_font.h"

namespace quarvel {

namespace {
constexpr SIZE kDesignClient{kDesignClientWidth, kDesignClientHeight};

// The picture is drawn at these scales; the program takes the first at or above the display's, so it is
// never stretched, only cut at the control's edges.
struct PictureSpec {
  int percent;
  int id;
};
constexpr PictureSpec kPictures[] = {
    {100, IDB_PICTURE}, {125, IDB_PICTURE_125}, {150, IDB_PICTURE_150}, {200, IDB_PICTURE_200}};

int PictureFor(const DisplayScale& scale) {
  for (const PictureSpec& picture : kPictures)
    if (picture.percent * DisplayScale::kDesignDpi >= scale.Dpi() * 100) return picture.id;
  return std::end(kPictures)[-1].id;
}
}  // namespace

SIZE TFormMain::OuterSize() const {
  return WindowSizeFor(scale_.Scaled(kDesignClient), kFormStyle, kFormExStyle, true, scale_);
}

// Centred on the work area of the monitor the window was made on, clear of the taskbar. That is the one the
// system chose: started from the taskbar of a second monitor, Windows tells the program so in its start-up
// information, and a window made at CW_USEDEFAULT opens there.
RECT TFormMain::StartingPlace() const {
  const SIZE outer = OuterSize();
  const RECT work = WorkAreaOf(window_);
  const LONG left = work.left + (work.right - work.left - outer.cx) / 2;
  const LONG top = work.top + (work.bottom - work.top - outer.cy) / 2;
  return RECT{left, top, left + outer.cx, top + outer.cy};
}

// The system's scale is fixed when the person signs in; the monitor the window opens on may have another
// since (a laptop docked, the scale changed without signing out), and no WM_DPICHANGED comes for it.
void TFormMain::TakeMonitorScale() {
  scale_ = DisplayScale::OfWindow(window_);
  const RECT place = StartingPlace();
  SetWindowPos(window_, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFormMain::LayOut() {
  RECT client{};
  GetClientRect(window_, &client);
  OnSize(client.right, client.bottom);
}

// The smallest window shows the whole design client area at the window's scale, in the frame of that scale.
// Asked for inside OnDpiChanged's move too, when the window still has the old scale's frame.
void TFormMain::OnGetMinMaxInfo(MINMAXINFO& info) {
  if (IsIconic(window_)) return;
  const SIZE outer = WindowSizeFor(window_, scale_.Scaled(kDesignClient), scale_);
  info.ptMinTrackSize = POINT{outer.cx, outer.cy};
}

// The size the window is to have on a monitor of another scale, asked for before the move: its client area
// scaled, in the frame of the new scale. Scaling the whole window, as the system would, scales the frame too,
// and the client area drifts from one move to the next.
bool TFormMain::OnGetDpiScaledSize(const DisplayScale& scale, SIZE& size) {
  RECT client{};
  if (!GetClientRect(window_, &client)) return false;
  const int from = scale_.Dpi(), to = scale.Dpi();
  size = WindowSizeFor(window_, SIZE{MulDiv(client.right, to, from), MulDiv(client.bottom, to, from)}, scale);
  return true;
}

// Moved to a monitor of another scale (also during a batch: only the look changes). The window takes the
// size the system suggests, and everything sized by the scale is laid out or made again.
void TFormMain::OnDpiChanged(const DisplayScale& scale, const RECT& suggested) {
  const DisplayScale previous = std::exchange(scale_, scale);
  if (listView_) {
    LoadFonts();
    HIMAGELIST oldIcons = imageList1_;
    LoadArtwork();
    listView1_.Rescale(imageList1_, previous, scale_);
    if (oldIcons) ImageList_Destroy(oldIcons);  // the list shares it, and holds the new one now
    for (const ControlSpec& control : MainControls()) {
      if (control.anchor != Anchor::TopLeft) continue;
      const RECT r = scale_.Scaled(control.designRect);
      MoveWindow(Control(control.id), r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
    }
  }
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  LayOut();  // also when the suggested size is the old one
  FitLabelEditor(previous);
  // Drawn at once at the new scale, rather than showing the old drawing until the next paint.
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// The person's text size ("Make text bigger") or the system's fonts changed: the status font follows them.
void TFormMain::OnSettingChange(UINT setting) {
  if (setting != SPI_SETNONCLIENTMETRICS || !listView_) return;
  LoadFonts();
  LayOut();
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// The list shows file names in its face, the status bar takes the system's status font, the others the form's.
void TFormMain::LoadFonts() {
  GdiObject<HFONT> font(CreateFormFont(scale_)), listFont(CreateFileNameFont(scale_)),
      statusFont(CreateStatusFont(scale_));
  for (const ControlSpec& control : MainControls()) {
    HFONT given = control.id == IDC_LISTVIEW1    ? listFont.get()
                  : control.id == IDC_STATUSBAR1 ? statusFont.get()
                                                 : font.get();
    SendMessageA(Control(control.id), WM_SETFONT, reinterpret_cast<WPARAM>(given), TRUE);
  }
  if (labelEdit_) SendMessageA(labelEdit_, WM_SETFONT, reinterpret_cast<WPARAM>(listFont.get()), TRUE);
  statusBarHeight_ =
      std::max(scale_.Scaled(kStatusBarHeight), FontLineHeight(statusFont.get()) + scale_.Scaled(kStatusBarTextRoom));
  // The old fonts go only now that no control uses them.
  font_ = std::move(font);
  listFont_ = std::move(listFont);
  statusFont_ = std::move(statusFont);
}

// The picture at the window's scale, the five result icons at its small-icon size, and the window's own
// icons. The caller frees the image list this replaces once the list holds the new one.
void TFormMain::LoadArtwork() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  // A section keeps the picture's alpha as it is, whatever the display's colour depth.
  picture_.reset(static_cast<HBITMAP>(
      LoadImageA(instance, MAKEINTRESOURCEA(PictureFor(scale_)), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  const int iconSize = IconSize(IconKind::Small, scale_);
  imageList1_ = ImageList_Create(iconSize, iconSize, ILC_COLOR32 | ILC_MASK, kResultCodeCount, 0);
  for (int id = IDI_RESULT_OK; id <= IDI_RESULT_PATCHED; ++id) {
    IconHandle icon(LoadIconAt(instance, MAKEINTRESOURCEW(id), IconKind::Small, scale_));
    ImageList_AddIcon(imageList1_, icon.get());
  }
  LoadWindowIcons();
}

// The class's icons are at the system's size; the title bar and the taskbar take these instead.
void TFormMain::LoadWindowIcons() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  IconHandle big(LoadIconAt(instance, MAKEINTRESOURCEW(IDI_MAINICON), IconKind::Large, scale_));
  IconHandle small(LoadIconAt(instance, MAKEINTRESOURCEW(IDI_MAINICON), IconKind::Small, scale_));
  SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
  SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
  bigIcon_ = std::move(big);
  smallIcon_ = std::move(small);
}

// The editor stays open with what the person typed; LoadFonts gave it the list's new font, and here it
// takes its row's place at the new scale.
void TFormMain::FitLabelEditor(const DisplayScale& previous) {
  if (!labelEdit_ || labelEditRow_ < 0) return;
  RECT label{}, editor{};
  if (!ListView_GetItemRect(listView_, labelEditRow_, &label, LVIR_LABEL) || !GetWindowRect(labelEdit_, &editor))
    return;
  const int width = std::max<int>(label.right - label.left,
                                  MulDiv(editor.right - editor.left, scale_.Dpi(), previous.Dpi()));
  MoveWindow(labelEdit_, label.left, label.top, width, label.bottom - label.top, TRUE);
}

}  // namespace quarvel
