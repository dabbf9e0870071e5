#include "romlist/active_code_page.h"

#include <windows.h>

namespace quarvel {

LeadBytes ActiveCodePageLeadBytes() {
  std::array<bool, 256> isLead{};
  for (int byte = 0; byte < 256; ++byte) isLead[byte] = IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(byte)) != FALSE;
  return LeadBytes(isLead);
}

}  // namespace quarvel
