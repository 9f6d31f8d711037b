#pragma once

#include "engine/StringTable.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace pelmar::detail {

// Words of up to eight bytes, nine in ten of the words of English prose, are looked up by their
// bytes read as one 64-bit number: the key. Word bytes are never 0, so the zero padding keeps
// the length, and a key compares whole in one instruction.
inline constexpr std::size_t ShortWordLength = 8;

[[nodiscard]] inline std::uint64_t ShortWordKey(std::string_view word) {
    std::uint64_t key = 0;
    std::memcpy(&key, word.data(), word.size() < ShortWordLength ? word.size() : ShortWordLength);
    return key;
}

// The key of a short word from eight bytes that may run on past it: only its own stay.
[[nodiscard]] inline std::uint64_t ShortWordKey(const char* eightBytes, std::size_t length) {
    std::uint64_t key;
    std::memcpy(&key, eightBytes, 8);
    return length >= 8 ? key : key & ((std::uint64_t(1) << (8 * length)) - 1);
}

// The key of the word with A-Z lowered, all eight bytes at once. Word bytes are ASCII, so the
// additions never carry into the next byte.
[[nodiscard]] constexpr std::uint64_t LoweredKey(std::uint64_t key) {
    constexpr std::uint64_t ones = 0x0101010101010101ull;
    constexpr std::uint64_t highs = 0x8080808080808080ull;
    const std::uint64_t atLeastA = (key + (0x80 - 'A') * ones) & highs;
    const std::uint64_t aboveZ = (key + (0x80 - 'Z' - 1) * ones) & highs;
    return key | ((atLeastA & ~aboveZ) >> 2);
}

// Counts of words already seen, for the engine's hot path.
//
// A text's vocabulary soon outgrows the processor's caches, and then every lookup waits for
// memory. Words are very unequally frequent, so small front tables that keep the latest words
// answer most lookups from the cache; behind them every word is kept. Short words live with
// their key in one table (a lookup is one multiply, a probe or two and a compare); longer ones
// in open addressing with their bytes in an arena. Words longer than MaxWordLength are not
// kept: they are rare and cheap to count again.
class WordCache {
public:
    struct Counts {
        int syllables = 0;
        int consonants = 0;
        // 1 when the word counts among the words of three or more syllables (a number never
        // does), else 0, so that the caller adds it without asking the word again.
        int threePlus = 0;
    };

    static constexpr std::size_t MaxWordLength = 48;

    // Only the front table: the cheap first try, for the caller to inline.
    [[nodiscard]] bool findRecentShort(std::uint64_t key, Counts& counts) const {
        const ShortEntry& front = m_shortFront[frontSlot(key)];
        if (front.key != key)
            return false;
        counts = front.counts();
        return true;
    }

    [[nodiscard]] bool findShort(std::uint64_t key, Counts& counts) {
        if (findRecentShort(key, counts))
            return true;
        if (m_short.empty())
            return false;
        for (std::size_t i = shortSlot(key);; i = (i + 1) & m_shortMask) {
            const ShortEntry& entry = m_short[i];
            if (entry.key == key) {
                m_shortFront[frontSlot(key)] = entry;
                counts = entry.counts();
                return true;
            }
            if (entry.key == 0)
                return false;
        }
    }

    [[nodiscard]] bool find(std::string_view word, Counts& counts) {
        if (word.size() <= ShortWordLength)
            return findShort(ShortWordKey(word), counts);
        if (m_slots.empty() || word.size() > MaxWordLength)
            return false;
        const std::uint32_t h = HashBytes(word);
        HotEntry* hot = nullptr;
        if (word.size() <= HotWordLength) {
            hot = &m_hot[(h >> 8) & (HotSize - 1)];
            if (hot->hash == h && hot->length == word.size() &&
                EqualBytes(hot->bytes, word.data(), word.size())) {
                counts = hot->counts();
                return true;
            }
        }
        for (std::size_t i = h & m_mask;; i = (i + 1) & m_mask) {
            const Slot& slot = m_slots[i];
            if (slot.hash == 0)
                return false;
            if (slot.hash == h && slot.length == word.size() &&
                EqualBytes(m_arena.data() + slot.offset, word.data(), word.size())) {
                counts = slot.counts();
                if (hot)
                    fillHot(*hot, h, word, counts);
                return true;
            }
        }
    }

    void insertShort(std::uint64_t key, Counts counts) {
        if (!fits(counts))
            return;
        if (m_short.empty() || (m_shortCount + 1) * 2 > m_short.size())
            growShort();
        std::size_t i = shortSlot(key);
        while (m_short[i].key != 0 && m_short[i].key != key)
            i = (i + 1) & m_shortMask;
        if (m_short[i].key == 0)
            ++m_shortCount;
        m_short[i] = ShortEntry::of(key, counts);
        m_shortFront[frontSlot(key)] = m_short[i];
    }

