// The lead bytes of the system's active code page, for the window-free path helpers.
#pragma once
#include "romlist/lead_bytes.h"

namespace quarvel {

LeadBytes ActiveCodePageLeadBytes();

}  // namespace quarvel
