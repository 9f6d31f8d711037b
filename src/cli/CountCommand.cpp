#include "cli/CountCommand.h"

#include "cli/CountOptions.h"

#include "engine/Pelgine.h"
#include "measure/MeasureFiles.h"
#include "measure/MeasureLines.h"
#include "measure/SaveRecord.h"
#include "measure/Vocabulary.h"
#include "platform/TextFile.h"
#include "storage/BuiltinWordData.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <optional>
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

bool readAll(const QString& name, std::istream& in, std::string& bytes, QString& error) {
    if (name == QLatin1String("-")) {
        char buffer[1 << 16];
        while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
            bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
        return true;
    }
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        error = cannotRead(name, file.errorString());
        return false;
    }
    // Straight into the string: a second copy of a large file would double the memory.
    if (file.size() > 0)
        bytes.reserve(static_cast<std::size_t>(file.size()));
    char chunk[1 << 16];
    for (;;) {
        const qint64 n = file.read(chunk, sizeof chunk);
        if (n < 0) {
            error = cannotRead(name, file.errorString());
            return false;
        }
        if (n == 0)
            break;
        bytes.append(chunk, static_cast<std::size_t>(n));
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

// Every line on its own, as a freshly cleared engine sees it; one output line per closed word.
void printWords(TPelgine& engine, const std::string& bytes, std::ostream& out) {
    const TextEncoding encoding = detectTextEncoding(bytes);
    std::string buffer;
    buffer.reserve(kFlushSize + 256);
    auto appendNumber = [&buffer](int value) {
        char digits[16];
        const auto result = std::to_chars(digits, digits + sizeof digits, value);
        buffer.append(digits, result.ptr);
    };
    engine.OnWordClosed = [&](std::string_view word, int syllables, int consonants) {
        buffer.append(word);
        buffer += '\t';
        appendNumber(syllables);
        buffer += '\t';
        appendNumber(consonants);
        buffer += '\n';
    };
    for (std::string_view line : splitLines(textFileBody(bytes, encoding))) {
        engine.Clear();
        engine.Text = lineToCp932(line, encoding);
        engine.Analyze();
        if (buffer.size() >= kFlushSize) {
            out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            buffer.clear();
        }
    }
    out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    engine.OnWordClosed = nullptr;
}

// Buffers output and writes it in large pieces.
class BufferedOut {
public:
    explicit BufferedOut(std::ostream& out) : m_out(out) { m_buffer.reserve(kFlushSize + 4096); }
    ~BufferedOut() { flush(); }
    void write(std::string_view piece) {
        m_buffer += piece;
        if (m_buffer.size() >= kFlushSize)
            flush();
    }
    void flush() {
        m_out.write(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
        m_buffer.clear();
    }

private:
    std::ostream& m_out;
    std::string m_buffer;
};

// The copy command's text (the whole result, trimmed) with "\n" line ends and a final one.
class CopyTextOut {
public:
    explicit CopyTextOut(std::ostream& out)
        : m_out(out), m_writer([this](std::string_view piece) {
              m_out.write(piece);
              m_any = true;
          }) {}
    void add(std::string_view line) { m_writer.add(line); }
    void finish() {
        m_writer.finish();
        if (m_any)
            m_out.write("\n");
        m_out.flush();
    }

private:
    BufferedOut m_out;
    CopyTextWriter m_writer;
    bool m_any = false;
};

// --- JSON for scripts -------------------------------------------------------------------------

void jsonString(std::string& out, std::string_view text) {
    out += '"';
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", u);
            out += buffer;
        } else {
            out += c;
        }
    }
    out += '"';
}

void jsonNumber(std::string& out, double value) {
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(value));
    out.append(buffer, result.ptr);
}

// An object of `count` members: keyOf(i) gives a member's key, writeValue(i) writes its value.
template <typename Key, typename Value>
void jsonObject(std::string& out, int count, Key keyOf, Value writeValue) {
    out += '{';
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            out += ',';
        jsonString(out, keyOf(i));
        out += ':';
        writeValue(i);
    }
    out += '}';
}

std::string_view columnKey(int position) {
    return vocab::ColumnKeys[static_cast<std::size_t>(position)];
}

void jsonCounts(std::string& out, const TTextCounts& counts) {
    jsonObject(out, 9, columnKey, [&](int i) { out += std::to_string(counts.count(i)); });
}

