// PNG loading is not built yet: every load gives handle 0, as for a missing file.
#include "platform/internal.h"

namespace plat {
int LoadImage(const std::string&, bool, bool) { return 0; }
int LoadAnimImage(const std::string&, int, int, int, int, bool, bool) { return 0; }
}  // namespace plat
