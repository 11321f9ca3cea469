// Writing a whole file so that it is either all there or not changed.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

namespace plat::detail {

// Runs write on a temporary file beside path, flushes it to the disk and
// renames it over path. When anything fails the temporary file goes and the
// old file stays as it was. False on failure.
bool WriteFileAtomically(const std::string& path, const std::function<bool(FILE*)>& write);

}  // namespace plat::detail
