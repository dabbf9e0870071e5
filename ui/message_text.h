// Texts of notices and failure reports, built without the window system.
#pragma once
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace quarvel {

// One argument of a message: a text for "%s" or a signed number for "%d".
using FormatArg = std::variant<std::string_view, long long>;

// Replaces each "%s" and "%d" in turn with the next argument and "%%" with "%". A placeholder without a
// matching argument, or with an argument of the other kind, is written as the argument or left as it
// stands, never read from elsewhere.
std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args);

// The text a failure report shows: the message, with "." appended when its last byte is greater than
// the byte of "." (a plain comparison of unsigned byte values).
std::string FailureReportText(std::string_view message);

// The system's description of an error without its trailing spaces, line breaks and periods.
std::string TrimSystemErrorText(std::string_view text);

// The plain-text rendering a notice copies to the clipboard: its caption, its text and its button.
std::string NoticeClipboardText(std::string_view caption, std::string_view text, std::string_view button);

}  // namespace quarvel
