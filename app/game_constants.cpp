#include "app/game_constants.h"

#include "platform/platform.h"

std::string GameFolder() {
  const std::string digits = "000" + std::to_string(WeekNumber);
  return digits.substr(digits.size() - 3) + "/";
}

std::string FilesFolder() { return plat::ProgramFolder() + "Files/"; }
