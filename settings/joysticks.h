// The joysticks found at start-up, at most four, numbered from 1.
#pragma once

#include <string>
#include <vector>

struct JoystickEntry {
  int enabled = 1;             // the settings panel switches it off and on; not saved
  std::string name;
  unsigned buttonMask = 0;
  float rest[6] = {0, 0, 0, 0, 0, 0};   // X, Y, Z, R, U, V at start-up
  int hatUsable = 0;           // the hat read exactly -1 (centred) at start-up
};

// ---- whole run
extern std::vector<JoystickEntry> Joysticks;   // entries 1 .. JoystickCount
extern int JoystickCount;

// Finds the attached joysticks once and records their rest positions.
void DetectJoysticks();
