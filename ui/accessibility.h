// What a screen reader hears of the program's windows, told through the system's accessibility layer. Each is
// a courtesy: where the layer lacks a part (live regions come with Windows 10 1709), nothing else changes.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace quarvel {

// The properties the program annotates windows with (the layer's dynamic annotation, IAccPropServices), which
// the system's objects for them then give a screen reader instead of their own.
enum class AccessibleProperty {
  Name,         // what the window is called: a list view has no text of its own to be called by
  Description,  // read after the name: a dialog's text
  LiveSetting,  // "polite": the window's text is read out whenever it changes
};

// The window's text is read out whenever it changes (a polite live region): AnnounceChange tells of each change.
void MakeLiveRegion(HWND window);
void AnnounceChange(HWND window);

// The name and the description a screen reader gives a window, in the program's code page.
void SetAccessibleName(HWND window, const std::string& name);
void SetAccessibleDescription(HWND window, const std::string& description);

// Takes back the window's annotations; called before it is destroyed.
void ForgetAccessibleProperties(HWND window);

// Takes the place of the system's annotation service while it lives: Wine keeps no annotations.
using Annotator = std::function<void(HWND window, AccessibleProperty property, const std::string& value)>;
class ScopedAnnotator {
 public:
  explicit ScopedAnnotator(Annotator annotator);
  ~ScopedAnnotator();
  ScopedAnnotator(const ScopedAnnotator&) = delete;
  ScopedAnnotator& operator=(const ScopedAnnotator&) = delete;

 private:
  Annotator previous_;
};

}  // namespace quarvel
