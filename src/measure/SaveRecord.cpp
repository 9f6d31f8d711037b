#include "measure/SaveRecord.h"

#include "history/HistoryFile.h"
#include "measure/Vocabulary.h"
#include "platform/Cp932.h"
#include "storage/DataFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace pelmar {
namespace {

// The order in which a record's index tenths are written.
constexpr ReadabilityIndex kWriteOrder[] = {
    ReadabilityIndex::PMJP, ReadabilityIndex::PMEN, ReadabilityIndex::FRES, ReadabilityIndex::FKGL,
    ReadabilityIndex::FORC, ReadabilityIndex::FryG, ReadabilityIndex::GFog, ReadabilityIndex::SMOG,
    ReadabilityIndex::LWF,  ReadabilityIndex::ARI,  ReadabilityIndex::CLI,
};

} // namespace

QDateTime NextSaveTime(const QDateTime& previous) {
    QDateTime now = QDateTime::currentDateTime();
    now.setTime(QTime(now.time().hour(), now.time().minute(), now.time().second()));
    if (previous.isValid() && now <= previous)
        now = previous.addSecs(1);
    return now;
}

std::string RecordKey(const QDateTime& time) {
    return time.toString(QStringLiteral("yyyy/MM/dd hh:mm:ss")).toStdString();
}

QString SavedTextName(const QDateTime& time) {
    return QStringLiteral("pm") + time.toString(QStringLiteral("yyyyMMddhhmmss")) +
           QStringLiteral(".dat");
}

TSaveRecordResult SaveRecord(const TSaveRecordInput& input) {
    TSaveRecordResult result;
    QString textFailure;
    bool textWritten = false;
    // One change of the history under its lock, so saves of other processes are neither lost
    // nor overwritten.
    const THistoryOutcome outcome = ChangeHistoryFile(input.historyFile, [&](TDataIndexFile& history) {
        // The key is the save time; a second the file or the saved texts already know is taken,
        // whichever process took it, and the next free one is used.
        QDateTime time = input.now;
        for (;;) {
            result.key = RecordKey(time);
            result.textFile = QDir(input.dataFolder)
                                  .filePath(QStringLiteral("texts/") + SavedTextName(time));
            if (!history.SectionExists(result.key) && !QFileInfo::exists(result.textFile))
                break;
            time = time.addSecs(1);
        }

        const std::string& section = result.key;
        for (int position = 0; position < 9; ++position)
            history.WriteInteger(section, vocab::ColumnKeys[static_cast<std::size_t>(position)],
                                 input.totals.count(position));
        for (ReadabilityIndex index : kWriteOrder) {
            const auto i = static_cast<std::size_t>(index);
            history.WriteInteger(section, vocab::ColumnKeys[i + 9], input.whole.tenths[i]);
        }
        // A line break in the title would start new lines in the history file.
        QString title = input.title;
        title.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        history.WriteString(section, vocab::ColumnKeys[21], toCp932(title));
        history.AddToSection(input.listName, section);

        // The text before the record: a record whose text could not be kept is not written.
        TCompressStringList text;
        if (input.lines)
            text.SetLines(*input.lines);
        const SaveResult textSaved = text.SaveToFile(result.textFile);
        if (!textSaved.ok()) {
            textFailure = WriteFailureMessage(result.textFile, textSaved);
            return false;
        }
        textWritten = true;
        return true;
    });
    if (!textFailure.isEmpty()) {
        result.message = textFailure;
        return result;
    }
    if (!outcome.ok) {
        if (outcome.unreadable) {
            result.message = QStringLiteral("履歴ファイル %1 を読み込めないため、記録できません")
                                 .arg(QDir::toNativeSeparators(input.historyFile));
        } else {
            // The record could not be written: its text goes as well.
            if (textWritten)
                QFile::remove(result.textFile);
            result.message = outcome.message;
        }
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace pelmar
