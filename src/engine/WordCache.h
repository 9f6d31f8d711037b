#pragma once

#include "engine/StringTable.h"
#include "engine/WordKey.h"
#include "engine/WordTable.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pelmar::detail {

// Counts of words already seen, for the engine's hot path.
//
// A text's vocabulary soon outgrows the processor's caches, and then every lookup waits for
// memory. Words are very unequally frequent, so two small front tables that keep the latest
// words with their keys (one for words of up to eight bytes, one for the others up to sixteen)
// answer most lookups from the cache. Behind them every keyed word is kept in a WordTable.
// Longer words are kept in open addressing with their bytes in an arena, up to MaxWordLength;
// longer ones still are rare and cheap to count again.
//
// Once the cache keeps Limit words it starts again from nothing, so that memory stays bounded
// whatever the text.
//
// (Engines on several threads each keep their own cache. A table they shared would spare them
// counting a word twice, but every word one thread adds takes a cache line away from the
// other: on two threads that cost more than the counting it saved.)
class WordCache {
public:
    using Counts = WordCounts;

    static constexpr std::size_t MaxWordLength = 48;
    static constexpr std::size_t Limit = std::size_t(1) << 17;

    // Only the front table of short words: the cheap first try, for the caller to inline.
    [[nodiscard]] bool findRecentShort(const WordKey& key, Counts& counts) const {
        const ShortEntry& entry = m_shortFront[frontPlace<ShortFrontBits>(key)];
        if (entry.key != key.low)
            return false;
        counts = WordCounts::unpacked(entry.value);
        return true;
    }

    // Only the front tables. `length` is the word's, at most KeyedWordLength.
    [[nodiscard]] bool findRecent(const WordKey& key, std::size_t length, Counts& counts) const {
        if (length <= ShortWordLength)
            return findRecentShort(key, counts);
        const KeyedEntry& entry = m_keyedFront[frontPlace<KeyedFrontBits>(key)];
        if (entry.key != key)
            return false;
        counts = WordCounts::unpacked(entry.value);
        return true;
    }

    // A keyed word anywhere in the cache.
    [[nodiscard]] bool findKeyed(const WordKey& key, std::size_t length, Counts& counts) {
        if (findRecent(key, length, counts))
            return true;
        if (!m_keyed.find(key, counts))
            return false;
        remember(key, length, counts);
        return true;
    }

    void insertKeyed(const WordKey& key, std::size_t length, const Counts& counts) {
        if (!counts.fits())
            return;
        if (size() >= Limit)
            clear();
        remember(key, length, counts);
        m_keyed.insert(key, counts);
    }

    // Any word.
    [[nodiscard]] bool find(std::string_view word, Counts& counts) {
        if (word.size() <= KeyedWordLength)
            return findKeyed(MakeWordKey(word), word.size(), counts);
        if (m_slots.empty() || word.size() > MaxWordLength)
            return false;
        const std::uint32_t h = HashBytes(word);
        for (std::size_t i = h & m_mask;; i = (i + 1) & m_mask) {
            const Slot& slot = m_slots[i];
            if (slot.hash == 0)
                return false;
            if (slot.hash == h && slot.length == word.size() &&
                EqualBytes(m_arena.data() + slot.offset, word.data(), word.size())) {
                counts = WordCounts::unpacked(slot.value);
                return true;
            }
        }
    }

    void insert(std::string_view word, const Counts& counts) {
        if (word.size() <= KeyedWordLength) {
            insertKeyed(MakeWordKey(word), word.size(), counts);
            return;
        }
        if (word.size() > MaxWordLength || !counts.fits())
            return;
        if (size() >= Limit)
            clear();
        if (m_slots.empty() || (m_count + 1) * 2 > m_slots.size())
            GrowSlots(m_slots, m_mask, 64);
        const std::uint32_t h = HashBytes(word);
        std::size_t i = h & m_mask;
        while (m_slots[i].hash != 0)
            i = (i + 1) & m_mask;
        m_slots[i] = Slot{h, static_cast<std::uint32_t>(m_arena.size()),
                          static_cast<std::uint32_t>(word.size()), counts.packed()};
        m_arena.append(word);
        ++m_count;
    }

    // Forgets every word.
    void clear() {
        m_shortFront.assign(std::size_t(1) << ShortFrontBits, ShortEntry{});
        m_keyedFront.assign(std::size_t(1) << KeyedFrontBits, KeyedEntry{});
        m_keyed.clear();
        m_slots.clear();
        m_arena.clear();
        m_count = 0;
        m_mask = 0;
    }

    // How many words the cache keeps.
    [[nodiscard]] std::size_t size() const { return m_keyed.size() + m_count; }

private:
    // The latest keyed words, one place each: small enough to stay in the nearest caches.
    static constexpr unsigned ShortFrontBits = 14; // 256 KB
    static constexpr unsigned KeyedFrontBits = 12; // 96 KB
    template <unsigned Bits>
    static std::size_t frontPlace(const WordKey& key) {
        return static_cast<std::size_t>(MixedKey(key) >> (64 - Bits));
    }

    struct ShortEntry {
        std::uint64_t key = 0; // the low half; 0: empty
        std::uint64_t value = 0;
    };
    struct KeyedEntry {
        WordKey key; // 0: empty
        std::uint64_t value = 0;
    };

    void remember(const WordKey& key, std::size_t length, const Counts& counts) {
        if (length <= ShortWordLength)
            m_shortFront[frontPlace<ShortFrontBits>(key)] = ShortEntry{key.low, counts.packed()};
        else
            m_keyedFront[frontPlace<KeyedFrontBits>(key)] = KeyedEntry{key, counts.packed()};
    }

    // 24 bytes.
    struct Slot {
        std::uint32_t hash; // the hash's low half, never 0; 0 marks an empty slot
        std::uint32_t offset;
        std::uint32_t length;
        std::uint64_t value;
    };

    std::vector<ShortEntry> m_shortFront = std::vector<ShortEntry>(std::size_t(1) << ShortFrontBits);
    std::vector<KeyedEntry> m_keyedFront = std::vector<KeyedEntry>(std::size_t(1) << KeyedFrontBits);
    WordTable m_keyed;

    std::vector<Slot> m_slots;
    std::string m_arena;
    std::size_t m_count = 0;
    std::size_t m_mask = 0;
};

} // namespace pelmar::detail
