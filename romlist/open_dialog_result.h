// Reads the names that a several-file open dialog returns in its buffer, or says why it returned none.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "romlist/lead_bytes.h"

namespace quarvel {

// The dialog returns either one full path, or a folder, a zero, then zero-terminated names and a
// final zero. nameOffset is the dialog's offset of the first name; when the byte before it is zero,
// the buffer holds a folder and names. Names that are already full paths are taken unchanged.
// The buffer is read no further than capacity bytes, even if its final zeros are missing.
std::vector<std::string> ParseOpenDialogResult(const char* buffer, size_t capacity, size_t nameOffset,
                                               const LeadBytes& leadBytes = {});

// The failure message for a dialog that ended with an extended error (CommDlgExtendedError) instead of a
// choice or a cancel: what went wrong in words, and the code.
std::string OpenDialogFailureText(unsigned long errorCode);

}  // namespace quarvel
