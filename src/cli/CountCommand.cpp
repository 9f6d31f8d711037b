#include "cli/CountCommand.h"

#include "engine/Pelgine.h"
#include "platform/TextFile.h"
#include "storage/BuiltinWordData.h"

#include <QCommandLineParser>
#include <QFile>

#include <iostream>
#include <iterator>
#include <string>

namespace pelmar {
namespace {

constexpr std::size_t kFlushSize = 1u << 16;

struct Input {
    QString name; // as given; "-" for standard input
    std::string bytes;
};

bool readInput(const QString& name, std::istream& in, Input& input, QString& error) {
    input.name = name;
    if (name == QLatin1String("-")) {
        input.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return true;
    }
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("pelmar-count: cannot read %1: %2").arg(name, file.errorString());
        return false;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("pelmar-count: cannot read %1: %2").arg(name, file.errorString());
        return false;
    }
    input.bytes.assign(data.constData(), static_cast<std::size_t>(data.size()));
    return true;
}

bool canOpen(const QString& name, QString& error) {
    if (name == QLatin1String("-"))
        return true;
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("pelmar-count: cannot read %1: %2").arg(name, file.errorString());
        return false;
    }
    return true;
}

// Every line on its own, as a freshly cleared engine sees it; one output line per closed word.
void printWords(TPelgine& engine, const std::string& bytes, std::ostream& out) {
    const TextEncoding encoding = detectTextEncoding(bytes);
    std::string buffer;
    buffer.reserve(kFlushSize + 256);
    engine.OnWordClosed = [&](std::string_view word, int syllables, int consonants) {
        buffer.append(word);
        buffer += '\t';
        buffer += std::to_string(syllables);
        buffer += '\t';
        buffer += std::to_string(consonants);
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

void writeLine(std::ostream& stream, const QString& text) {
    stream << text.toUtf8().toStdString() << '\n';
}

} // namespace

int RunCountCommand(const QStringList& arguments, std::istream& in, std::ostream& out,
                    std::ostream& err) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Counts the words, syllables and consonants of English text, line by line."));
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Displays help on commandline options."));
    const QCommandLineOption versionOption({QStringLiteral("v"), QStringLiteral("version")},
                                           QStringLiteral("Displays version information."));
    const QCommandLineOption wordsOption(
        QStringLiteral("words"),
        QStringLiteral("Prints every word with its syllables and consonants, tab-separated."));
    parser.addOption(helpOption);
    parser.addOption(versionOption);
    parser.addOption(wordsOption);
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QStringLiteral("Text files (UTF-8 or CP932); standard input "
                                                "when none or \"-\"."),
                                 QStringLiteral("[FILE...]"));

    QStringList argv = arguments;
    argv.prepend(QStringLiteral("pelmar-count"));
    if (!parser.parse(argv)) {
        writeLine(err, QStringLiteral("pelmar-count: ") + parser.errorText());
        return 2;
    }
    if (parser.isSet(helpOption)) {
        out << parser.helpText().toUtf8().toStdString();
        return 0;
    }
    if (parser.isSet(versionOption)) {
        writeLine(out, QStringLiteral("pelmar-count " PELMAR_VERSION));
        return 0;
    }
    if (!parser.isSet(wordsOption)) {
        writeLine(err, QStringLiteral("pelmar-count: only --words is available in this version"));
        return 2;
    }

    QStringList files = parser.positionalArguments();
    if (files.isEmpty())
        files << QStringLiteral("-");
    QString error;
    for (const QString& name : files) {
        if (!canOpen(name, error)) {
            writeLine(err, error);
            return 2;
        }
    }

    const auto wordData = LoadBuiltinWordData();
    TPelgine engine;
    engine.Dictionary = wordData.get();
    for (const QString& name : files) {
        Input input;
        if (!readInput(name, in, input, error)) {
            out.flush();
            writeLine(err, error);
            return 2;
        }
        printWords(engine, input.bytes, out);
    }
    out.flush();
    return 0;
}

} // namespace pelmar
