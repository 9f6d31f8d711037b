#include "tools/manual/ManualSource.h"

#include "tools/manual/ManualTables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

namespace pelmar::manual {

namespace {

QString located(const QString& sourceName, qsizetype lineIndex, const QString& what) {
    return QStringLiteral("%1:%2: %3").arg(sourceName).arg(lineIndex + 1).arg(what);
}

// Options that would write to the user's history: an example must not leave records behind.
bool writesHistory(const QStringList& arguments) {
    for (const QString& argument : arguments)
        if (argument == QLatin1String("--save") || argument == QLatin1String("--data-dir"))
            return true;
    return false;
}

} // namespace

TExpanded ExpandDirectives(const QString& markdown, const QString& sourceName,
                           const TDirectiveContext& context) {
    static const QRegularExpression directive(QStringLiteral("^\\{\\{\\s*(\\S+)\\s*(.*?)\\s*\\}\\}$"));
    TExpanded result;
    QStringList lines = markdown.split(QLatin1Char('\n'));
    // Every line gets its line end back below; the final one would otherwise come twice.
    if (markdown.endsWith(QLatin1Char('\n')))
        lines.removeLast();
    bool inFence = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        line.replace(QStringLiteral("{{version}}"), context.version);
        if (line.trimmed().startsWith(QStringLiteral("```")))
            inFence = !inFence;
        const auto match = inFence ? QRegularExpressionMatch() : directive.match(line.trimmed());
        if (!match.hasMatch()) {
            result.markdown += line + QLatin1Char('\n');
            continue;
        }
        const QString name = match.captured(1);
        const QString argument = match.captured(2);
        if (name == QLatin1String("contents") && argument.isEmpty()) {
            result.markdown += QString::fromUtf8(ContentsDirective) + QLatin1Char('\n');
        } else if (name == QLatin1String("table")) {
            const std::optional<QString> table = GeneratedTable(argument);
            if (!table)
                return {{}, located(sourceName, i, QStringLiteral("no table named '%1' (there are: %2)")
                                                       .arg(argument, GeneratedTableNames().join(u", ")))};
            result.markdown += *table;
        } else if (name == QLatin1String("run") || name == QLatin1String("output")) {
            QStringList arguments = QProcess::splitCommand(argument);
            if (arguments.value(0) != QLatin1String("pelmar-count") || !context.run)
                return {{}, located(sourceName, i, QStringLiteral("only pelmar-count can be run"))};
            arguments.removeFirst();
            if (writesHistory(arguments))
                return {{}, located(sourceName, i,
                                    QStringLiteral("an example must not write to the history"))};
            QString error;
            const std::optional<QString> output = context.run(arguments, &error);
            if (!output)
                return {{}, located(sourceName, i, QStringLiteral("pelmar-count failed: ") + error)};
            result.markdown += QStringLiteral("```\n");
            if (name == QLatin1String("run"))
                result.markdown += QStringLiteral("$ ") + argument + QLatin1Char('\n');
            result.markdown += *output;
            if (!output->endsWith(QLatin1Char('\n')))
                result.markdown += QLatin1Char('\n');
            result.markdown += QStringLiteral("```\n");
        } else {
            return {{}, located(sourceName, i, QStringLiteral("unknown directive '%1'").arg(name))};
        }
    }
    return result;
}

QStringList ChapterFiles(const QString& folder) {
    static const QRegularExpression chapter(QStringLiteral("^\\d+-[^/]+\\.md$"));
    QStringList files;
    const QStringList names = QDir(folder).entryList({QStringLiteral("*.md")}, QDir::Files, QDir::Name);
    for (const QString& name : names)
        if (chapter.match(name).hasMatch())
            files << QDir(folder).filePath(name);
    return files;
}

QStringList ImageReferences(const QString& markdown) {
    static const QRegularExpression image(QStringLiteral("!\\[[^\\]]*\\]\\(([^)\\s]+)[^)]*\\)"));
    QStringList paths;
    for (auto it = image.globalMatch(markdown); it.hasNext();)
        paths << it.next().captured(1);
    return paths;
}

TExpanded AssembleManual(const QString& folder, const TDirectiveContext& context) {
    const QStringList files = ChapterFiles(folder);
    if (files.isEmpty())
        return {{}, QStringLiteral("%1: no chapters (files named like 01-name.md)").arg(folder)};
    TExpanded manual;
    for (const QString& path : files) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {{}, QStringLiteral("%1: cannot be read").arg(path)};
        const QString name = QFileInfo(path).fileName();
        const TExpanded chapter = ExpandDirectives(QString::fromUtf8(file.readAll()), name, context);
        if (!chapter.error.isEmpty())
            return chapter;
        for (const QString& image : ImageReferences(chapter.markdown)) {
            if (!QFileInfo(QDir(folder).filePath(image)).isFile())
                return {{}, QStringLiteral("%1: the picture %2 is missing").arg(name, image)};
        }
        // A blank line keeps the last paragraph of one chapter apart from the next heading.
        manual.markdown += chapter.markdown + QLatin1Char('\n');
    }
    return manual;
}

} // namespace pelmar::manual
