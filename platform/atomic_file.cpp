#include "platform/atomic_file.h"

#include <unistd.h>

namespace plat::detail {

bool WriteFileAtomically(const std::string& path, const std::function<bool(FILE*)>& write) {
  if (path.empty()) return false;
  const std::string temp = path + ".tmp";
  FILE* file = std::fopen(temp.c_str(), "wb");
  if (!file) return false;
  bool ok = write(file);
  if (std::fflush(file) != 0 || ::fsync(fileno(file)) != 0) ok = false;
  if (std::fclose(file) != 0) ok = false;
  if (ok && std::rename(temp.c_str(), path.c_str()) != 0) ok = false;
  if (!ok) std::remove(temp.c_str());
  return ok;
}

}  // namespace plat::detail
