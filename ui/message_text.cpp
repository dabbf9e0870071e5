#include "ui/message_text.h"

#include <vector>

namespace quarvel {

namespace {
std::string ArgText(const FormatArg& arg) {
  if (const auto* text = std::get_if<std::string_view>(&arg)) return std::string(*text);
  return std::to_string(std::get<long long>(arg));
}
}  // namespace

std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args) {
  std::vector<FormatArg> pending(args);
  size_t nextArg = 0;
  std::string text;
  for (size_t i = 0; i < format.size(); ++i) {
    char c = format[i];
    char next = i + 1 < format.size() ? format[i + 1] : '\0';
    if (c == '%' && next == '%') {
      text += '%';
      ++i;
    } else if (c == '%' && (next == 's' || next == 'd') && nextArg < pending.size()) {
      text += ArgText(pending[nextArg++]);
      ++i;
    } else {
      text += c;
    }
  }
  return text;
}

std::string FailureReportText(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) text += '.';
  return text;
}

std::string TrimSystemErrorText(std::string_view text) {
  size_t end = text.size();
  while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\r' || text[end - 1] == '\n' || text[end - 1] == '.'))
    --end;
  return std::string(text.substr(0, end));
}

std::string NoticeClipboardText(std::string_view caption, std::string_view text, std::string_view button) {
  const std::string rule = "---------------------------\r\n";
  return rule + std::string(caption) + "\r\n" + rule + std::string(text) + "\r\n" + rule + std::string(button) +
         "\r\n" + rule;
}

}  // namespace quarvel
