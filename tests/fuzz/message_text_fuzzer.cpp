// Fuzzes the message texts: a format with up to three arguments (text or number, chosen by the input),
// the failure report's period and the trimming of system error texts.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "ui/message_text.h"

namespace {
// Splits the input at 0xFF bytes into at most four fields.
std::string_view Field(std::string_view& rest) {
  size_t end = rest.find('\xFF');
  std::string_view field = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  return field;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  unsigned kinds = data[0];
  std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
  std::string_view rest(input);
  std::string format(Field(rest));
  std::string a(Field(rest)), b(Field(rest)), c(Field(rest));
  auto arg = [&](const std::string& text, unsigned bit) -> quarvel::FormatArg {
    if (kinds & bit) return static_cast<long long>(text.size() * 7919) - static_cast<long long>(kinds) * 1000003;
    return std::string_view(text);
  };
  std::string formatted = quarvel::FormatText(format, {arg(a, 1), arg(b, 2), arg(c, 4)});
  std::string plain = quarvel::FormatText(format, {});
  // With no arguments only "%%" changes, to "%".
  std::string expected;
  for (size_t i = 0; i < format.size(); ++i) {
    expected += format[i];
    if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == '%') ++i;
  }
  if (plain != expected) __builtin_trap();
  if (formatted.size() > format.size() + a.size() + b.size() + c.size() + 3 * 24) __builtin_trap();

  std::string report = quarvel::FailureReportText(formatted);
  if (report.size() != formatted.size() && report != formatted + ".") __builtin_trap();
  std::string trimmed = quarvel::TrimSystemErrorText(input);
  if (trimmed.size() > input.size() || input.compare(0, trimmed.size(), trimmed) != 0) __builtin_trap();
  if (!trimmed.empty() && std::string_view(" \r\n.").find(trimmed.back()) != std::string_view::npos) __builtin_trap();
  std::string clip = quarvel::NoticeClipboardText(a, b, c);
  if (clip.find(b) == std::string::npos) __builtin_trap();
  return 0;
}
