#include "cli/HistoryCommand.h"

#include "history/HistoryCopy.h"
#include "history/HistoryFolders.h"
#include "history/HistoryStore.h"
#include "measure/Vocabulary.h"
#include "platform/AppPaths.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <ostream>

namespace pelmar {

namespace {

void writeLine(std::ostream& out, const QString& text) {
    out << text.toStdString() << '\n';
}

// The command answers no questions: a message means a file could not be read.
class TCommandDialogs : public THistoryDialogs {
public:
    QStringList messages;
    void message(const QString& text) override { messages << text; }
    bool askYesNo(const QString&) override { return false; }
    bool askYesCancel(const QString&) override { return false; }
    std::optional<QString> input(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    void infoMessage(const QString& text) override { messages << text; }
};

// --- JSON ------------------------------------------------------------------------------------

QString key(std::string_view name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

// A single-precision value as the double its shortest text reads as, so 246.8f prints as 246.8.
QJsonValue jsonFloat(float value) {
    if (!std::isfinite(value))
        return QJsonValue();
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    double shortest = 0;
    std::from_chars(buffer, end, shortest);
    return shortest;
}

QJsonObject jsonRow(const TRecItem& item) {
    QJsonObject values;
    for (int i = 0; i < StoredValueCount; ++i)
        values.insert(key(vocab::ColumnKeys[static_cast<std::size_t>(i)]), item.Value(i));
    const TDerivedMeasures derived = item.Derived();
    QJsonObject ratios;
    for (int number = 22; number <= 32; ++number)
        ratios.insert(key(vocab::ColumnKeys[static_cast<std::size_t>(number)]),
                      jsonFloat(derived.byNumber(number)));
    QJsonObject styles;
    for (int i = 0; i < 4; ++i)
        styles.insert(key(vocab::StyleKeys[static_cast<std::size_t>(i)]),
                      static_cast<int>(derived.byNumber(45 + i)));
    return QJsonObject{{QStringLiteral("title"), item.Title},
                       {QStringLiteral("key"), item.Key},
                       {QStringLiteral("kind"), item.Kind},
                       {QStringLiteral("list"), item.ListName},
                       {QStringLiteral("style"), item.Style},
                       {QStringLiteral("values"), values},
                       {QStringLiteral("ratios"), ratios},
                       {QStringLiteral("styles"), styles}};
}

// --- output ----------------------------------------------------------------------------------

// The rows top first, as the window shows them (the newest on top).
void printRows(std::ostream& out, const TRecItems& items, bool json) {
    std::string text;
    if (json) {
        QJsonArray rows;
        for (int i = items.Count() - 1; i >= 0; --i)
            rows.append(jsonRow(*items.Item(i)));
        text = QJsonDocument(rows).toJson(QJsonDocument::Compact).toStdString() + '\n';
    } else {
        text = HistoryCopyHeading() + '\n';
        for (int i = items.Count() - 1; i >= 0; --i) {
            AppendHistoryCopyRow(text, *items.Item(i));
            text += '\n';
        }
    }
    out << text;
    out.flush();
}

bool parseLevels(const QString& text, std::array<bool, 3>& levels) {
    levels = {false, false, false};
    if (text.trimmed().isEmpty())
        return true;
    for (const QString& part : text.split(QLatin1Char(','))) {
        bool ok = false;
        const int level = part.trimmed().toInt(&ok);
        if (!ok || level < 0 || level > 2)
            return false;
        levels[static_cast<std::size_t>(level)] = true;
    }
    return true;
}

} // namespace

int RunHistoryCommand(const QStringList& arguments, std::ostream& out, std::ostream& err) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Lists the saved measurements as the history window lists them: a heading "
                       "line, then one tab-separated line of 37 fields per record, newest first. "
                       "Never changes a file."));
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Shows this help."));
    const QCommandLineOption versionOption(QStringLiteral("version"),
                                           QStringLiteral("Shows the version."));
    const QCommandLineOption dataDirOption(
        QStringLiteral("data-dir"),
        QStringLiteral("Folder of pelmar.hst and datas/ (default: the program's data folder)."),
        QStringLiteral("dir"));
    const QCommandLineOption samplesOption(
        QStringLiteral("samples"),
        QStringLiteral("Sample records to list: all, part (the default) or none."),
        QStringLiteral("which"));
    const QCommandLineOption levelsOption(
        QStringLiteral("levels"),
        QStringLiteral("Sample levels to list, comma-separated (default 0,1,2)."),
        QStringLiteral("list"));
    const QCommandLineOption groupOption(
        QStringLiteral("group"),
        QStringLiteral("Lists the records of a group instead: --group FOLDER GROUP."),
        QStringLiteral("folder"));
    const QCommandLineOption foldersOption(
        QStringLiteral("folders"),
        QStringLiteral("Lists the folders, each followed by its groups indented by two spaces."));
    const QCommandLineOption jsonOption(
        QStringLiteral("json"),
        QStringLiteral("Prints the records as a JSON array of objects (stored values with the "
                       "indices in tenths, ratios, style scores, title, key, kind, list)."));
    for (const auto* option : {&helpOption, &versionOption, &dataDirOption, &samplesOption,
                               &levelsOption, &groupOption, &foldersOption, &jsonOption})
        parser.addOption(*option);
    parser.addPositionalArgument(QStringLiteral("group"),
                                 QStringLiteral("The group's name, after --group FOLDER."),
                                 QStringLiteral("[GROUP]"));

