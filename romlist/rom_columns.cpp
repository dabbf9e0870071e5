#include "romlist/rom_columns.h"

namespace quarvel {

namespace {
void AppendCell(std::string& table, const std::string& cell) {
  for (char c : cell) table += static_cast<unsigned char>(c) < 32 ? ' ' : c;
}

template <class Cells>
void AppendLine(std::string& table, Cells cellOf) {
  for (int column = 0; column < kColumnCount; ++column) {
    if (column > 0) table += '\t';
    AppendCell(table, cellOf(column));
  }
  table += "\r\n";
}
}  // namespace

const std::string& CellText(const RomRow& row, int column) {
  switch (column) {
    case 0: return row.caption;
    case 1: return row.gameName;
    case 2: return row.directory;
    case 3: return row.size;
    default: return row.result;
  }
}

std::string RowsAsTable(const RomList& rows, const std::vector<size_t>& indexes) {
  std::string table;
  AppendLine(table, [](int column) { return std::string(kColumnHeaders[column]); });
  for (size_t index : indexes)
    if (index < rows.Count()) AppendLine(table, [&](int column) { return CellText(rows.Row(index), column); });
  return table;
}

}  // namespace quarvel
