#include "settings/pause_menu.h"

// The pause menu screen is not built yet; until it is, Escape during play
// continues the game at once.
int PauseMenu() { return 1; }
