#pragma once

#include "engine/TextCounts.h"
#include "measure/Formulas.h"

#include <QDateTime>
#include <QString>

#include <string>
#include <string_view>
#include <vector>

namespace pelmar {

struct TSaveRecordInput {
    QString historyFile;                  // normally <data folder>/pelmar.hst
    std::string listName = "Index";       // the list section the record key joins
    QString title;
    const std::vector<std::string>* lines = nullptr; // the measured text, CP932 lines
    QDateTime now;                        // the save time: record key and text file name
    QString dataFolder;                   // the text copy goes to <dataFolder>/texts/
    TTextCounts totals;
    TWholeTextValues whole;
};

struct TSaveRecordResult {
    bool ok = false;
    QString message;       // the text to show when ok is false
    std::string key;       // "yyyy/mm/dd hh:nn:ss", the record's section name
    QString textFile;      // <dataFolder>/texts/pm<yyyymmddhhnnss>.dat
};

// Writes one measurement as a record section (nine counts, eleven index tenths, the title) into
// the history file, adds its key to the list section and saves a compressed copy of the text:
// both or neither. The history is changed under its lock file and replaced atomically, so
// other processes saving at the same time lose nothing; a second already taken in the file
// (or by a saved text) moves the key to the next free one, which `key` reports.
// A history file that exists but cannot be read is left alone: writing it back would drop every
// record it holds.
[[nodiscard]] TSaveRecordResult SaveRecord(const TSaveRecordInput& input);

// The time for the next save: now to the second, but always after `previous` (when valid).
// Records are keyed by their save time, so a second save in the same second would replace
// the first record and its text.
[[nodiscard]] QDateTime NextSaveTime(const QDateTime& previous);

// The record key of a save time, and the text file name that goes with it.
[[nodiscard]] std::string RecordKey(const QDateTime& time);
[[nodiscard]] QString SavedTextName(const QDateTime& time);

} // namespace pelmar
