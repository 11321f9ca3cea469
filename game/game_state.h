// Values of the game in progress, read between games by the front end and
// stored in every score record.
#pragma once

#include <vector>

// ---- one game
extern int CurrentScore;
extern int CurrentGameMode;     // this game has a single mode, 0
extern int CurrentLevel;
extern int CurrentGameFlags;
extern std::vector<int> CurrentBest;   // 31 counters, entries 1-30 used

// ---- one level
extern std::vector<int> LevelGrid;     // 1024 tile values, row * 16 + column
extern std::vector<int> TileTimers;    // crumbling-ledge countdowns, same indexing

void MakeGameTables();
