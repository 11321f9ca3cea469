// What makes this game this game: the framework reads these per-game
// constants for the window title, the log banner, the game's folder, the
// screenshot names and the score file.
#pragma once

#include <string>

inline constexpr int WeekNumber = 264;
inline const std::string GameName = "Pogwin";
inline const std::string GameShortName = "Zib";
inline const std::string GameTitle = "Zibbing for Glory";
inline const std::string GameKey = "7QM2RV8T";

// "#264 : Pogwin Zib", built once at start-up.
extern const std::string WindowTitle;

// The game's own folder inside Files/: the week as three digits, then "/".
std::string GameFolder();
// The Files/ folder beside the program, absolute, with a trailing '/'.
std::string FilesFolder();