    void insert(std::string_view word, Counts counts) {
        if (word.size() <= ShortWordLength) {
            insertShort(ShortWordKey(word), counts);
            return;
        }
        if (word.size() > MaxWordLength || !fits(counts))
            return;
        if (m_slots.empty() || (m_count + 1) * 2 > m_slots.size())
            grow();
        const std::uint32_t h = HashBytes(word);
        std::size_t i = h & m_mask;
        while (m_slots[i].hash != 0)
            i = (i + 1) & m_mask;
        m_slots[i] = Slot{h, static_cast<std::uint32_t>(m_arena.size()),
                          static_cast<std::uint16_t>(word.size()),
                          static_cast<std::uint16_t>(counts.syllables),
                          static_cast<std::uint16_t>(counts.consonants),
                          static_cast<std::uint16_t>(counts.threePlus)};
        m_arena.append(word);
        ++m_count;
        if (word.size() <= HotWordLength)
            fillHot(m_hot[(h >> 8) & (HotSize - 1)], h, word, counts);
    }

    void clear() {
        m_short.clear();
        m_shortCount = 0;
        m_shortMask = 0;
        m_shortFront.assign(FrontSize, ShortEntry{});
        m_slots.clear();
        m_arena.clear();
        m_count = 0;
        m_mask = 0;
        m_hot.assign(HotSize, HotEntry{});
    }

    // How many words are kept.
    [[nodiscard]] std::size_t size() const { return m_shortCount + m_count; }

private:
    // Counts are kept in 16 bits; beyond that (only absurd words) they are simply not kept.
    static bool fits(const Counts& counts) {
        return counts.syllables >= 0 && counts.syllables <= 0xFFFF && counts.consonants >= 0 &&
               counts.consonants <= 0xFFFF;
    }

    // 16 bytes, so that four share a cache line.
    struct ShortEntry {
        std::uint64_t key = 0; // 0: empty
        std::uint16_t syllables = 0;
        std::uint16_t consonants = 0;
        std::uint32_t threePlus = 0;
        static ShortEntry of(std::uint64_t key, const Counts& c) {
            return {key, static_cast<std::uint16_t>(c.syllables),
                    static_cast<std::uint16_t>(c.consonants), static_cast<std::uint32_t>(c.threePlus)};
        }
        [[nodiscard]] Counts counts() const { return {syllables, consonants, int(threePlus)}; }
    };
    // The latest short words, one place each: small enough to stay in the nearest cache.
    static constexpr unsigned FrontBits = 14;
    static constexpr std::size_t FrontSize = std::size_t(1) << FrontBits;
    static std::uint64_t mixed(std::uint64_t key) { return key * 0x9E3779B97F4A7C15ull; }
    static std::size_t frontSlot(std::uint64_t key) { return mixed(key) >> (64 - FrontBits); }
    [[nodiscard]] std::size_t shortSlot(std::uint64_t key) const {
        return (mixed(key) >> 32) & m_shortMask;
    }
    void growShort() {
        std::vector<ShortEntry> old = std::move(m_short);
        m_short.assign(old.empty() ? 1024 : old.size() * 2, ShortEntry{});
        m_shortMask = m_short.size() - 1;
        for (const ShortEntry& entry : old) {
            if (entry.key == 0)
                continue;
            std::size_t i = shortSlot(entry.key);
            while (m_short[i].key != 0)
                i = (i + 1) & m_shortMask;
            m_short[i] = entry;
        }
    }

    // 32 bytes: one cache line holds two.
    struct HotEntry {
        std::uint32_t hash; // 0: empty
        std::uint8_t length;
        std::uint8_t threePlus;
        std::uint16_t syllables;
        std::uint16_t consonants;
        char bytes[22];
        [[nodiscard]] Counts counts() const { return {syllables, consonants, int(threePlus)}; }
    };
    static constexpr std::size_t HotWordLength = sizeof(HotEntry::bytes);
    static constexpr std::size_t HotSize = 4096; // 128 KB

    static void fillHot(HotEntry& entry, std::uint32_t h, std::string_view word, Counts counts) {
        entry.hash = h;
        entry.length = static_cast<std::uint8_t>(word.size());
        entry.threePlus = static_cast<std::uint8_t>(counts.threePlus);
        entry.syllables = static_cast<std::uint16_t>(counts.syllables);
        entry.consonants = static_cast<std::uint16_t>(counts.consonants);
        std::memcpy(entry.bytes, word.data(), word.size());
    }

    // 16 bytes, so more of the table stays in the cache.
    struct Slot {
        std::uint32_t hash; // the hash's low half, never 0; 0 marks an empty slot
        std::uint32_t offset;
        std::uint16_t length;
        std::uint16_t syllables;
        std::uint16_t consonants;
        std::uint16_t threePlus;
        [[nodiscard]] Counts counts() const { return {syllables, consonants, int(threePlus)}; }
    };

    void grow() { GrowSlots(m_slots, m_mask, 1024); }

    std::vector<ShortEntry> m_short;
    std::size_t m_shortCount = 0;
    std::size_t m_shortMask = 0;
    std::vector<ShortEntry> m_shortFront = std::vector<ShortEntry>(FrontSize);

    std::vector<Slot> m_slots;
    std::vector<HotEntry> m_hot = std::vector<HotEntry>(HotSize);
    std::string m_arena;
    std::size_t m_count = 0;
    std::size_t m_mask = 0;
};

} // namespace pelmar::detail
