#pragma once

#include "engine/TextCounts.h"
#include "engine/WordCache.h"
#include "engine/WordLists.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace pelmar {

class TDataFile;

// The text analysis engine: takes one text (CP932 bytes), segments it into sentences, clauses,
// phrases and words, counts syllables, letters and consonants, and leaves the counts in its
// public fields. Counts are added by Analyze and reset only by Clear.
class TPelgine {
public:
    TPelgine() = default;
    TPelgine(const TPelgine&) = delete;
    TPelgine& operator=(const TPelgine&) = delete;
    TPelgine(TPelgine&&) = default;
    TPelgine& operator=(TPelgine&&) = default;

    std::string Text;
    std::int32_t Syllables = 0;
    std::int32_t Words = 0;
    std::int32_t Sentences = 0;
    std::int32_t Clauses = 0;
    std::int32_t Phrases = 0;
    std::int32_t Letters = 0;
    std::int32_t Consonants = 0;
    std::int32_t Syllable1Words = 0;
    std::int32_t Syllable3Words = 0;
    bool OpenSentence = false;
    bool OpenClause = false;
    bool OpenPhrase = false;
    bool LowerStartAllowed = false;
    bool HyphenJoins = false;
    bool VyVConsonant = false;
    bool SilentE = false;
    bool HeadCut = false;
    bool TailCut = false;
    bool Inflections = false;
    bool WordList = false;
    // The word data; not owned. Null reads as data with no sections.
    const TDataFile* Dictionary = nullptr;

    // Called for every word Analyze closes, with the counts it added for that word.
    std::function<void(std::string_view word, int syllables, int consonants)> OnWordClosed;

    void Clear();
    void Analyze();
    // The nine counts and three open flags as one statistics record.
    [[nodiscard]] TTextCounts Statistics() const;

    // terminator is '.', '!', '?' or 0 (the double-byte rule); rest is the text after it.
    [[nodiscard]] bool IsSentenceEnd(char terminator, std::string_view lastWord,
                                     std::string_view sentence, std::string_view rest);

    [[nodiscard]] int CountSyllables(std::string_view word);
    [[nodiscard]] int CountConsonants(std::string_view word) const;
    [[nodiscard]] bool IsListed(std::string_view section, std::string_view word);
    [[nodiscard]] int WordSyllables(std::string_view word);
    int CutTail(std::string& word, std::string_view section, int value);
    int CutHead(std::string& word, std::string_view section, int value);

private:
    using WordCounts = detail::WordCounts;

    const WordLists& lists();
    [[nodiscard]] bool sentenceEnd(char terminator, std::string_view lastWord, bool sentenceHasWord,
                                   std::string_view rest);
    [[nodiscard]] int countSyllables(const WordLists& lists, std::string_view word) const;
    [[nodiscard]] int wordSyllables(const WordLists& lists, std::string_view word) const;
    [[nodiscard]] unsigned switchMask() const;
    [[nodiscard]] WordCounts countWord(std::string_view word) const;
    WordCounts countsOf(std::string_view word);
    // The same for a word of at most sixteen bytes whose key is known.
    WordCounts countsOfKeyed(std::string_view word, const detail::WordKey& key) {
        WordCounts counts;
        return m_cache.findRecent(key, word.size(), counts) ? counts : countsOfOtherKeyed(word, key);
    }
    WordCounts countsOfOtherKeyed(std::string_view word, const detail::WordKey& key);

    std::unique_ptr<WordLists> m_lists;
    const TDataFile* m_listsFor = nullptr;
    std::uint64_t m_listsVersion = 0;

    // The counts are pure functions of the word, the rule switches and the word data, so a
    // text's repeated words are counted once.
    detail::WordCache m_cache;
    unsigned m_cacheMask = ~0u;
    std::string m_scan; // the text as Analyze reads it

};

} // namespace pelmar
