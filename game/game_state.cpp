#include "game/game_state.h"

int CurrentScore = 0;
int CurrentGameMode = 0;
int CurrentLevel = 0;
int CurrentGameFlags = 0;
std::vector<int> CurrentBest;
std::vector<int> LevelGrid;
std::vector<int> TileTimers;

void MakeGameTables() {
  LevelGrid.assign(1024, 0);
  TileTimers.assign(1024, 0);
  CurrentScore = 0;
  CurrentGameMode = 0;
  CurrentLevel = 0;
  CurrentGameFlags = 0;
}
