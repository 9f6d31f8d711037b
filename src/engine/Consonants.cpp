#include "engine/Consonants.h"

#include "engine/Bytes.h"
#include "engine/StringTable.h"

#include <array>
#include <iterator>
#include <string_view>
#include <vector>

namespace pelmar {
namespace {

struct ExceptionList {
    bool atStart;
    int count;
    std::initializer_list<std::string_view> entries;
};

// Tried in this order, each from its first entry to its last.
const ExceptionList kExceptions[] = {
    {true, 1, {"yacht", "psy", "who", "why", "bow", "dough", "gn", "heir"}},
    {true, 2, {"acce", "acci", "per", "exh", "laugh", "thorough", "through", "tough", "rough",
               "hang", "sang", "wing", "wrong", "young", "liqu", "blow", "doubt", "half", "honor",
               "honour"}},
    {true, 3, {"lang", "ling", "hustle", "wrestle", "whistle", "honest"}},
    {true, 4, {"draught", "grand", "spring", "strong"}},
    {false, 1, {"ugh", "lly", "ly", "ing", "ong", "ang", "ung", "mb", "ign", "gne"}},
    {false, 2, {"less", "ness", "ings", "stle"}},
};

[[nodiscard]] bool isNonConsonant(char c) { return c == '\'' || bytes::isVowel(c); }

} // namespace

namespace {

// Each list's entries by the byte at the end they are matched at (the first byte of a start
// entry, the last of an end entry), in list order: only those can fit a word with that byte.
struct EntriesByEdge {
    std::array<std::vector<std::string_view>, 256> entries;
};

const std::array<EntriesByEdge, std::size(kExceptions)>& entriesByEdge() {
    static const auto index = [] {
        std::array<EntriesByEdge, std::size(kExceptions)> lists;
        for (std::size_t l = 0; l < std::size(kExceptions); ++l) {
            for (std::string_view entry : kExceptions[l].entries) {
                const char edge = kExceptions[l].atStart ? entry.front() : entry.back();
                lists[l].entries[static_cast<unsigned char>(edge)].push_back(entry);
            }
        }
        return lists;
    }();
    return index;
}

} // namespace

bool CutSpellingExceptions(std::string& w, int& n) {
    n = 0;
    const std::string_view word = w;
    if (word.empty())
        return false;
    const auto& lists = entriesByEdge();
    for (std::size_t l = 0; l < std::size(kExceptions); ++l) {
        const ExceptionList& list = kExceptions[l];
        const char edge = list.atStart ? word.front() : word.back();
        for (std::string_view entry : lists[l].entries[static_cast<unsigned char>(edge)]) {
            // The entries are a few bytes long: compared in place rather than by a call.
            if (entry.size() > word.size() ||
                !detail::EqualBytes(list.atStart ? word.data() : word.data() + word.size() - entry.size(),
                                    entry.data(), entry.size()))
                continue;
            if (list.atStart) {
                w.erase(0, entry.size());
                if (w.size() > 99)
                    w.resize(99);
            } else {
                w.resize(w.size() - entry.size());
            }
            n = list.count;
            return true;
        }
    }
    return false;
}

int CountConsonants(std::string_view word) {
    std::string w = bytes::lowered(word);
    int total = 0;
    int n = 0;
    while (CutSpellingExceptions(w, n))
        total += n;

    // Positions are 1-based as in the rules; outside the word reads as NUL.
    const int length = static_cast<int>(w.size());
    auto at = [&](int pos) -> char { return pos >= 1 && pos <= length ? w[pos - 1] : '\0'; };
    std::string cluster;
    auto close = [&] {
        total += static_cast<int>(cluster.size());
        cluster.clear();
    };

    for (int i = 1; i <= length; ++i) {
        const char ch = at(i);
        if (isNonConsonant(ch)) {
            close();
            continue;
        }
        if (ch == 'q' && length > i + 2 && at(i + 1) == 'u') {
            const char after = at(i + 2);
            if (after == 'a' || after == 'e' || after == 'i' || after == 'o') {
                if (i > 1 && at(i - 1) == 'c') {
                    if (after != 'e')
                        cluster += 'q'; // "acquire"; "lacquer" keeps only its c
                } else {
                    cluster += "qw";
                }
                close();
                continue;
            }
        }
        if (ch == 'w' && at(i - 1) == 'o') {
            close();
            continue;
        }
        if (ch == 'w' && at(i - 1) == 'e' && at(i + 1) == 'e') {
            close();
            continue;
        }
        if (cluster.empty()) {
            cluster = ch;
            const bool cSound = length > i + 2 && at(i + 1) == 'c' && (at(i + 2) == 'e' || at(i + 2) == 'i');
            if (ch == 'x' && !cSound)
                cluster += 'x';
            continue;
        }
        const char p = cluster.back();
        const std::size_t size = cluster.size();
        const char beforeP = size >= 2 ? cluster[size - 2] : '\0';
        bool closes = false;
        bool add = true;
        switch (p) {
        case 'b': closes = ch == 'b'; break;
        case 'c':
            if (ch == 'c' || ch == 'k') {
                closes = true;
            } else if (ch == 'h') {
                if (size >= 2 && beforeP == 't')
                    cluster.pop_back(); // "tch" is one sound
                closes = true;
            } else if (ch == 'l') {
                closes = size >= 2 && beforeP == 's' && i == length - 1 && at(length) == 'e';
            }
            break;
        case 'd': closes = ch == 'd' || ch == 'g' || ch == 'j'; break;
        case 'f': closes = ch == 'f'; break;
        case 'g':
            if (ch == 'g') {
                closes = true;
            } else if (ch == 'h') {
                if (i > 2)
                    cluster.pop_back(); // silent gh
                add = false;
            }
            break;
        case 'k': closes = ch == 'n'; break;
        case 'l':
            if (ch == 'l')
                closes = true;
            else if (ch == 'k')
                closes = i > 2 && (at(i - 2) == 'a' || at(i - 2) == 'o');
            else if (ch == 'm')
                closes = i > 2 && at(i - 2) == 'a';
            break;
        case 'm': closes = ch == 'm'; break;
        case 'n': closes = ch == 'n'; break;
        case 'p': closes = ch == 'h' || ch == 'p'; break;
        case 'r': closes = ch == 'h' || ch == 'r'; break;
        case 's':
            if (ch == 'h' || ch == 's')
                add = false;
            else if (ch == 'c')
                closes = i < length && (at(i + 1) == 'e' || at(i + 1) == 'i');
            break;
        case 't': closes = ch == 'h' || ch == 't'; break;
        case 'v': closes = ch == 'v'; break;
        case 'w': closes = ch == 'f' || ch == 'k' || ch == 'l' || ch == 'n' || ch == 'r'; break;
        case 'z': closes = ch == 'z'; break;
        default: break;
        }
        if (closes)
            close();
        else if (add)
            cluster += ch;
    }
    if (!cluster.empty()) {
        total += static_cast<int>(cluster.size());
        if (cluster == "w" || cluster == "scl")
            total -= 1;
    }
    return total;
}

} // namespace pelmar
