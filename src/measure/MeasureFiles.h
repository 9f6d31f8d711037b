#pragma once

#include "measure/MeasureLines.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

namespace pelmar {

class TDataFile;

inline constexpr char NotTextFileMessage[] = "扱えるのは テキストファイル(.txt)だけです";
inline constexpr char NoTextMessage[] = "テキストがありません";
inline constexpr char FileNotExistMessage[] = "file not exist";

// Only ".txt" files (any letter case) are measured in a batch.
[[nodiscard]] bool IsTextFileName(const QString& path);
// A file's name without its folder and its last extension, as batch rows name it.
[[nodiscard]] std::string BatchFileName(const QString& path);
// Whether a file's lines hold anything but blanks and control characters.
[[nodiscard]] bool HasText(const std::vector<std::string>& lines);

struct TBatchCallbacks {
    // A path the caller reads without a file (the command line's "-", standard input): measured
    // whatever its extension and never reported missing. May be empty.
    std::function<bool(const QString& path)> isStandardInput;
    // A path that is no ".txt" file: true skips it and goes on, false abandons the batch.
    std::function<bool(const QString& path)> confirmSkipNonText;
    // Reads a file as CP932 lines; false with a message when it cannot.
    std::function<bool(const QString& path, std::vector<std::string>& lines, QString& error)> load;
    // A file that gives no row, with the reason; called in the order of the paths.
    std::function<void(const QString& path, const QString& message)> report;
};

struct TBatchResult {
    bool abandoned = false;
    int measured = 0;
    ResultLines results; // the first measured file's header, one row per file, the legend
    std::vector<TMeasurement> files; // the measured files in order
    QStringList measuredPaths;       // their paths
};

// Measures every ".txt" file of the batch on its own, on up to `jobs` threads, each with its
// own engine over the shared word data; the output is the same for any number of jobs.
[[nodiscard]] TBatchResult MeasureFiles(const QStringList& paths, const TMeasureOptions& options,
                                        const TDataFile* wordData, const TBatchCallbacks& callbacks,
                                        int jobs);

} // namespace pelmar
