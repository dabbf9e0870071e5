// How the system's active code page splits text into characters, for the window-free path helpers.
#pragma once
#include "romlist/lead_bytes.h"

namespace quarvel {

LeadBytes ActiveCodePageLeadBytes();

}  // namespace quarvel
