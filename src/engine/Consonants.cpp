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

// Tried in this order, each from its first entry to its last. The lists matched at a word's
// start all come before those matched at its end, which the lookup below relies on.
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

// The entries that can fit a word, by the byte at the end they are matched at (the first byte
// of a start entry, the last of an end entry), in the order they are tried. Every start list
// comes before every end list, so a word's candidates are those of its first byte, then those
// of its last.
struct Candidate {
    std::string_view entry;
    bool atStart;
    int count;
};
struct CandidatesByEdge {
    std::array<std::vector<Candidate>, 256> atStart;
    std::array<std::vector<Candidate>, 256> atEnd;
};

const CandidatesByEdge& candidatesByEdge() {
    static const CandidatesByEdge index = [] {
        CandidatesByEdge byEdge;
        for (const ExceptionList& list : kExceptions) {
            for (std::string_view entry : list.entries) {
                const auto edge = static_cast<unsigned char>(list.atStart ? entry.front() : entry.back());
                (list.atStart ? byEdge.atStart : byEdge.atEnd)[edge].push_back({entry, list.atStart, list.count});
            }
        }
        return byEdge;
    }();
    return index;
}

bool tryCandidates(const std::vector<Candidate>& candidates, std::string& w, int& n) {
    const std::string_view word = w;
    for (const Candidate& c : candidates) {
        // The entries are a few bytes long: compared in place rather than by a call.
        if (c.entry.size() > word.size() ||
            !detail::EqualBytes(c.atStart ? word.data() : word.data() + word.size() - c.entry.size(),
                                c.entry.data(), c.entry.size()))
            continue;
        if (c.atStart) {
            w.erase(0, c.entry.size());
            if (w.size() > 99)
                w.resize(99);
        } else {
            w.resize(w.size() - c.entry.size());
        }
        n = c.count;
        return true;
    }
    return false;
}

} // namespace

bool CutSpellingExceptions(std::string& w, int& n) {
    n = 0;
    if (w.empty())
        return false;
    const CandidatesByEdge& byEdge = candidatesByEdge();
    const auto first = static_cast<unsigned char>(w.front());
    const auto last = static_cast<unsigned char>(w.back());
    return tryCandidates(byEdge.atStart[first], w, n) || tryCandidates(byEdge.atEnd[last], w, n);
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
