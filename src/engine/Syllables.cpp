// Syllable counting of TPelgine: suffixes, word lists and a final "le" are cut and counted by
// their listed values, prefixes likewise, and the rest counts its vowel groups with a few
// corrections for silent e, -ed, -es and n't.

#include "engine/Bytes.h"
#include "engine/Pelgine.h"

#include <algorithm>
#include <array>

namespace pelmar {
namespace {

using namespace bytes;

[[nodiscard]] bool isConsonant(char c) {
    return isLowerLetter(c) && !isVowel(c);
}
[[nodiscard]] bool isConsonantWithoutL(char c) { return isConsonant(c) && c != 'l'; }
[[nodiscard]] bool isConsonantWithoutLR(char c) { return isConsonantWithoutL(c) && c != 'r'; }
[[nodiscard]] bool isSilentEsConsonant(char c) {
    return c != '\0' && std::string_view("bdfjkmnpqrtvw").find(c) != std::string_view::npos;
}
[[nodiscard]] bool isEdException(std::string_view w) {
    return w == "crooked" || w == "naked" || w == "wicked" || w == "wretched";
}

} // namespace

int TPelgine::CountSyllables(std::string_view word) { return countSyllables(lists(), word); }

int TPelgine::WordSyllables(std::string_view word) { return wordSyllables(lists(), word); }

int TPelgine::wordSyllables(const WordLists& lists, std::string_view word) const {
    const std::uint32_t* first = lists.firstWordList.find(trimmed(word));
    return first ? static_cast<int>(*first) : 0;
}

int TPelgine::CutTail(std::string& word, std::string_view section, int value) {
    return lists().affix(section).cutTail(word) ? value : 0;
}

int TPelgine::CutHead(std::string& word, std::string_view section, int value) {
    return lists().affix(section).cutHead(word) ? value : 0;
}

int TPelgine::countSyllables(const WordLists& lists, std::string_view word) const {
    std::string w = lowered(trimmed(word));
    if (w.empty())
        return 0;
    int stripped = 0;
    bool cutCounted = false;

    if (TailCut) {
        for (;;) {
            if (WordList) {
                const int listed = wordSyllables(lists, w);
                if (listed > 0)
                    return stripped + listed;
            }
            int value = 3;
            while (value >= 0 && !lists.tails[value].cutTail(w))
                --value;
            if (value < 0)
                break;
            stripped += value; // a cut of worth 0 still shortens the word and looks again
        }
        while (w.size() > 2 && w.ends_with("le") && isConsonantWithoutL(w[w.size() - 3])) {
            w.resize(w.size() - 2);
            ++stripped;
        }
        cutCounted = stripped != 0;
    }

    if (HeadCut) {
        if (lists.headTop1.cutHead(w))
            stripped += 1;
        for (int value = 4; value >= 1; --value) {
            if (lists.heads[value - 1].cutHead(w))
                stripped += value;
        }
    }

    // Vowel groups, 1-based positions; the appended blank marks the end.
    w += ' ';
    const int length = static_cast<int>(w.size());
    auto at = [&](int pos) -> char { return pos >= 1 && pos <= length ? w[pos - 1] : '\0'; };
    int groups = 0;
    bool inVowel = false;
    int i = 1;
    for (; i <= length; ++i) {
        const char ch = at(i);
        if (isVowel(ch)) {
            if (!inVowel) {
                inVowel = true;
                ++groups;
            } else if (VyVConsonant && ch == 'y' && i >= 3 && isVowel(at(i - 1)) && isVowel(at(i + 1))) {
                inVowel = false; // "player", "beyond"
            }
        } else if (isConsonant(ch) || (ch == '\'' && isLowerLetter(at(i + 1)))) {
            inVowel = false;
        } else if (isDigit(ch)) {
            ++groups;
        } else {
            break;
        }
    }

    if (inVowel) {
        if (SilentE && at(i - 1) == 'e' && i > 2 && isConsonant(at(i - 2)) && groups + stripped >= 2)
            --groups;
    } else if (Inflections) {
        if (at(i - 1) == 'd' && at(i - 2) == 'e' && i > 4 && isConsonant(at(i - 3)) &&
            at(i - 3) != 'd' && at(i - 3) != 't') {
            if (!isEdException(trimmed(w)))
                --groups;
        } else if (at(i - 1) == 's' && at(i - 2) == 'e' && i > 4) {
            const char x = at(i - 3);
            if (isSilentEsConsonant(x))
                --groups;
            else if (i > 5 && x == 'h' && at(i - 4) != 'c' && at(i - 4) != 's')
                --groups;
            else if (i > 5 && x == 'l' && !isConsonantWithoutLR(at(i - 4)))
                --groups;
        } else if (at(i - 1) == 't' && at(i - 2) == '\'' && at(i - 3) == 'n' && i > 4) {
            if (isConsonant(at(i - 4)))
                ++groups;
            else if (w == "mayn't ")
                ++groups;
            else if (w != "haven't " && w != "weren't ")
                --groups;
        }
    }

    if (cutCounted && groups == 0 && isVowel(w[w.size() - 2]))
        groups = 1;
    return std::max(1, groups + stripped);
}

} // namespace pelmar