void jsonMeasurement(std::string& out, const TMeasurement& m, std::string_view name) {
    static constexpr std::array<bool, IndexCount> allIndices = {
        true, true, true, true, true, true, true, true, true, true, true};
    auto indexKey = [](int k) { return columnKey(k + 9); };
    out += "{\"name\":";
    jsonString(out, name);
    out += ",\"lines\":[";
    for (std::size_t i = 0; i < m.lines.size(); ++i) {
        const TTextCounts& line = m.lines[i];
        if (i > 0)
            out += ',';
        out += "{\"counts\":";
        jsonCounts(out, line);
        out += ",\"openSentence\":";
        out += line.OpenSentence ? "true" : "false";
        out += ",\"openClause\":";
        out += line.OpenClause ? "true" : "false";
        out += ",\"openPhrase\":";
        out += line.OpenPhrase ? "true" : "false";
        out += ",\"indices\":";
        const LineIndexValues values = LineIndices(line, allIndices);
        jsonObject(out, IndexCount, indexKey, [&](int k) {
            if (const auto& value = values[static_cast<std::size_t>(k)])
                jsonNumber(out, *value);
            else
                out += "null";
        });
        out += '}';
    }
    out += "],\"totals\":";
    jsonCounts(out, m.totals);
    out += ",\"ratios\":";
    jsonObject(out, 11, [](int i) { return columnKey(22 + i); },
               [&](int i) { jsonNumber(out, m.whole.ratios.byPosition(22 + i)); });
    out += ",\"styles\":";
    const int styles[] = {m.whole.styles.dia, m.whole.styles.com, m.whole.styles.tec,
                          m.whole.styles.gen};
    jsonObject(out, 4, [](int i) { return vocab::StyleKeys[static_cast<std::size_t>(i)]; },
               [&](int i) { out += std::to_string(styles[i]); });
    out += ",\"tenths\":";
    jsonObject(out, IndexCount, indexKey, [&](int k) {
        out += std::to_string(m.whole.tenths[static_cast<std::size_t>(k)]);
    });
    out += '}';
}

// --- measuring --------------------------------------------------------------------------------

struct Saver {
    const TCountSettings& settings;
    QDateTime last;
    bool save(const TMeasurement& m, const std::vector<std::string>& lines, const QString& title,
              std::ostream& err) {
        const QDateTime now = NextSaveTime(last);
        last = now;
        TSaveRecordInput input;
        input.historyFile = QDir(settings.dataDir).filePath(QStringLiteral("pelmar.hst"));
        input.title = title;
        input.lines = &lines;
        input.now = now;
        input.dataFolder = settings.dataDir;
        input.totals = m.totals;
        input.whole = m.whole;
        const TSaveRecordResult result = SaveRecord(input);
        if (!result.ok)
            writeLine(err, QStringLiteral("pelmar-count: ") + result.message);
        return result.ok;
    }
};

int measureOne(const TCountSettings& settings, const QString& name, std::istream& in, std::ostream& out,
               std::ostream& err, const TDataFile* wordData) {
    std::string bytes;
    QString error;
    if (!readAll(name, in, bytes, error)) {
        writeLine(err, error);
        return 2;
    }
    std::vector<std::string> lines = textFileLines(bytes);
    bytes = std::string();
    if (!HasText(lines)) {
        writeLine(err, QString::fromUtf8(NoTextMessage));
        return 1;
    }
    const std::vector<std::string> measured = settings.save ? lines : std::vector<std::string>();
    TPelgine engine;
    engine.Dictionary = wordData;
    TMeasureRequest request;
    request.options = &settings.options;
    request.keepLineCounts = settings.json;
    std::optional<CopyTextOut> text;
    if (!settings.json) {
        text.emplace(out);
        request.sink = [&text](std::string_view line) { text->add(line); };
    }
    const TMeasurement m = MeasureLines(lines, engine, request);
    if (settings.json) {
        std::string json = "{\"files\":[";
        jsonMeasurement(json, m, name == QLatin1String("-") ? std::string() : BatchFileName(name));
        json += "]}\n";
        out << json;
    } else {
        text->finish();
    }
    out.flush();
    if (settings.save) {
        Saver saver{settings, {}};
        if (!saver.save(m, measured, settings.title, err))
            return 2;
    }
    return 0;
}

int measureBatch(const TCountSettings& settings, const std::string& standardInput, std::ostream& out, std::ostream& err,
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
        std::string bytes;
        std::istringstream none;
        if (!readAll(path, none, bytes, error))
            return false;
        lines = textFileLines(bytes);
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
            jsonMeasurement(json, batch.files[i], BatchFileName(batch.measuredPaths[static_cast<qsizetype>(i)]));
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
            if (!saver.save(batch.files[i], lines, QString::fromStdString(BatchFileName(path)), err))
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
        TPelgine engine;
        engine.Dictionary = wordData.get();
        for (const QString& name : settings.files) {
            std::string bytes;
            if (!readAll(name, in, bytes, error)) {
                writeLine(err, error);
                return 2;
            }
            printWords(engine, bytes, out);
        }
        out.flush();
        return 0;
    }
    if (settings.files.size() == 1)
        return measureOne(settings, settings.files.front(), in, out, err, wordData.get());
    // Standard input is read once, before the files are shared out among the threads; every
    // "-" of the batch is that text.
    std::string standardInput;
    if (settings.files.contains(QStringLiteral("-")))
        (void)readAll(QStringLiteral("-"), in, standardInput, error);
    return measureBatch(settings, standardInput, out, err, wordData.get());
}

} // namespace pelmar
