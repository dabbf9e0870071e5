#include "ui/accessibility.h"

#include <oleacc.h>

#include <iterator>
#include <utility>

#include "ui/code_page_text.h"

namespace quarvel {

namespace {
// Written out here: the import libraries do not all carry them.
constexpr GUID kAccPropServicesClass{0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr GUID kAccPropServicesInterface{
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kNameProperty{0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};
constexpr GUID kDescriptionProperty{0x4d48dfe4, 0xbd3f, 0x491f, {0xa6, 0x48, 0x49, 0x2d, 0x6f, 0x20, 0xc5, 0x88}};
// UI Automation's live setting, which it reads from a window's annotation on Windows 10 1709 and later.
constexpr GUID kLiveSettingProperty{0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG kPolite = 1;
constexpr const char* kPoliteText = "polite";
constexpr DWORD kLiveRegionChanged = 0x8019;  // EVENT_OBJECT_LIVEREGIONCHANGED

// The system's annotation service for as long as it lives, or none where the system has none or COM is not
// started on this thread.
class AnnotationService {
 public:
  AnnotationService() {
    void* service = nullptr;
    if (SUCCEEDED(CoCreateInstance(kAccPropServicesClass, nullptr, CLSCTX_INPROC_SERVER, kAccPropServicesInterface,
                                   &service)))
      service_ = static_cast<IAccPropServices*>(service);
  }
  ~AnnotationService() {
    if (service_) service_->Release();
  }
  AnnotationService(const AnnotationService&) = delete;
  AnnotationService& operator=(const AnnotationService&) = delete;
  IAccPropServices* get() const { return service_; }

 private:
  IAccPropServices* service_ = nullptr;
};

constexpr DWORD kClient = static_cast<DWORD>(OBJID_CLIENT);

void AnnotateBySystem(HWND window, AccessibleProperty property, const std::string& value) {
  AnnotationService service;
  if (!service.get()) return;
  if (property == AccessibleProperty::LiveSetting) {
    VARIANT polite{};
    polite.vt = VT_I4;
    polite.lVal = kPolite;
    service.get()->SetHwndProp(window, kClient, CHILDID_SELF, kLiveSettingProperty, polite);
  } else {
    const GUID& id = property == AccessibleProperty::Name ? kNameProperty : kDescriptionProperty;
    service.get()->SetHwndPropStr(window, kClient, CHILDID_SELF, id, WideFromCodePage(value).c_str());
  }
}

Annotator annotate = AnnotateBySystem;
}  // namespace

void MakeLiveRegion(HWND window) { annotate(window, AccessibleProperty::LiveSetting, kPoliteText); }

void AnnounceChange(HWND window) { NotifyWinEvent(kLiveRegionChanged, window, OBJID_CLIENT, CHILDID_SELF); }

void SetAccessibleName(HWND window, const std::string& name) { annotate(window, AccessibleProperty::Name, name); }

void SetAccessibleDescription(HWND window, const std::string& description) {
  annotate(window, AccessibleProperty::Description, description);
}

void ForgetAccessibleProperties(HWND window) {
  const MSAAPROPID properties[] = {kNameProperty, kDescriptionProperty, kLiveSettingProperty};
  AnnotationService service;
  if (service.get())
    service.get()->ClearHwndProps(window, kClient, CHILDID_SELF, properties, static_cast<int>(std::size(properties)));
}

ScopedAnnotator::ScopedAnnotator(Annotator annotator) : previous_(std::exchange(annotate, std::move(annotator))) {}

ScopedAnnotator::~ScopedAnnotator() { annotate = std::move(previous_); }

}  // namespace quarvel
