// The local score table and its file "nuscores.dat" in the game's folder.
#pragma once

// Reads the table from the game's folder.
void LoadScores();
// Writes the table to the game's folder.
void SaveScores();
