#include "settings/settings.h"

SettingsRecord Settings;

void MakeSettings() { Settings = SettingsRecord{}; }
