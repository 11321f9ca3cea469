// The game's own images and level file, loaded after the common assets.
#pragma once

void LoadGameAssets();
