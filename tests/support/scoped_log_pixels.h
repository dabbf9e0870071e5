// The Wine prefix's display scale (LogPixels), which a program reads when it starts: set for as long as
// this lives, then the earlier value (or none) is put back, on every path.
#pragma once
#include "tests/support/scoped_user_value.h"

namespace quarvel::testing {

class ScopedLogPixels : public ScopedUserValue {
 public:
  explicit ScopedLogPixels(DWORD dpi) : ScopedUserValue("Control Panel\\Desktop", "LogPixels", dpi) {}
};

}  // namespace quarvel::testing
