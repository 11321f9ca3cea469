// The farewell: saves, says goodbye and ends the program on the next press.
#pragma once

// Never returns: the program ends here with exit code 0.
[[noreturn]] void ClosingScreen();
// Whether the player is holding any input (key, joystick, mouse button,
// Alt+F4 or a window-close request).
bool AnyInputHeld();
