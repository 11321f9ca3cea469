// pixelart SOURCE OUTPUT.png [--level N]
// Turns a text-grid sheet into a PNG; exits 1 with "file:line: reason" on a
// malformed source and writes nothing then.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/platform.h"
#include "tools/pixel_sheet.h"

int main(int argc, char** argv) {
  if (argc != 3 && !(argc == 5 && std::string(argv[3]) == "--level")) {
    std::fprintf(stderr, "usage: pixelart SOURCE OUTPUT.png [--level 0-9]\n");
    return 2;
  }
  int level = argc == 5 ? std::atoi(argv[4]) : 9;
  tools::PixelSheet sheet;
  std::string error;
  if (!tools::ReadSheet(argv[1], sheet, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  const std::vector<uint8_t> rgba = tools::RenderSheet(sheet);
  if (!plat::SavePng(argv[2], sheet.Width() * sheet.scale, sheet.Height() * sheet.scale,
                     rgba.data(), level)) {
    std::fprintf(stderr, "%s: cannot write\n", argv[2]);
    return 1;
  }
  return 0;
}
