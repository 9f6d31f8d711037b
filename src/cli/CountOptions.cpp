#include "cli/CountOptions.h"

#include "measure/Formulas.h"
#include "measure/Vocabulary.h"
#include "platform/AppPaths.h"

#include <QCommandLineParser>
#include <QHash>

#include <algorithm>
#include <span>
#include <string_view>
#include <thread>
#include <vector>

namespace pelmar {
namespace {

constexpr std::string_view kShowNames[display::Count] = {
    "total", "summary", "legend", "no",   "sent",    "phrase",
    "words", "sylla",   "1syl",   "3syl", "letters", "cons"};
constexpr std::string_view kViewNames[] = {"full", "simple", "readability"};
constexpr ViewMode kViewModes[] = {ViewMode::Full, ViewMode::Simple, ViewMode::Readability};
const std::span<const std::string_view> kIndexKeys(vocab::ColumnKeys.data() + 9, IndexCount);

// The items of a comma-separated list, blanks around each dropped; empty items are skipped.
QStringList listItems(const QString& list) {
    QStringList items;
    for (const QString& item : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString name = item.trimmed();
        if (!name.isEmpty())
            items << name;
    }
    return items;
}

// The position of `name` among `names` without regard to case, or -1.
int positionOf(const QString& name, std::span<const std::string_view> names) {
    for (std::size_t k = 0; k < names.size(); ++k) {
        const QLatin1StringView known(names[k].data(), static_cast<qsizetype>(names[k].size()));
        if (name.compare(known, Qt::CaseInsensitive) == 0)
            return static_cast<int>(k);
    }
    return -1;
}

QString unknown(const char* what, const QString& name) {
    return QStringLiteral("unknown %1 '%2'").arg(QLatin1String(what), name);
}

// One option's value, applied to the measurement options in the order the options came.
class ListOptions {
public:
    explicit ListOptions(TMeasureOptions& options) : m_options(options) {}

    bool view(const QString& value, QString& error) {
        const int mode = positionOf(value.trimmed(), kViewNames);
        if (mode < 0) {
            error = QStringLiteral("unknown view '%1' (full, simple or readability)").arg(value);
            return false;
        }
        m_options.ApplyViewMode(kViewModes[mode]);
        m_showSets = true;
        return true;
    }

    bool show(const QString& list, QString& error) {
        std::vector<int> positions;
        for (const QString& name : listItems(list)) {
            const int at = positionOf(name, kShowNames);
            if (at < 0) {
                error = unknown("result item", name);
                return false;
            }
            positions.push_back(at);
        }
        if (m_showSets)
            m_options.resultDisplay.fill(false);
        m_showSets = false;
        for (int p : positions)
            m_options.resultDisplay[static_cast<std::size_t>(p)] = true;
        return true;
    }

    bool index(const QString& list, QString& error) {
        std::vector<int> positions;
        bool all = false;
        for (const QString& name : listItems(list)) {
            if (name.compare(QLatin1String("all"), Qt::CaseInsensitive) == 0) {
                all = true;
                continue;
            }
            const int at = positionOf(name, kIndexKeys);
            if (at < 0) {
                error = unknown("index", name);
                return false;
            }
            positions.push_back(at);
        }
        if (all)
            m_options.readability.fill(true);
        for (int p : positions)
            m_options.readability[static_cast<std::size_t>(p)] = true;
        return true;
    }

