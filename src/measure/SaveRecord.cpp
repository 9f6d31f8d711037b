#include "measure/SaveRecord.h"

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

QString saveFailure(const QString& path, const SaveResult& result) {
    if (!result.message.isEmpty())
        return result.message;
    return QStringLiteral("%1 に書き込めません (%2)").arg(QDir::toNativeSeparators(path)).arg(result.code);
}

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
    result.key = RecordKey(input.now);
    result.textFile = QDir(input.dataFolder).filePath(QStringLiteral("texts/") + SavedTextName(input.now));

    std::unique_ptr<TDataFile> history = std::make_unique<TDataIndexFile>(input.historyFile);
    if (!history->CreateResult().ok() && QFileInfo::exists(input.historyFile)) {
        result.message = QStringLiteral("履歴ファイル %1 を読み込めないため、記録できません")
                             .arg(QDir::toNativeSeparators(input.historyFile));
        return result;
    }

    const std::string& section = result.key;
    for (int position = 0; position < 9; ++position)
        history->WriteInteger(section, vocab::ColumnKeys[static_cast<std::size_t>(position)],
                              input.totals.count(position));
    for (ReadabilityIndex index : kWriteOrder) {
        const auto i = static_cast<std::size_t>(index);
        history->WriteInteger(section, vocab::ColumnKeys[i + 9], input.whole.tenths[i]);
    }
    // A line break in the title would start new lines in the history file.
    QString title = input.title;
    title.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    history->WriteString(section, vocab::ColumnKeys[21], toCp932(title));
    history->AddToSection(input.listName, section);

    // The text first, then the history in one atomic replace: a record never points at a text
    // that is not there, and a failed save leaves nothing behind, so trying again gives exactly
    // one record.
    const bool textExisted = QFileInfo::exists(result.textFile);
    TCompressStringList text;
    if (input.lines)
        text.SetLines(*input.lines);
    const SaveResult textSaved = text.SaveToFile(result.textFile);
    if (!textSaved.ok()) {
        result.message = saveFailure(result.textFile, textSaved);
        return result;
    }
    const SaveResult historySaved = SaveAndFree(history);
    if (!historySaved.ok()) {
        if (!textExisted)
            QFile::remove(result.textFile);
        result.message = saveFailure(input.historyFile, historySaved);
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace pelmar
