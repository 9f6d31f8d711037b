#pragma once

#include <QString>
#include <QStringList>

namespace pelmar {

// What the desktop program was asked to do on its command line. A file given there (by a file
// manager's "open with", or by hand) is measured as if it had been dropped on the window.
struct TStartupRequest {
    enum class Kind { Run, Help, Version, Error };
    Kind kind = Kind::Run;
    QStringList files;  // absolute paths, in the order given
    QString error;      // for Kind::Error: one line naming the bad option
};

// Reads the arguments after the program name. Options end at "--"; a file may be given as a
// path or as a file: URL. Anything else starting with "-" is an error.
[[nodiscard]] TStartupRequest ParseStartupArguments(const QStringList& arguments,
                                                    const QString& currentFolder);

// True when the arguments ask for help or the version: the answer needs no display, so it is
// given before the window system is started.
[[nodiscard]] bool AsksForTextOnly(const QStringList& arguments);

[[nodiscard]] QString StartupHelpText(const QString& programName);
[[nodiscard]] QString StartupVersionText(const QString& programName, const QString& version);

} // namespace pelmar
