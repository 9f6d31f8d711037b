#include "tools/manual/ManualSource.h"

#include "tools/manual/ManualTables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include <algorithm>
#include <climits>
#include <vector>

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

// The part of a directive after "run": the command, and the field list of a "| cut -f LIST"
// after it (empty without one).
struct TCommandLine {
    QString command;
    QString cut;
    bool ok = true;
};

TCommandLine splitPipe(const QString& argument) {
    static const QRegularExpression cut(QStringLiteral("^cut\\s+-f\\s*(\\S+)$"));
    const qsizetype bar = argument.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return {argument.trimmed(), {}, true};
    const auto match = cut.match(argument.mid(bar + 1).trimmed());
    return {argument.left(bar).trimmed(), match.captured(1), match.hasMatch()};
}

} // namespace

QStringList ExamplePrograms() {
    return {QStringLiteral("pelmar-count"), QStringLiteral("pelmar-history")};
}

std::optional<QString> CutFields(const QString& text, const QString& list) {
    // Each range as [first, last], 1-based; an open end runs to the last field.
    std::vector<std::pair<int, int>> ranges;
    for (const QString& part : list.split(QLatin1Char(','))) {
        const QStringList ends = part.split(QLatin1Char('-'));
        bool firstOk = true, lastOk = true;
        int first = 1, last = INT_MAX;
        if (ends.size() > 2 || part.isEmpty() || part == QLatin1String("-"))
            return std::nullopt;
        if (!ends[0].isEmpty())
            first = ends[0].toInt(&firstOk);
        if (ends.size() == 1)
            last = first;
        else if (!ends[1].isEmpty())
            last = ends[1].toInt(&lastOk);
        if (!firstOk || !lastOk || first < 1 || last < first)
            return std::nullopt;
        ranges.emplace_back(first, last);
    }
    const auto wanted = [&ranges](int field) {
        return std::any_of(ranges.begin(), ranges.end(),
                           [field](const auto& r) { return field >= r.first && field <= r.second; });
    };
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        // Like cut, a line without a tab is passed through whole.
        if (!line.contains(QLatin1Char('\t')))
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        QStringList kept;
        for (qsizetype i = 0; i < fields.size(); ++i)
            if (wanted(int(i) + 1))
                kept << fields[i];
        line = kept.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n'));
}

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
            const TCommandLine command = splitPipe(argument);
            if (!command.ok)
                return {{}, located(sourceName, i, QStringLiteral("only \"| cut -f LIST\" may follow a command"))};
            QStringList arguments = QProcess::splitCommand(command.command);
            const QString program = arguments.value(0);
            if (!ExamplePrograms().contains(program) || !context.run)
                return {{}, located(sourceName, i, QStringLiteral("only %1 can be run")
                                                       .arg(ExamplePrograms().join(u" and ")))};
            arguments.removeFirst();
            if (writesHistory(arguments))
                return {{}, located(sourceName, i,
                                    QStringLiteral("an example must not write to the history"))};
            QString error;
            std::optional<QString> output = context.run(program, arguments, &error);
            if (!output)
                return {{}, located(sourceName, i, program + QStringLiteral(" failed: ") + error)};
            if (!command.cut.isEmpty()) {
                output = CutFields(*output, command.cut);
                if (!output)
                    return {{}, located(sourceName, i, QStringLiteral("cut -f takes a list like 1-3,5"))};
            }
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
