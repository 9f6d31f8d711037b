#include "tools/manual/ExampleHistory.h"

#include "history/HistoryDialogs.h"
#include "history/HistoryFile.h"
#include "history/HistoryFolders.h"
#include "measure/MeasureOptions.h"
#include "measure/MeasureText.h"
#include "measure/SaveRecord.h"
#include "platform/TextFile.h"
#include "storage/BuiltinWordData.h"
#include "storage/DataFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <deque>

namespace pelmar::manual {

namespace {

// Answers the folder operations' questions from a script: each input box gets the next answer
// (none left: cancel), every question is answered yes, and any message is a failure, since an
// example history that the program complains about would show the reader something else.
class TScriptedDialogs : public THistoryDialogs {
public:
    std::deque<QString> answers;
    QString failure;
    void message(const QString& text) override { failure = text; }
    bool askYesNo(const QString&) override { return true; }
    bool askYesCancel(const QString&) override { return true; }
    std::optional<QString> input(const QString&, const QString&, const QString&) override {
        if (answers.empty())
            return std::nullopt;
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void infoMessage(const QString& text) override { failure = text; }
};

QString saveExample(const QStringList& fields, const QString& examplesFolder,
                    const QString& dataFolder, const TDataFile& wordData) {
    const QDateTime time = QDateTime::fromString(fields.value(1), QStringLiteral("yyyy/MM/dd hh:mm:ss"));
    if (!time.isValid())
        return QStringLiteral("the time '%1' is not yyyy/MM/dd hh:mm:ss").arg(fields.value(1));
    QFile file(QDir(examplesFolder).filePath(fields.value(3)));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("%1 cannot be read").arg(fields.value(3));
    const QByteArray bytes = file.readAll();
    const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    const TextEncoding encoding = detectTextEncoding(view);
    const TMeasureOptions options;
    TTextRequest request;
    request.options = &options;
    request.wordData = &wordData;
    const TTextResult measured = MeasureText(textFileBody(view, encoding), encoding, request);
    const std::vector<std::string> lines = textFileLines(view);

    TSaveRecordInput input;
    input.historyFile = HistoryFileIn(dataFolder);
    input.title = fields.value(2);
    input.lines = &lines;
    input.now = time;
    input.dataFolder = dataFolder;
    input.totals = measured.totals;
    input.whole = measured.whole;
    const TSaveRecordResult saved = SaveRecord(input);
    if (!saved.ok)
        return saved.message;
    if (saved.key != RecordKey(time))
        return QStringLiteral("the time %1 is taken").arg(fields.value(1));
    return {};
}

} // namespace

QString WriteExampleHistory(const QString& script, const QString& examplesFolder,
                            const QString& dataFolder) {
    QFile file(script);
    const QString name = QFileInfo(script).fileName();
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("%1: cannot be read").arg(name);
    const std::unique_ptr<TDataFile> wordData = LoadBuiltinWordData();
    QDir().mkpath(dataFolder);
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        const QString command = fields.first();
        QString error;
        TScriptedDialogs dialogs;
        THistoryFolders folders(dataFolder, dialogs);
        if (command == QLatin1String("save") && fields.size() == 4) {
            error = saveExample(fields, examplesFolder, dataFolder, *wordData);
        } else if (command == QLatin1String("folder") && fields.size() == 2) {
            // Its name, and no first group: the script files groups on its own lines.
            dialogs.answers = {fields[1]};
            if (!folders.NewFolder() && dialogs.failure.isEmpty())
                error = QStringLiteral("the folder was not made");
        } else if (command == QLatin1String("group") && fields.size() == 3) {
            // The window offers new groups only in folders that exist.
            const THistoryFolderList known = ListHistoryFolders(dataFolder);
            if (std::none_of(known.folders.begin(), known.folders.end(),
                             [&](const THistoryFolder& f) { return f.name == fields[1]; }))
                return QStringLiteral("%1:%2: no folder '%3'").arg(name).arg(i + 1).arg(fields[1]);
            dialogs.answers = {fields[2]};
            (void)folders.NewGroup(fields[1]);
        } else {
            error = QStringLiteral("not a line this script knows");
        }
        if (error.isEmpty())
            error = dialogs.failure;
        if (!error.isEmpty())
            return QStringLiteral("%1:%2: %3").arg(name).arg(i + 1).arg(error);
    }
    return {};
}

} // namespace pelmar::manual
