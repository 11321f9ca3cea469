// One whole game, from its first level to its score record.
#pragma once

// Returns when the game is over.
void PlayGame();
