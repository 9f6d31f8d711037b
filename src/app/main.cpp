// The desktop program: the main window and the windows it opens, created in this order at start.
#include "desktop/StartupArguments.h"
#include "ui/dialogs/ResultWindow.h"
#include "ui/fly/FlyWindow.h"
#include "ui/history/HistoryWindow.h"
#include "ui/main/ApplicationSetup.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

#include <cstdio>

namespace {

QStringList argumentsAfterProgram(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

int printText(const QString& text, std::FILE* stream, int status) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    return status;
}

} // namespace

int main(int argc, char* argv[]) {
    using pelmar::TStartupRequest;
    const QString programName = QStringLiteral("pelmar");
    // Help and version need no display, so they are answered before the window system starts.
    if (const QStringList early = argumentsAfterProgram(argc, argv); pelmar::AsksForTextOnly(early)) {
        const TStartupRequest request = pelmar::ParseStartupArguments(early, QString());
        if (request.kind == TStartupRequest::Kind::Help)
            return printText(pelmar::StartupHelpText(programName), stdout, 0);
        if (request.kind == TStartupRequest::Kind::Version)
            return printText(pelmar::StartupVersionText(programName, QStringLiteral(PELMAR_VERSION)),
                             stdout, 0);
    }

    QApplication app(argc, argv);
    pelmar::SetUpApplication(app);
    QApplication::setApplicationVersion(QStringLiteral(PELMAR_VERSION));
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(PELMAR_DESKTOP_ID));

    // The window system has taken its own options out of the arguments by now.
    const TStartupRequest request =
        pelmar::ParseStartupArguments(QApplication::arguments().mid(1), QDir::currentPath());
    if (request.kind == TStartupRequest::Kind::Error)
        return printText(programName + QStringLiteral(": ") + request.error +
                             QStringLiteral("\nTry '%1 --help'.\n").arg(programName),
                         stderr, 2);

    pelmar::TForm1 form1;
    pelmar::TForm2 form2;
    pelmar::TForm4 form4;
    pelmar::TFormResult formResult;
    form1.attachWindows(&form2, &form4, &formResult);
    QObject::connect(&form1, &pelmar::TForm1::closed, &app, &QCoreApplication::quit);

    form1.show();
    // A file given on the command line is measured as a dropped one, once the loop runs.
    if (!request.files.isEmpty())
        QTimer::singleShot(0, &form1, [&form1, files = request.files] { form1.DropFiles(files); });
    return QApplication::exec();
}
