#include "game/game_assets.h"

#include "display/frame.h"

// The game's images, its level file and the engine self-test that precedes
// them are not built yet. What the rest of the frame routine relies on is
// that the overlay is off after loading, which the self-test ensures.
void LoadGameAssets() { DebugOverlayOn = 0; }
