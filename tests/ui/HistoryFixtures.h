#pragma once

#include "../history/HistoryTestSupport.h"
#include "history/HistoryFile.h"
#include "measure/Formulas.h"

#include <QDir>
#include <QString>

#include <string>
#include <vector>

namespace pelmar::test {

// A record whose indices are what its counts give, as a saved measurement's are.
inline Lines measuredRecord(const std::string& key, int n, const std::string& title) {
    TTextCounts c;
    c.Sentences = 3 + n % 5;
    c.Clauses = c.Sentences + n % 3;
    c.Phrases = 2 * c.Clauses + n % 4;
    c.Words = 40 + 7 * n;
    c.Syllables = c.Words + 10 + 3 * n;
    c.Syllable1Words = c.Words * 2 / 3;
    c.Syllable3Words = 2 + n % 6;
    c.Consonants = 2 * c.Syllables;
    c.Letters = 4 * c.Words + n;
    const TWholeTextValues whole = ComputeWholeText(c);
    std::vector<int> values;
    for (int p = 0; p < 9; ++p)
        values.push_back(c.count(p));
    for (int i = 0; i < IndexCount; ++i)
        values.push_back(whole.tenths[static_cast<std::size_t>(i)]);
    return recordSection(key, values, title);
}

inline std::string recordKey(int n) {
    char key[32];
    std::snprintf(key, sizeof key, "2024/04/%02d 09:%02d:%02d", 1 + n / 60 % 28, n % 60, n % 60);
    return key;
}

// pelmar.hst with `samples` sample records (style 1..7) in SampleL0 and SampleLightL0, and
// `unassigned` records of the user's in "Index", titled by `titleOf`.
template <typename TitleOf>
void writeHistoryWith(const QString& dataFolder, int samples, int unassigned, TitleOf titleOf) {
    Lines sampleList{"[SampleL0]"};
    Lines lightList{"[SampleLightL0]"};
    Lines index{"[Index]"};
    Lines records;
    for (int i = 0; i < samples; ++i) {
        std::string key = "sample ";
        key.append(std::to_string(i));
        sampleList.push_back(key);
        lightList.push_back(key);
        std::string title = "Sample ";
        title.append(std::to_string(i + 1));
        Lines record = measuredRecord(key, 12 + 2 * i, title);
        std::string style = "style=";
        style.append(std::to_string(1 + i % 7));
        record.push_back(style);
        records.insert(records.end(), record.begin(), record.end());
    }
    for (int i = 0; i < unassigned; ++i) {
        const std::string key = recordKey(i);
        index.push_back(key);
        const Lines record = measuredRecord(key, i, titleOf(i));
        records.insert(records.end(), record.begin(), record.end());
    }
    writeHistory(HistoryFileIn(dataFolder), join({sampleList, lightList, index, records}));
}

} // namespace pelmar::test
