// Failures: trouble during work, raised where it happens and reported by one top-level handler.
#pragma once
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

#include "ui/message_text.h"

namespace quarvel {

// Carries the one message text of a failure.
class Failure : public std::runtime_error {
 public:
  explicit Failure(const std::string& message) : std::runtime_error(message) {}
};

// Abandons the current handler; what it changed before stays changed.
[[noreturn]] inline void RaiseFailure(const std::string& text) { throw Failure(text); }
[[noreturn]] inline void RaiseFailure(std::string_view format, std::initializer_list<FormatArg> args) {
  throw Failure(FormatText(format, args));
}

}  // namespace quarvel
