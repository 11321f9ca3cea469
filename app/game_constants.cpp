#include "app/game_constants.h"

#include "platform/platform.h"

namespace {
std::string MakeWindowTitle() {
  std::string title = "#";
  title.append(std::to_string(WeekNumber)).append(" : ").append(GameName).append(" ").append(GameShortName);
  return title;
}
}  // namespace

const std::string WindowTitle = MakeWindowTitle();

std::string GameFolder() {
  const std::string digits = "000" + std::to_string(WeekNumber);
  return digits.substr(digits.size() - 3) + "/";
}

std::string FilesFolder() { return plat::ProgramFolder() + "Files/"; }
