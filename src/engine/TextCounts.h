#pragma once

#include <cstdint>

namespace pelmar {

// The statistics record of one text: the nine counts and three open flags the engine leaves.
struct TTextCounts {
    std::int32_t Sentences = 0;
    std::int32_t Clauses = 0;
    std::int32_t Phrases = 0;
    std::int32_t Words = 0;
    std::int32_t Syllables = 0;
    std::int32_t Syllable1Words = 0;
    std::int32_t Syllable3Words = 0;
    std::int32_t Consonants = 0;
    std::int32_t Letters = 0;
    bool OpenSentence = false;
    bool OpenClause = false;
    bool OpenPhrase = false;

    // Adds the nine counts of another record; the open flags stay as they are.
    void add(const TTextCounts& other) {
        Sentences += other.Sentences;
        Clauses += other.Clauses;
        Phrases += other.Phrases;
        Words += other.Words;
        Syllables += other.Syllables;
        Syllable1Words += other.Syllable1Words;
        Syllable3Words += other.Syllable3Words;
        Consonants += other.Consonants;
        Letters += other.Letters;
    }

    // The counts by column position 0..8: sent, clau, phra, word, syll, syl1, syl3, cons, lett.
    [[nodiscard]] std::int32_t count(int position) const {
        switch (position) {
        case 0: return Sentences;
        case 1: return Clauses;
        case 2: return Phrases;
        case 3: return Words;
        case 4: return Syllables;
        case 5: return Syllable1Words;
        case 6: return Syllable3Words;
        case 7: return Consonants;
        case 8: return Letters;
        default: return 0;
        }
    }
};

} // namespace pelmar
