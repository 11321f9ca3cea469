// The menu Escape opens during play.
#pragma once

// Runs the menu's own frame loop; 1 continue, 99 quit.
int PauseMenu();
