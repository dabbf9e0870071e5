// Reads what the ROM list shows of a file: its header bytes as text and its size.
#pragma once
#include <windows.h>

#include <string>

#include "romlist/rom_list.h"

namespace quarvel {

// The 18 bytes at offset 160 as text, up to the first zero; a short file gives what it has.
std::string ReadGameName(HANDLE file);
// The low 32 bits of the file's size.
uint32_t ReadFileSize(HANDLE file);

// Opens the file once, for reading only and sharing every access, reads both and closes it.
// A file that cannot be opened raises "Cannot open file "<full path>". <system text>".
RomFileFacts ReadRomFileFacts(const std::string& path);

}  // namespace quarvel
