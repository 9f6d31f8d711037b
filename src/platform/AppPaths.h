#pragma once

#include <QString>

namespace pelmar {

// Where the history (pelmar.hst), the folder files (datas/) and the saved texts (texts/) live:
// the user's data folder for the program, whichever of its commands asks.
[[nodiscard]] QString AppDataFolder();

// The settings file, pelmar.ini, in the user's configuration folder for the program.
[[nodiscard]] QString SettingsFilePath();

} // namespace pelmar
