// The ROM list's five columns: their headers, what each shows of a row, and the rows as a table of text.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "romlist/rom_list.h"

namespace quarvel {

constexpr int kColumnCount = 5;
// The caption, then sub-texts 0 to 3.
inline constexpr const char* kColumnHeaders[kColumnCount] = {"File Name", "Game Name", "Directory Path", "Size",
                                                              "Result"};

const std::string& CellText(const RomRow& row, int column);

// The headers, then each of the given rows, cells separated by tabs and every line ended by CR LF, as
// spreadsheets and editors take a pasted table. A tab or line break inside a cell (a game name's header
// bytes may hold any byte) becomes a space, so the table keeps its shape.
std::string RowsAsTable(const RomList& rows, const std::vector<size_t>& indexes);

}  // namespace quarvel
