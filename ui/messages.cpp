#include "ui/messages.h"

#include "ui/message_text.h"
#include "ui/notice_dialog.h"

namespace quarvel {

namespace {
HWND applicationWindow = nullptr;
DialogMessageSink dialogSink;
MessageSink* currentSink = &dialogSink;
}  // namespace

void SetApplicationWindow(HWND window) { applicationWindow = window; }
HWND ApplicationWindow() { return applicationWindow; }

void DialogMessageSink::ShowNotice(const std::string& text) {
  RunNoticeDialog(applicationWindow, kNoticeCaption, text);
}

void DialogMessageSink::ShowFailureReport(const std::string& message) {
  MessageBoxA(applicationWindow, FailureReportText(message).c_str(), kApplicationTitle, MB_OK | MB_ICONSTOP);
}

ScopedMessageSink::ScopedMessageSink(MessageSink& sink) : previous_(currentSink) { currentSink = &sink; }
ScopedMessageSink::~ScopedMessageSink() { currentSink = previous_; }

void ShowNotice(const std::string& text) { currentSink->ShowNotice(text); }
void ReportFailure(const std::string& message) { currentSink->ShowFailureReport(message); }

}  // namespace quarvel
