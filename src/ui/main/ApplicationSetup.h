#pragma once

class QApplication;

namespace pelmar {

// What every start of the desktop program sets up on the application before the first window:
// its name (for the settings and data folders) and Qt's own Japanese texts, so the file dialog
// and the buttons of Qt's dialogs speak the language of the rest of the program. No display
// name: Qt would append it to every window title, which already names the program.
// Returns whether Qt's Japanese translation was found.
bool SetUpApplication(QApplication& app);

} // namespace pelmar
