// The shipped program: no arguments, no environment; everything comes from
// the files beside it.
#include "app/program.h"
#include "platform/platform.h"

int main() {
  if (!plat::Init()) return 1;
  ProgramEntry();
  return 0;
}
