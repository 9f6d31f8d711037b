#include "desktop/StartupArguments.h"

#include <QDir>
#include <QUrl>

namespace pelmar {

namespace {

using Kind = TStartupRequest::Kind;

Kind optionKind(const QString& argument) {
    if (argument == QLatin1String("-h") || argument == QLatin1String("--help"))
        return Kind::Help;
    if (argument == QLatin1String("-v") || argument == QLatin1String("--version"))
        return Kind::Version;
    return Kind::Error;
}

QString absoluteFile(const QString& argument, const QString& currentFolder) {
    if (argument.startsWith(QLatin1String("file:"))) {
        const QUrl url(argument);
        if (url.isLocalFile())
            return QDir::cleanPath(url.toLocalFile());
    }
    return QDir::cleanPath(QDir(currentFolder).absoluteFilePath(argument));
}

} // namespace

TStartupRequest ParseStartupArguments(const QStringList& arguments, const QString& currentFolder) {
    TStartupRequest request;
    bool optionsEnded = false;
    for (const QString& argument : arguments) {
        // A lone "-" would mean standard input, which a window cannot measure.
        if (!optionsEnded && argument.startsWith(QLatin1Char('-'))) {
            if (argument == QLatin1String("--")) {
                optionsEnded = true;
                continue;
            }
            const Kind kind = optionKind(argument);
            if (kind == Kind::Error)
                return {Kind::Error, {}, QStringLiteral("unknown option '%1'").arg(argument)};
            // Help wins over the version, whatever their order, as the usual tools do.
            if (request.kind != Kind::Help)
                request.kind = kind;
            continue;
        }
        if (!argument.isEmpty())
            request.files << absoluteFile(argument, currentFolder);
    }
    if (request.kind != Kind::Run)
        request.files.clear();
    return request;
}

bool AsksForTextOnly(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--"))
            return false;
        if (optionKind(argument) != Kind::Error)
            return true;
    }
    return false;
}

QString StartupHelpText(const QString& programName) {
    return QStringLiteral(
               "Usage: %1 [options] [FILE]\n"
               "Counts the words, syllables, letters and consonants of an English text line by "
               "line, in a window, and shows them as tab-separated rows ready to paste into a "
               "spreadsheet.\n"
               "\n"
               "Options:\n"
               "  -h, --help     Displays this help.\n"
               "  -v, --version  Displays version information.\n"
               "\n"
               "Arguments:\n"
               "  FILE           A text file (.txt, UTF-8 or CP932) measured at once, as if it\n"
               "                 had been dropped on the window.\n"
               "\n"
               "The window's options of the Qt toolkit are understood as well, for example\n"
               "-platform offscreen.\n")
        .arg(programName);
}

QString StartupVersionText(const QString& programName, const QString& version) {
    return QStringLiteral("%1 %2\n").arg(programName, version);
}

} // namespace pelmar
