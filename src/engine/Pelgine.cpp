#include "engine/Pelgine.h"

#include "engine/Bytes.h"
#include "engine/Consonants.h"
#include "engine/NormalizeText.h"
#include "engine/WordRun.h"
#include "storage/DataFile.h"

#include <algorithm>
#include <array>

namespace pelmar {
namespace {

using namespace bytes;

constexpr std::size_t kLookAhead = 100;

[[nodiscard]] bool isTerminator(char c) { return c == '.' || c == '!' || c == '?'; }

[[nodiscard]] bool isWordByte(char c) { return detail::WordBytes[u8(c)]; }

// "Reads as a non-zero integer" the way a decimal conversion with default 0 does: the whole
// word must be a decimal number within 32 bits.
[[nodiscard]] bool readsAsNonZeroInteger(std::string_view word) {
    bool ok = false;
    return detail::toIntDef(word, 0, &ok) != 0 && ok;
}

// One of the sentence, clause and phrase buffers. Only two things are ever asked of them:
// whether they hold anything, and whether they hold anything but blanks (a word character).
struct UnitBuffer {
    bool any = false;
    bool word = false;
    void clear() { any = word = false; }
};

} // namespace

void TPelgine::Clear() {
    Text.clear();
    Syllables = Words = Sentences = Clauses = Phrases = 0;
    Letters = Consonants = Syllable1Words = Syllable3Words = 0;
    OpenSentence = OpenClause = OpenPhrase = false;
    LowerStartAllowed = HyphenJoins = false;
    VyVConsonant = SilentE = HeadCut = TailCut = Inflections = WordList = true;
}

TTextCounts TPelgine::Statistics() const {
    return {Sentences,      Clauses,        Phrases,    Words,   Syllables,
            Syllable1Words, Syllable3Words, Consonants, Letters, OpenSentence,
            OpenClause,     OpenPhrase};
}

const WordLists& TPelgine::lists() {
    const std::uint64_t version = Dictionary ? Dictionary->Version() : 0;
    if (!m_lists || m_listsFor != Dictionary || m_listsVersion != version) {
        m_lists = std::make_unique<WordLists>(Dictionary);
        m_listsFor = Dictionary;
        m_listsVersion = version;
        m_cache.clear();
    }
    return *m_lists;
}

unsigned TPelgine::switchMask() const {
    return unsigned(VyVConsonant) | unsigned(SilentE) << 1 | unsigned(HeadCut) << 2 |
           unsigned(TailCut) << 3 | unsigned(Inflections) << 4 | unsigned(WordList) << 5;
}

TPelgine::WordCounts TPelgine::countWord(std::string_view word) const {
    WordCounts counts;
    counts.syllables = countSyllables(*m_lists, word);
    counts.consonants = pelmar::CountConsonants(word);
    counts.threePlus = counts.syllables > 2 && !readsAsNonZeroInteger(word) ? 1 : 0;
    return counts;
}

TPelgine::WordCounts TPelgine::countsOfOtherKeyed(std::string_view word, const detail::WordKey& key) {
    WordCounts counts;
    if (m_cache.findKeyed(key, word.size(), counts))
        return counts;
    // Both counts read the word in lower case, so "The" counts as "the": a capitalised word
    // new to the cache is often known in lower case already.
    const detail::WordKey lowerKey = detail::Lowered(key);
    if (lowerKey != key && m_cache.findKeyed(lowerKey, word.size(), counts)) {
        m_cache.insertKeyed(key, word.size(), counts);
        return counts;
    }
    counts = countWord(word);
    m_cache.insertKeyed(key, word.size(), counts);
    if (lowerKey != key)
        m_cache.insertKeyed(lowerKey, word.size(), counts);
    return counts;
}

TPelgine::WordCounts TPelgine::countsOf(std::string_view word) {
    if (word.empty()) // the one word with a key of 0, which marks a free place in the cache
        return {};
    if (word.size() <= detail::KeyedWordLength)
        return countsOfKeyed(word, detail::MakeWordKey(word));
    WordCounts counts;
    if (m_cache.find(word, counts))
        return counts;
    char buffer[detail::WordCache::MaxWordLength];
    std::string_view lower;
    if (word.size() <= sizeof buffer && std::any_of(word.begin(), word.end(), isUpper)) {
        std::transform(word.begin(), word.end(), buffer, bytes::lower);
        lower = std::string_view(buffer, word.size());
        if (m_cache.find(lower, counts)) {
            m_cache.insert(word, counts);
            return counts;
        }
    }
    counts = countWord(word);
    m_cache.insert(word, counts);
    if (!lower.empty())
        m_cache.insert(lower, counts);
    return counts;
}

int TPelgine::CountConsonants(std::string_view word) const { return pelmar::CountConsonants(word); }

bool TPelgine::IsListed(std::string_view section, std::string_view word) {
    return lists().listed(section).contains(word);
}

bool TPelgine::IsSentenceEnd(char terminator, std::string_view lastWord, std::string_view sentence,
                             std::string_view rest) {
    lists();
    return sentenceEnd(terminator, lastWord, !trimmed(sentence).empty(), rest);
}

bool TPelgine::sentenceEnd(char terminator, std::string_view lastWord, bool sentenceHasWord,
                           std::string_view rest) {
    if (terminator == '.') {
        char buffer[64];
        const bool listed =
            lastWord.size() <= sizeof buffer
                ? m_lists->abbreviation.contains(std::string_view(
                      buffer, static_cast<std::size_t>(
                                  std::transform(lastWord.begin(), lastWord.end(), buffer, lower) -
                                  buffer)))
                : m_lists->abbreviation.contains(lowered(lastWord));
        if (listed)
            return false;
        if (!rest.empty() && rest.front() == ',')
            return false;
    }
    if (!sentenceHasWord)
        return false;
    const std::string_view restTrimmed = trimmed(rest);
    if (restTrimmed.empty())
        return true;
    if (restTrimmed.front() == '"')
        return true;

    int lowerCount = 0, upperCount = 0;
    bool firstIsCapital = false;
    char stop = '\0';
    for (std::size_t k = 0; k < rest.size(); ++k) {
        const char c = rest[k];
        const bool first = k == 0;
        if (isLeadByte(c)) {
            ++k;
        } else if (isLowerLetter(c)) {
            if (!first && upperCount == 0)
                return false; // the next word starts in lower case: the sentence goes on
            ++lowerCount;
        } else if (isUpper(c) || isDigit(c)) {
            if (!first && lowerCount == 0)
                return true; // the next word starts with a capital or a digit
            if (lowerCount + upperCount == 0)
                firstIsCapital = true;
            ++upperCount;
        } else if (lowerCount + upperCount > 0) {
            stop = c;
            break;
        }
    }
    if (lowerCount + upperCount == 0)
        return true;
    if (!LowerStartAllowed) {
        if (firstIsCapital && lowerCount > 0)
            return true; // a capitalised word glued to the terminator
        if (!firstIsCapital)
            return false; // "e.g", "a.m"
    }
    int lowerInLast = 0;
    for (std::size_t k = 0; k < lastWord.size(); ++k) {
        if (isLeadByte(lastWord[k]))
            ++k;
        else if (isLowerLetter(lastWord[k]))
            ++lowerInLast;
    }
    return !(lowerInLast == 0 && lowerCount == 0 && stop == '.');
}

void TPelgine::Analyze() {
    // Trim in place; only a text with double-byte or other high bytes needs normalising.
    {
        const std::string_view kept = trimmed(Text);
        const auto from = static_cast<std::size_t>(kept.data() - Text.data());
        Text.resize(from + kept.size());
        Text.erase(0, from);
    }
    if (Text.empty())
        return;
    if (!isAscii(Text))
        Text = NormalizeText(Text);
    if (HyphenJoins)
        std::erase(Text, '-'); // so the word-character set never meets a hyphen either
    Text += ' ';

    lists();
    if (m_cacheMask != switchMask()) {
        m_cache.clear();
        m_cacheMask = switchMask();
    }

    // The loop keeps its counts and the text's bytes in locals, so nothing it writes can make
    // the compiler read them again from memory; the counts are added to the fields at the end.
    // It reads a copy of the text that goes on in zeros, so that runs of word characters can
    // be read many bytes at a time.
    m_scan.assign(Text);
    m_scan.append(detail::WordRunPadding, '\0');
    const char* const t = m_scan.data();
    const std::size_t n = Text.size();
    // A word is nearly always one run of the text, so it is kept as a view into it; a word
    // that goes on after a separator (it held only apostrophes) is gathered in `spill`.
    std::string_view word;
    std::string_view previousWord;
    std::string spill, previousSpill;
    int lettersInWord = 0;
    UnitBuffer sentence, clause, phrase;
    TTextCounts c; // what this text adds

    auto closeWord = [&]() __attribute__((always_inline)) {
        // A word inside the text is read as its key straight away (the padding keeps sixteen
        // bytes from any word readable).
        const WordCounts counts =
            word.size() <= detail::KeyedWordLength && word.data() != spill.data()
                ? countsOfKeyed(word, detail::MakeWordKey(word.data(), word.size()))
                : countsOf(word);
        // Added without branching on them: which way a word goes is no more foreseeable than
        // the word itself.
        c.Syllables += counts.syllables;
        c.Syllable3Words += counts.threePlus;
        c.Syllable1Words += counts.syllables == 1;
        if (!word.empty()) {
            c.Consonants += counts.consonants;
            ++c.Words;
            if (OnWordClosed)
                OnWordClosed(word, counts.syllables, counts.consonants);
            if (word.data() == spill.data()) {
                previousSpill.swap(spill);
                previousWord = previousSpill;
            } else {
                previousWord = word;
            }
            word = {};
        }
        lettersInWord = 0;
    };
    auto rest = [&](std::size_t from) { return std::string_view(t + from, std::min(kLookAhead, n - from)); };
    auto inWordDot = [&](std::size_t at) { return detail::IsInWordDot(t, at, n); };

    for (std::size_t p = 0; p < n; ++p) {
        bool verdict = true;
        while (t[p] == ' ' && p + 1 < n && t[p + 1] == ' ')
            ++p;
        const char b = t[p];

        if (isLeadByte(b)) {
            // The two-dot leader (and the double-byte full stop, question and exclamation marks,
            // should any reach here) ends the clause and phrase, and perhaps the sentence.
            if (lettersInWord > 0 && u8(b) == 0x81 && p + 2 < n && sentence.any) {
                const char next = lower(t[p + 1]);
                if ((next == 0x64 || next == 0x68 || next == 0x69) && !isWordByte(t[p + 2])) {
                    if (sentenceEnd('\0', previousWord, sentence.word, rest(p + 2))) {
                        ++c.Sentences;
                        sentence.clear();
                    }
                    ++c.Clauses;
                    ++c.Phrases;
                    clause.clear();
                    phrase.clear();
                }
            }
            ++p;
            if (!word.empty())
                closeWord();
            continue;
        }

        if (isWordByte(b) || inWordDot(p)) {
            // Take the whole run of word characters at once. The text ends in a blank, so the
            // run always stops inside it.
            std::size_t start = p;
            detail::WordRun run = detail::WordRunAt(t, p, n);
            // Most words stand alone between single blanks; those are taken one after another
            // here. Each is a whole word, closed by its blank, which changes nothing else.
            while (word.empty() && run.letters > 0 && t[run.end] == ' ' &&
                   isWordByte(t[run.end + 1])) {
                c.Letters += run.letters;
                lettersInWord = run.letters;
                word = std::string_view(t + start, run.end - start);
                closeWord();
                start = run.end + 1;
                run = detail::WordRunAt(t, start, n);
            }
            p = run.end;
            c.Letters += run.letters;
            lettersInWord += run.letters;
            if (word.empty()) {
                word = std::string_view(t + start, p - start);
            } else if (word.data() + word.size() == t + start) {
                word = std::string_view(word.data(), word.size() + (p - start));
            } else {
                if (word.data() != spill.data())
                    spill.assign(word);
                spill.append(t + start, p - start);
                word = spill;
            }
            sentence.any = sentence.word = true;
            clause.any = clause.word = true;
            phrase.any = phrase.word = true;
            --p;
            continue;
        }

        // A separator. Most are one blank between two words: it closes the word and nothing
        // else (no terminator, and a phrase ends only before another separator). The byte
        // after the text's last one is its terminating NUL.
        if (b == ' ' && isWordByte(t[p + 1])) {
            if (lettersInWord > 0 && !word.empty())
                closeWord();
            sentence.any = clause.any = phrase.any = true;
            lettersInWord = 0;
            continue;
        }
        const char lb = lower(b);
        if (lettersInWord > 0 && !word.empty())
            closeWord();
        if (sentence.word && isTerminator(lb)) {
            verdict = sentenceEnd(lb, previousWord, true, rest(p + 1));
            if (verdict) {
                ++c.Sentences;
                sentence.clear();
                if (clause.any) {
                    ++c.Clauses;
                    clause.clear();
                }
                if (phrase.any) {
                    ++c.Phrases;
                    phrase.clear();
                }
            }
        }
        if (clause.word && p + 1 < n && b == ';') {
            ++c.Clauses;
            clause.clear();
        }
        if (phrase.word && p + 1 < n && !isWordByte(t[p + 1]) && verdict) {
            ++c.Phrases;
            phrase.clear();
        }
        sentence.any = clause.any = phrase.any = true;
        lettersInWord = 0;
    }

    Sentences += c.Sentences;
    Clauses += c.Clauses;
    Phrases += c.Phrases;
    Words += c.Words;
    Syllables += c.Syllables;
    Syllable1Words += c.Syllable1Words;
    Syllable3Words += c.Syllable3Words;
    Consonants += c.Consonants;
    Letters += c.Letters;
    OpenSentence = Words > 0 && sentence.word;
    OpenClause = Words > 0 && clause.word;
    OpenPhrase = Words > 0 && phrase.word;
}

} // namespace pelmar
