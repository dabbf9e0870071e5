// Text converted between the program's own code page (the active one) and UTF-16, which the wide
// functions take. Every floor of the program reaches it.
#pragma once
#include <string>
#include <string_view>

namespace quarvel {

std::wstring WideFromCodePage(std::string_view text);
std::string CodePageFromWide(std::wstring_view wide);

}  // namespace quarvel