    QStringList argv = arguments;
    argv.prepend(QStringLiteral("pelmar-history"));
    auto fail = [&](const QString& message) {
        writeLine(err, QStringLiteral("pelmar-history: ") + message);
        return 2;
    };
    if (!parser.parse(argv))
        return fail(parser.errorText());
    if (parser.isSet(helpOption)) {
        out << parser.helpText().toStdString();
        return 0;
    }
    if (parser.isSet(versionOption)) {
        writeLine(out, QStringLiteral("pelmar-history " PELMAR_VERSION));
        return 0;
    }

    const bool group = parser.isSet(groupOption);
    const bool folders = parser.isSet(foldersOption);
    const bool json = parser.isSet(jsonOption);
    const QStringList positional = parser.positionalArguments();
    if (group && positional.size() != 1)
        return fail(QStringLiteral("--group takes a folder and a group: --group FOLDER GROUP"));
    if (!group && !positional.isEmpty())
        return fail(QStringLiteral("unexpected argument '%1'").arg(positional.first()));
    if (group && folders)
        return fail(QStringLiteral("--group and --folders do not go together"));
    if ((group || folders) && (parser.isSet(samplesOption) || parser.isSet(levelsOption)))
        return fail(QStringLiteral("--samples and --levels only go with the window's list"));
    if (folders && json)
        return fail(QStringLiteral("--json goes with records, not with --folders"));

    THistoryView view;
    if (parser.isSet(samplesOption)) {
        const QString which = parser.value(samplesOption);
        if (which == QLatin1String("all"))
            view.samples = SampleDisplay::All;
        else if (which == QLatin1String("part"))
            view.samples = SampleDisplay::Part;
        else if (which == QLatin1String("none"))
            view.samples = SampleDisplay::None;
        else
            return fail(QStringLiteral("unknown sample choice '%1' (all, part or none)").arg(which));
    }
    if (parser.isSet(levelsOption) && !parseLevels(parser.value(levelsOption), view.levels))
        return fail(QStringLiteral("levels are 0, 1 and 2, comma-separated"));
    const QString dataFolder =
        parser.isSet(dataDirOption) ? parser.value(dataDirOption) : AppDataFolder();

    if (folders) {
        const THistoryFolderList list = ListHistoryFolders(dataFolder);
        if (!list.problems.isEmpty()) {
            for (const QString& problem : list.problems)
                writeLine(err, problem);
            return 2;
        }
        std::string text;
        for (const THistoryFolder& folder : list.folders) {
            text += folder.name.toStdString() + '\n';
            for (const QString& name : folder.groups)
                text += "  " + name.toStdString() + '\n';
        }
        out << text;
        return 0;
    }

    TRecItems items;
    if (group) {
        TCommandDialogs dialogs;
        THistoryFolders operations(dataFolder, dialogs);
        const QString folder = parser.value(groupOption);
        const QString name = positional.first().trimmed();
        if (IsBadFolderName(folder) || !QFileInfo(operations.FolderPath(folder)).isFile())
            return fail(QStringLiteral("no folder '%1' in %2")
                            .arg(folder, QDir::toNativeSeparators(FoldersFolderIn(dataFolder))));
        const THistoryFolderList list = ListHistoryFolders(dataFolder);
        const auto known = std::find_if(list.folders.begin(), list.folders.end(),
                                        [&](const THistoryFolder& f) { return f.name == folder; });
        if (known != list.folders.end() && !known->groups.contains(name, Qt::CaseInsensitive) &&
            list.problems.isEmpty())
            return fail(QStringLiteral("no group '%1' in folder '%2'").arg(name, folder));
        operations.OpenGroup(items, folder, positional.first(), false);
        if (!dialogs.messages.isEmpty()) {
            writeLine(err, dialogs.messages.join(QLatin1Char('\n')));
            return 2;
        }
    } else {
        const THistoryOutcome loaded = ReloadHistory(items, dataFolder, view, false);
        if (!loaded.ok) {
            writeLine(err, loaded.message);
            return 2;
        }
    }
    printRows(out, items, json);
    return 0;
}

} // namespace pelmar
