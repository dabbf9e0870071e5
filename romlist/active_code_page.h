// The system's active code page, for the window code: how it splits text into characters (for the
// window-free path helpers), and text converted between it and UTF-16, which the wide functions take.
#pragma once
#include <string>
#include <string_view>

#include "romlist/lead_bytes.h"

namespace quarvel {

LeadBytes ActiveCodePageLeadBytes();

std::wstring WideFromCodePage(std::string_view text);
std::string CodePageFromWide(std::wstring_view wide);

}  // namespace quarvel
