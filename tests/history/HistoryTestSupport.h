#pragma once

#include "history/HistoryDialogs.h"
#include "storage/DataFile.h"

#include <QFile>
#include <QStringList>

#include <sys/stat.h>

#include <deque>
#include <ostream>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

// Readable failure messages for Qt strings.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* out) {
    *out << '{';
    for (const QString& text : list)
        *out << " \"" << text.toStdString() << '"';
    *out << " }";
}
QT_END_NAMESPACE

namespace pelmar::test {

using Lines = std::vector<std::string>;

// A record section as the program writes it: the counts, the index tenths in write order and
// the title. `values` are by column position (9 counts, then PMJP..FRES tenths).
inline Lines recordSection(const std::string& key, const std::vector<int>& values,
                           const std::string& title) {
    static const char* const keys[] = {"sent", "clau", "phra", "word", "syll", "syl1", "syl3",
                                       "cons", "lett", "PMJP", "PMEN", "FKGL", "CLI",  "FORC",
                                       "FryG", "GFog", "SMOG", "LWF",  "ARI",  "FRES"};
    static const int writeOrder[] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,
                                     10, 19, 11, 13, 14, 15, 16, 17, 18, 12};
    std::string header = "[";
    header.append(key).append("]");
    Lines lines{header};
    for (int position : writeOrder) {
        const int v = position < static_cast<int>(values.size()) ? values[static_cast<std::size_t>(position)] : 0;
        std::string line = keys[position];
        line.append("=").append(std::to_string(v));
        lines.push_back(line);
    }
    std::string titleLine = "TITL=";
    titleLine.append(title);
    lines.push_back(titleLine);
    return lines;
}

inline Lines join(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// Writes the lines as a history file (a BDC1 container), creating its folder.
inline void writeHistory(const QString& path, const Lines& lines) {
    TDataIndexFile file(QString{});
    file.SetLines(lines);
    const SaveResult saved = file.SaveToFile(path);
    if (!saved.ok())
        throw std::runtime_error("cannot write " + path.toStdString());
}

inline Lines readHistory(const QString& path) {
    TDataIndexFile file(path);
    return file.Lines();
}

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// The file's identity on disk: an atomic replacement gives it a new one.
inline unsigned long long inodeOf(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return 0;
    return static_cast<unsigned long long>(info.st_ino);
}

// Answers from queues and keeps what was asked. An empty queue answers Yes, or the initial
// text of an input box.
class TFakeDialogs : public THistoryDialogs {
public:
    QStringList messages, questions, inputs, infos;
    std::deque<bool> answers;
    std::deque<std::optional<QString>> inputAnswers;
    // Runs before each question is answered, so a test can act while the user thinks.
    std::function<void()> whileAsking;

    void message(const QString& text) override { messages << text; }
    bool askYesNo(const QString& text) override { return answer(QStringLiteral("YN|") + text); }
    bool askYesCancel(const QString& text) override {
        return answer(QStringLiteral("YC|") + text);
    }
    std::optional<QString> input(const QString& caption, const QString& prompt,
                                 const QString& initial) override {
        inputs << caption + QStringLiteral("|") + prompt + QStringLiteral("|") + initial;
        if (inputAnswers.empty())
            return initial;
        std::optional<QString> a = inputAnswers.front();
        inputAnswers.pop_front();
        return a;
    }
    void infoMessage(const QString& text) override { infos << text; }

private:
    bool answer(const QString& question) {
        questions << question;
        if (whileAsking)
            whileAsking();
        if (answers.empty())
            return true;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
};

} // namespace pelmar::test
