#pragma once

#include "frontend/settings/settings.h"

namespace nuvrel {

// The settings dialog "<Nuvrel>": the user chooses no music, an audio CD with a track to
// repeat, or an MP3 or WAV file. Set stores the choice; Cancel and the close box store
// nothing. Returns when the dialog has closed.
void ShowSettingsDialog(Settings& settings, SettingsPlatform& platform);

}  // namespace nuvrel
