// Numbered sound effects, played fire-and-forget on a ring of channel slots
// at the volumes of the settings.
#pragma once

#include <cstdint>
#include <vector>

// ---- whole run
extern std::vector<int> SfxSounds;      // 201 sound handles; entry n is effect n, 0 when missing
extern std::vector<int> ChannelSlots;   // 260 channel handles: 20-255 effects, 256 the jingle
extern int SfxSlotCounter;              // the slot the last effect took

void MakeSoundTables();
// Plays effect index at rate (0.25-4), volume (0-1) and pan (-1..1), scaled
// by the sound and master volumes. Missing effects and a sound volume of 0
// use no slot.
void PlaySfx(int index, float rate, float volume, float pan);
// The framework's millisecond clock.
uint32_t Millis();
