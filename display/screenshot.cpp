#include "display/screenshot.h"

// Screenshots are not built yet; F11 does nothing until they are.
void TakeScreenshot() {}
