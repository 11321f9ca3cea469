#include "game/play_loop.h"

// The play loop is not built yet: a started game ends at once, and the
// front end takes over again as after any game.
void PlayGame() {}
