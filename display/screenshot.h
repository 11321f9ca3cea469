// F11: the current frame saved as a PNG file in Files/.
#pragma once

void TakeScreenshot();
