// TrueType loading is not built yet: every font is the built-in one.
#include "platform/internal.h"

namespace plat {
int LoadFont(const std::string&, int) { return 0; }
}  // namespace plat
