// The one seam through which notices and failure reports reach the user, so that tests can capture them.
#pragma once
#include <windows.h>

#include <string>

namespace quarvel {

inline constexpr const char* kApplicationTitle = "Quarvel Front-End";
inline constexpr const char* kNoticeCaption = "Error";

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // A request that cannot be carried out as asked: the "Error" notice dialog.
  virtual void ShowNotice(const std::string& text) = 0;
  // A failure that left a handler: the system's message box with the application title.
  virtual void ShowFailureReport(const std::string& message) = 0;
};

// Shows the real dialogs, owned by the application's main window once there is one.
class DialogMessageSink : public MessageSink {
 public:
  void ShowNotice(const std::string& text) override;
  void ShowFailureReport(const std::string& message) override;
};

void SetApplicationWindow(HWND window);
HWND ApplicationWindow();

// Routes messages to another sink for as long as it lives (tests).
class ScopedMessageSink {
 public:
  explicit ScopedMessageSink(MessageSink& sink);
  ~ScopedMessageSink();
  ScopedMessageSink(const ScopedMessageSink&) = delete;
  ScopedMessageSink& operator=(const ScopedMessageSink&) = delete;

 private:
  MessageSink* previous_;
};

void ShowNotice(const std::string& text);
void ReportFailure(const std::string& message);

// Runs a handler where the window system delivered an event: a failure or any other exception that
// leaves it is reported, and never travels on into the system's frames.
template <class Handler>
void Guarded(Handler&& handler) noexcept {
  try {
    handler();
  } catch (const std::exception& failure) {
    ReportFailure(failure.what());
  } catch (...) {
    ReportFailure("Unexpected error");
  }
}

}  // namespace quarvel
