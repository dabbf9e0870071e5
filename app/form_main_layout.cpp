#include "app/form_main_layout.h"

#include <commctrl.h>

#include <algorithm>

#include "app/control_ids.h"

namespace quarvel {

namespace {
constexpr DWORD kButton = WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kCheckBox = WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kPicture = SS_OWNERDRAW | SS_NOTIFY;
constexpr DWORD kList = WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_OWNERDATA | LVS_EDITLABELS | LVS_SHAREIMAGELISTS;
// The status bar is placed by the layout, as high as its font needs (at least its scaled design height).
constexpr DWORD kStatus = SBARS_SIZEGRIP | CCS_NORESIZE | CCS_NOPARENTALIGN;

constexpr RECT At(int left, int top, int width, int height) { return RECT{left, top, left + width, top + height}; }

// Creation order is the tab order; the picture and the status bar take no focus.
constexpr ControlSpec kMainControls[] = {
    {"ButtonAdd", IDC_BUTTON_ADD, "BUTTON", "Add...", kButton, At(4, 8, 69, 25), Anchor::TopLeft},
    {"ButtonRemove", IDC_BUTTON_REMOVE, "BUTTON", "Remove", kButton, At(80, 8, 73, 25), Anchor::TopLeft},
    {"Image1", IDC_IMAGE1, "STATIC", "", kPicture, At(0, 40, 153, 129), Anchor::TopLeft},
    {"ButtonPatch", IDC_BUTTON_PATCH, "BUTTON", "Patch All", kButton | BS_MULTILINE, At(4, 176, 65, 73),
     Anchor::TopLeft},
    {"CheckBoxAutomatic", IDC_CHECK_AUTOMATIC, "BUTTON", "Manual mode", kCheckBox, At(72, 184, 88, 17),
     Anchor::TopLeft},
    {"CheckBoxDisableIntro", IDC_CHECK_DISABLE_INTRO, "BUTTON", "Preserve intro", kCheckBox, At(72, 204, 88, 17),
     Anchor::TopLeft},
    {"CheckBoxTrimFile", IDC_CHECK_TRIM_FILE, "BUTTON", "Trim files", kCheckBox, At(72, 224, 81, 17),
     Anchor::TopLeft},
    {"ButtonViewLog", IDC_BUTTON_VIEW_LOG, "BUTTON", "View Log...", kButton, At(4, 259, 81, 25), Anchor::TopLeft},
    {"ButtonTest", IDC_BUTTON_TEST, "BUTTON", "Test All", kButton, At(84, 259, 73, 25), Anchor::TopLeft},
    {"ButtonFix", IDC_BUTTON_FIX, "BUTTON", "Fix All", kButton, At(4, 284, 81, 25), Anchor::TopLeft},
    {"ButtonUnpatch", IDC_BUTTON_UNPATCH, "BUTTON", "Unpatch All", kButton, At(84, 284, 73, 25), Anchor::TopLeft},
    {"ListView1", IDC_LISTVIEW1, WC_LISTVIEWA, "", kList, At(160, 8, 465, 300), Anchor::AllSides},
    {"StatusBar1", IDC_STATUSBAR1, STATUSCLASSNAMEA, "", kStatus,
     At(0, kDesignClientHeight - kStatusBarHeight, kDesignClientWidth, kStatusBarHeight), Anchor::Bottom},
};
}  // namespace

std::span<const ControlSpec> MainControls() { return kMainControls; }

RECT PlaceControl(const ControlSpec& control, int clientWidth, int clientHeight, const DisplayScale& scale,
                  int statusBarHeight) {
  const RECT& design = control.designRect;
  const int statusBarGrowth = std::max(0, statusBarHeight - scale.Scaled(kStatusBarHeight));
  switch (control.anchor) {
    case Anchor::AllSides:
      return RECT{scale.Scaled(design.left), scale.Scaled(design.top),
                  clientWidth - scale.Scaled(kDesignClientWidth - design.right),
                  clientHeight - scale.Scaled(kDesignClientHeight - design.bottom) - statusBarGrowth};
    case Anchor::Bottom:  // docked along the bottom edge, across the full width
      return RECT{0, clientHeight - std::max(statusBarHeight, scale.Scaled(kStatusBarHeight)), clientWidth,
                  clientHeight};
    case Anchor::TopLeft:
      break;
  }
  return scale.Scaled(design);
}

}  // namespace quarvel