    bool condition(const QString& list, QString& error) {
        std::vector<int> numbers;
        for (const QString& item : listItems(list)) {
            bool ok = false;
            const int n = item.toInt(&ok);
            if (!ok || n < 1 || n > condition::Count) {
                error = QStringLiteral("condition must be 1 to 5, not '%1'").arg(item);
                return false;
            }
            numbers.push_back(n);
        }
        for (int n : numbers)
            m_options.conditions[static_cast<std::size_t>(n - 1)] = true;
        return true;
    }

private:
    TMeasureOptions& m_options;
    bool m_showSets = true; // the next --show sets exactly its items
};

} // namespace

bool ParseCountArguments(const QStringList& arguments, TCountSettings& settings, QString& error) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Measures English text line by line and prints the tab-separated result the copy "
        "command gives: words, syllables, letters, consonants and, on request, sentences, "
        "phrases and readability indices.\n"
        "Options apply in the order given. Lists are comma-separated; names, keys and view "
        "modes match without regard to case, and blanks around them are ignored."));
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Displays help on commandline options."));
    const QCommandLineOption versionOption({QStringLiteral("v"), QStringLiteral("version")},
                                           QStringLiteral("Displays version information."));
    const QCommandLineOption viewOption(
        QStringLiteral("view"),
        QStringLiteral("Result display mode: full, simple or readability; sets the result items "
                       "of that mode."),
        QStringLiteral("mode"));
    const QCommandLineOption showOption(
        QStringLiteral("show"),
        QStringLiteral("Result items to show: total, summary, legend, no, sent, phrase, words, "
                       "sylla, 1syl, 3syl, letters, cons. The first --show after a --view (or "
                       "with none before it) sets exactly these items; each further --show adds "
                       "its items."),
        QStringLiteral("list"));
    const QCommandLineOption indexOption(
        QStringLiteral("index"),
        QStringLiteral("Readability indices: PMJP, PMEN, FKGL, CLI, FORC, FryG, GFog, SMOG, LWF, "
                       "ARI, FRES, or all anywhere in the list. Repeated options add up."),
        QStringLiteral("list"));
    const QCommandLineOption conditionOption(
        QStringLiteral("condition"),
        QStringLiteral("Measurement conditions, numbers 1 to 5; repeated options add up. 1 "
                       "hyphenated words are one word, 2 a sentence may start in lower case, 3 "
                       "a line break ends a sentence, 4 blank lines end nothing, 5 a semicolon "
                       "ends no sentence."),
        QStringLiteral("list"));
    const QCommandLineOption jobsOption(
        QStringLiteral("jobs"),
        QStringLiteral("Threads that measure (default: cores): a long text is shared out in "
                       "blocks of lines, a batch file by file. The output is the same for any "
                       "number."),
        QStringLiteral("n"));
    const QCommandLineOption wordsOption(
        QStringLiteral("words"),
        QStringLiteral("Prints every word with its syllables and consonants, tab-separated."));
    const QCommandLineOption jsonOption(
        QStringLiteral("json"),
        QStringLiteral("Prints per-line counts, totals, ratios, style scores and indices as JSON."));
    const QCommandLineOption saveOption(
        QStringLiteral("save"),
        QStringLiteral("Saves the finished measurement in the history under this title (in a "
                       "batch each file is saved under its own name)."),
        QStringLiteral("title"));
    const QCommandLineOption dataDirOption(
        QStringLiteral("data-dir"),
        QStringLiteral("Folder of the history file and saved texts (default: the program's data "
                       "folder)."),
        QStringLiteral("dir"));
    for (const auto* option : {&helpOption, &versionOption, &viewOption, &showOption, &indexOption,
                               &conditionOption, &jobsOption, &wordsOption, &jsonOption, &saveOption,
                               &dataDirOption})
        parser.addOption(*option);
    parser.addPositionalArgument(
        QStringLiteral("files"),
        QStringLiteral("Text files (UTF-8 or CP932); standard input when none or \"-\". Several "
                       "files are measured as a batch of .txt files, one row each; \"-\" among "
                       "them is standard input, in a row named \"-\"."),
        QStringLiteral("[FILE...]"));

    QStringList argv = arguments;
    argv.prepend(QStringLiteral("pelmar-count"));
    if (!parser.parse(argv)) {
        error = parser.errorText();
        return false;
    }
    if (parser.isSet(helpOption)) {
        settings.action = TCountSettings::Action::Help;
        settings.helpText = parser.helpText();
        return true;
    }
    if (parser.isSet(versionOption)) {
        settings.action = TCountSettings::Action::Version;
        return true;
    }

    // The parser keeps each option's values apart; the order of the names says how they
    // interleave.
    ListOptions lists(settings.options);
    QHash<QString, int> seen;
    for (const QString& name : parser.optionNames()) {
        const int k = seen[name]++;
        bool ok = true;
        if (name == viewOption.names().front())
            ok = lists.view(parser.values(viewOption).value(k), error);
        else if (name == showOption.names().front())
            ok = lists.show(parser.values(showOption).value(k), error);
        else if (name == indexOption.names().front())
            ok = lists.index(parser.values(indexOption).value(k), error);
        else if (name == conditionOption.names().front())
            ok = lists.condition(parser.values(conditionOption).value(k), error);
        if (!ok)
            return false;
    }

    if (parser.isSet(wordsOption))
        settings.action = TCountSettings::Action::Words;
    settings.json = parser.isSet(jsonOption);
    settings.jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    if (parser.isSet(jobsOption)) {
        bool ok = false;
        settings.jobs = parser.value(jobsOption).trimmed().toInt(&ok);
        if (!ok || settings.jobs < 1 || settings.jobs > 256) {
            error = QStringLiteral("jobs must be a number from 1 to 256");
            return false;
        }
    }
    settings.save = parser.isSet(saveOption);
    settings.title = parser.value(saveOption);
    settings.dataDir = parser.isSet(dataDirOption) ? parser.value(dataDirOption) : AppDataFolder();
    if (settings.save && settings.action == TCountSettings::Action::Words) {
        error = QStringLiteral("--save measures; it does not go with --words");
        return false;
    }
    settings.files = parser.positionalArguments();
    if (settings.files.isEmpty())
        settings.files << QStringLiteral("-");
    return true;
}

} // namespace pelmar
