// Renders the manual (docs/manual/NN-*.md) to a PDF at build time.
#include "cli/CountCommand.h"
#include "cli/HistoryCommand.h"
#include "tools/manual/ExampleHistory.h"
#include "tools/manual/ManualRenderer.h"
#include "tools/manual/ManualSource.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <sstream>

namespace {

int fail(const QString& message) {
    std::fprintf(stderr, "pelmar-manual: %s\n", qPrintable(message));
    return 2;
}

// An example program in-process, inside the manual's examples folder so that examples name
// files as a teacher would; pelmar-history lists the example history as if it were the
// reader's own.
std::optional<QString> runExample(const QString& folder, const QString& history,
                                  const QString& program, const QStringList& arguments,
                                  QString* error) {
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder);
    std::istringstream in;
    std::ostringstream out, err;
    const int status =
        program == QLatin1String("pelmar-history")
            ? pelmar::RunHistoryCommand(QStringList{QStringLiteral("--data-dir"), history} + arguments,
                                        out, err)
            : pelmar::RunCountCommand(arguments, in, out, err);
    QDir::setCurrent(previous);
    if (status != 0) {
        *error = QString::fromStdString(err.str()).trimmed();
        return std::nullopt;
    }
    return QString::fromStdString(out.str());
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("pelmar-manual"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Renders the manual's Markdown chapters to a PDF."));
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("The PDF to write."),
                                       QStringLiteral("file"));
    const QCommandLineOption markdownOption(QStringLiteral("markdown"),
                                            QStringLiteral("Also write the expanded Markdown here."),
                                            QStringLiteral("file"));
    const QCommandLineOption regularOption(QStringLiteral("font"),
                                           QStringLiteral("Font file of the text."),
                                           QStringLiteral("file"));
    const QCommandLineOption fixedOption(QStringLiteral("fixed-font"),
                                         QStringLiteral("Font file of fixed-width text."),
                                         QStringLiteral("file"));
    const QCommandLineOption versionOption(QStringLiteral("program-version"),
                                           QStringLiteral("The version the manual describes."),
                                           QStringLiteral("version"));
    parser.addOptions({outOption, markdownOption, regularOption, fixedOption, versionOption});
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("The manual's folder."));
    parser.process(app);
    if (parser.positionalArguments().size() != 1 || !parser.isSet(outOption) ||
        !parser.isSet(regularOption) || !parser.isSet(fixedOption))
        return fail(QStringLiteral("usage: pelmar-manual --out FILE --font FILE --fixed-font FILE "
                                   "[--markdown FILE] [--program-version V] FOLDER"));

    const QString folder = QDir(parser.positionalArguments().constFirst()).absolutePath();
    pelmar::manual::TDirectiveContext context;
    context.version = parser.value(versionOption);
    const QString examples = QDir(folder).filePath(QStringLiteral("examples"));
    const QTemporaryDir history;
    if (!history.isValid())
        return fail(QStringLiteral("no temporary folder for the example history"));
    const QString historyError = pelmar::manual::WriteExampleHistory(
        QDir(examples).filePath(QStringLiteral("history.txt")), examples, history.path());
    if (!historyError.isEmpty())
        return fail(historyError);
    context.run = [&examples, &history](const QString& program, const QStringList& arguments,
                                        QString* error) {
        return runExample(examples, history.path(), program, arguments, error);
    };
    const pelmar::manual::TExpanded manual = pelmar::manual::AssembleManual(folder, context);
    if (!manual.error.isEmpty())
        return fail(manual.error);

    if (parser.isSet(markdownOption)) {
        QFile file(parser.value(markdownOption));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(manual.markdown.toUtf8()) < 0)
            return fail(parser.value(markdownOption) + QStringLiteral(": cannot be written"));
    }

    pelmar::manual::TRenderOptions options;
    options.regularFont = parser.value(regularOption);
    options.fixedFont = parser.value(fixedOption);
    options.title = QStringLiteral("ペルマー 利用の手引き");
    options.imageFolder = folder;
    const pelmar::manual::TRenderResult result =
        pelmar::manual::RenderManual(manual.markdown, parser.value(outOption), options);
    if (!result.error.isEmpty())
        return fail(result.error);
    return 0;
}
