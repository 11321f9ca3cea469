// Splitting the bytes of a text file into lines, as every reader of the
// framework does it.
#pragma once

#include <string>
#include <vector>

namespace plat {
// A line ends at LF, NUL or the end of the bytes; every CR is dropped. An
// empty file is one empty line; a line end before the end adds no empty line.
std::vector<std::string> SplitLines(const std::string& bytes);
}
