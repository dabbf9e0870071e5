#include "romlist/active_code_page.h"

#include <windows.h>

namespace quarvel {

LeadBytes ActiveCodePageLeadBytes() {
  if (GetACP() == CP_UTF8) return LeadBytes::Utf8();  // a manifest asked for it (Windows 10 1903 and later)
  std::array<bool, 256> isLead{};
  for (int byte = 0; byte < 256; ++byte) isLead[byte] = IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(byte)) != FALSE;
  return LeadBytes(isLead);
}

}  // namespace quarvel
