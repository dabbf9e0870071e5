// Reads the paths of a file drop: zero-terminated texts one after the other, ended by an empty one.
#pragma once
#include <string>
#include <vector>

namespace quarvel {

// Splits [begin, end) into its zero-terminated texts, in order, stopping at the first empty one or at
// end; a last text without its zero is taken up to end. One pass, so a drop of many files stays linear.
template <class Char>
std::vector<std::basic_string<Char>> SplitZeroTerminatedList(const Char* begin, const Char* end) {
  std::vector<std::basic_string<Char>> texts;
  while (begin < end && *begin != Char(0)) {
    const Char* stop = begin;
    while (stop < end && *stop != Char(0)) ++stop;
    texts.emplace_back(begin, stop);
    begin = stop + 1;
  }
  return texts;
}

}  // namespace quarvel
