#include "cli/CountCommand.h"

#include "cli/CountOptions.h"
#include "cli/JsonOutput.h"

#include "measure/MeasureFiles.h"
#include "measure/ListWords.h"
#include "measure/MeasureLines.h"
#include "measure/MeasureText.h"
#include "measure/SaveRecord.h"
#include "platform/FileBytes.h"
#include "platform/TextFile.h"
#include "storage/BuiltinWordData.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <iostream>
#include <sstream>

namespace pelmar {
namespace {

constexpr std::size_t kFlushSize = 1u << 16;

void writeLine(std::ostream& stream, const QString& text) {
    stream << text.toUtf8().toStdString() << '\n';
}

QString cannotRead(const QString& name, const QString& reason) {
    return QStringLiteral("pelmar-count: cannot read %1: %2").arg(name, reason);
}

// A FILE argument's bytes; "-" is standard input.
bool readAll(const QString& name, std::istream& in, TFileBytes& bytes, QString& error) {
    if (name == QLatin1String("-")) {
        bytes.readStream(in);
        return true;
    }
    QString reason;
    if (!bytes.readFile(name, reason)) {
        error = cannotRead(name, reason);
        return false;
    }
    return true;
}

bool canOpen(const QString& name, QString& error) {
    if (name == QLatin1String("-"))
        return true;
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        error = cannotRead(name, file.errorString());
        return false;
    }
    return true;
}

// Buffers output and writes it in large pieces; a large piece goes out as it is.
class BufferedOut {
public:
    explicit BufferedOut(std::ostream& out) : m_out(out) { m_buffer.reserve(kFlushSize); }
    ~BufferedOut() { flush(); }
    void write(std::string_view piece) {
        if (m_buffer.size() + piece.size() > kFlushSize) {
            flush();
            if (piece.size() >= kFlushSize) {
                m_out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
                return;
            }
        }
        m_buffer += piece;
    }
    void flush() {
        m_out.write(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
        m_buffer.clear();
        m_out.flush();
    }

private:
    std::ostream& m_out;
    std::string m_buffer;
};

// The copy command's text (the whole result, trimmed) with "\n" line ends and a final one.
class CopyTextOut {
public:
    explicit CopyTextOut(std::ostream& out)
        : m_out(out), m_writer([this](std::string_view piece) { m_out.write(piece); }) {}
    void add(std::string_view line) { m_writer.add(line); }
    void write(std::string_view piece) { m_writer.write(piece); }
    void finish() {
        m_writer.finish();
        if (m_writer.started())
            m_out.write("\n");
        m_out.flush();
    }

private:
    BufferedOut m_out;
    CopyTextWriter m_writer;
};

// A file's bytes as the measurement reads them: its encoding and its lines' part.
struct TextOfFile {
    TextOfFile(std::string_view bytes, int jobs)
        : encoding(detectTextEncoding(bytes, jobs)), body(textFileBody(bytes, encoding)) {}
    TextEncoding encoding;
    std::string_view body;
};

// --- measuring --------------------------------------------------------------------------------

struct Saver {
    const TCountSettings& settings;
    QDateTime last;
    bool save(const TTextCounts& totals, const TWholeTextValues& whole,
              const std::vector<std::string>& lines, const QString& title, std::ostream& err) {
        const QDateTime now = NextSaveTime(last);
        last = now;
        TSaveRecordInput input;
        input.historyFile = QDir(settings.dataDir).filePath(QStringLiteral("pelmar.hst"));
        input.title = title;
        input.lines = &lines;
        input.now = now;
        input.dataFolder = settings.dataDir;
        input.totals = totals;
        input.whole = whole;
        const TSaveRecordResult result = SaveRecord(input);
        if (!result.ok)
            writeLine(err, QStringLiteral("pelmar-count: ") + result.message);
        return result.ok;
    }
};

// One text, measured in blocks on all the jobs; rows and JSON lines stream to the output.
int measureOne(const TCountSettings& settings, const QString& name, std::istream& in, std::ostream& out,
               std::ostream& err, const TDataFile* wordData) {
    TFileBytes bytes;
    QString error;
    if (!readAll(name, in, bytes, error)) {
        writeLine(err, error);
        return 2;
    }
    const TextOfFile text(bytes.view(), settings.jobs);
    if (!TextHasContent(text.body, text.encoding)) {
        writeLine(err, QString::fromUtf8(NoTextMessage));
        return 1;
    }
    const TMeasureOptions& options = settings.options;
    TTextRequest request;
    request.options = &options;
    request.wordData = wordData;
    request.jobs = settings.jobs;
    TTextResult result;
    if (settings.json) {
        BufferedOut json(out);
        std::string piece = "{\"files\":[";
        AppendJsonFileStart(piece, name == QLatin1String("-") ? std::string() : BatchFileName(name));
        json.write(piece);
        request.row = [](std::string& row, std::size_t number, const TTextCounts& counts) {
            if (number > 1)
                row += ',';
            AppendJsonLine(row, counts);
        };
        request.write = [&json](std::string_view rows) { json.write(rows); };
        result = MeasureText(text.body, text.encoding, request);
        piece.clear();
        AppendJsonFileEnd(piece, result.totals, result.whole);
        piece += "]}\n";
        json.write(piece);
    } else {
        CopyTextOut copy(out);
        copy.add(LineHeader(options));
        request.row = [&options](std::string& row, std::size_t number, const TTextCounts& counts) {
            const std::size_t before = row.size();
            AppendLineRow(row, static_cast<int>(number), counts, options);
            if (row.size() != before)
                row += '\n';
        };
        request.write = [&copy](std::string_view rows) { copy.write(rows); };
        result = MeasureText(text.body, text.encoding, request);
        EmitClosingSections(options, TBatchContext{}, result.lines > 0, result.totals, result.whole,
                            [&copy](std::string&& line) { copy.add(line); });
        copy.finish();
    }
    if (settings.save) {
        Saver saver{settings, {}};
        if (!saver.save(result.totals, result.whole, textFileLines(bytes.view()), settings.title, err))
            return 2;
    }
    return 0;
}

int measureBatch(const TCountSettings& settings, std::string_view standardInput, std::ostream& out, std::ostream& err,
                 const TDataFile* wordData) {
    TMeasureOptions options = settings.options;
    // Dropped files always give total rows with index columns.
    if (!options.resultDisplay[display::Total] && !options.resultDisplay[display::Summary])
        options.resultDisplay[display::Total] = options.resultDisplay[display::Summary] = true;

    TBatchCallbacks callbacks;
    // The batch checks the names from the last to the first; report them in argument order.
    QStringList refused;
    callbacks.confirmSkipNonText = [&](const QString& path) {
        refused.prepend(path);
        return true;
    };
    callbacks.isStandardInput = [](const QString& path) { return path == QLatin1String("-"); };
    callbacks.load = [&standardInput](const QString& path, std::vector<std::string>& lines,
                                      QString& error) {
        if (path == QLatin1String("-")) {
            lines = textFileLines(standardInput);
            return true;
        }
        TFileBytes bytes;
        std::istringstream none;
        if (!readAll(path, none, bytes, error))
            return false;
        lines = textFileLines(bytes.view());
        return true;
    };
    QStringList reports;
    callbacks.report = [&](const QString& path, const QString& message) {
        reports << path + QStringLiteral(": ") + message;
    };
    const TBatchResult batch = MeasureFiles(settings.files, options, wordData, callbacks, settings.jobs);

    for (const QString& path : refused)
        writeLine(err, path + QStringLiteral(": ") + QString::fromUtf8(NotTextFileMessage));
    for (const QString& line : reports)
        writeLine(err, line);

    if (settings.json) {
        std::string json = "{\"files\":[";
        for (std::size_t i = 0; i < batch.files.size(); ++i) {
            if (i > 0)
                json += ',';
            const TMeasurement& m = batch.files[i];
            AppendJsonFile(json, BatchFileName(batch.measuredPaths[static_cast<qsizetype>(i)]),
                           m.lines, m.totals, m.whole);
        }
        json += "]}\n";
        out << json;
    } else {
        CopyTextOut text(out);
        for (const auto& line : batch.results)
            text.add(line);
        text.finish();
    }
    out.flush();
    if (settings.save) {
        // Each file is saved under its own name with the text as it was read.
        Saver saver{settings, {}};
        for (std::size_t i = 0; i < batch.files.size(); ++i) {
            const QString& path = batch.measuredPaths[static_cast<qsizetype>(i)];
            std::vector<std::string> lines;
            QString error;
            if (!callbacks.load(path, lines, error)) {
                writeLine(err, error);
                return 2;
            }
            if (!saver.save(batch.files[i].totals, batch.files[i].whole, lines,
                            QString::fromStdString(BatchFileName(path)), err))
                return 2;
        }
    }
    return batch.measured > 0 ? 0 : 1;
}

} // namespace

int RunCountCommand(const QStringList& arguments, std::istream& in, std::ostream& out,
                    std::ostream& err) {
    TCountSettings settings;
    QString error;
    if (!ParseCountArguments(arguments, settings, error)) {
        writeLine(err, QStringLiteral("pelmar-count: ") + error);
        return 2;
    }
    if (settings.action == TCountSettings::Action::Help) {
        out << settings.helpText.toUtf8().toStdString();
        return 0;
    }
    if (settings.action == TCountSettings::Action::Version) {
        writeLine(out, QStringLiteral("pelmar-count " PELMAR_VERSION));
        return 0;
    }
    for (const QString& name : settings.files) {
        if (!canOpen(name, error)) {
            writeLine(err, error);
            return 2;
        }
    }

    const auto wordData = LoadBuiltinWordData();
    if (settings.action == TCountSettings::Action::Words) {
        BufferedOut listing(out);
        for (const QString& name : settings.files) {
            TFileBytes bytes;
            if (!readAll(name, in, bytes, error)) {
                listing.flush();
                writeLine(err, error);
                return 2;
            }
            const TextOfFile text(bytes.view(), settings.jobs);
            ListWords(text.body, text.encoding, wordData.get(), settings.jobs,
                      [&listing](std::string_view piece) { listing.write(piece); });
        }
        return 0;
    }
    if (settings.files.size() == 1)
        return measureOne(settings, settings.files.front(), in, out, err, wordData.get());
    // Standard input is read once, before the files are shared out among the threads; every
    // "-" of the batch is that text.
    TFileBytes standardInput;
    if (settings.files.contains(QStringLiteral("-")))
        standardInput.readStream(in);
    return measureBatch(settings, standardInput.view(), out, err, wordData.get());
}

} // namespace pelmar
