#pragma once

#include "engine/StringTable.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace pelmar::detail {

// Counts of words already seen, for the engine's hot path: open addressing over a power-of-two
// table with the words' bytes kept in one arena, so a lookup is a hash, one or two probes and a
// short compare. Long words are not kept; they are rare and cheap to count again.
//
// A text's vocabulary soon outgrows the processor's caches, and then every lookup waits for two
// loads from memory (slot and arena). Words are very unequally frequent, so a small front table
// that keeps the latest words with their bytes inline answers most lookups from the cache.
class WordCache {
public:
    struct Counts {
        int syllables;
        int consonants;
    };

    static constexpr std::size_t MaxWordLength = 48;

    [[nodiscard]] const Counts* find(std::string_view word) {
        if (m_slots.empty() || word.size() > MaxWordLength)
            return nullptr;
        const std::uint32_t h = hash(word);
        HotEntry* hot = nullptr;
        if (word.size() <= HotWordLength) {
            hot = &m_hot[(h >> 8) & (HotSize - 1)];
            if (hot->hash == h && hot->length == word.size() &&
                EqualBytes(hot->bytes, word.data(), word.size())) {
                m_found = {hot->syllables, hot->consonants};
                return &m_found;
            }
        }
        for (std::size_t i = h & m_mask;; i = (i + 1) & m_mask) {
            const Slot& slot = m_slots[i];
            if (slot.hash == 0)
                return nullptr;
            if (slot.hash == h && slot.length == word.size() &&
                EqualBytes(m_arena.data() + slot.offset, word.data(), word.size())) {
                m_found = {slot.syllables, slot.consonants};
                if (hot)
                    fillHot(*hot, h, word, m_found);
                return &m_found;
            }
        }
    }

    void insert(std::string_view word, Counts counts) {
        // Counts beyond 16 bits (only absurd words have them) are simply not kept.
        if (word.size() > MaxWordLength || counts.syllables < 0 || counts.syllables > 0xFFFF)
            return;
        if (m_slots.empty() || (m_count + 1) * 2 > m_slots.size())
            grow();
        const std::uint32_t h = hash(word);
        std::size_t i = h & m_mask;
        while (m_slots[i].hash != 0)
            i = (i + 1) & m_mask;
        m_slots[i] = Slot{h, static_cast<std::uint32_t>(m_arena.size()),
                          static_cast<std::uint16_t>(word.size()),
                          static_cast<std::uint16_t>(counts.syllables), counts.consonants};
        m_arena.append(word);
        ++m_count;
        if (word.size() <= HotWordLength)
            fillHot(m_hot[(h >> 8) & (HotSize - 1)], h, word, counts);
    }

    void clear() {
        m_slots.clear();
        m_arena.clear();
        m_count = 0;
        m_mask = 0;
        m_hot.assign(HotSize, HotEntry{});
    }

    [[nodiscard]] std::size_t size() const { return m_count; }

private:
    // 32 bytes: one cache line holds two.
    struct HotEntry {
        std::uint32_t hash; // 0: empty
        std::uint16_t length;
        std::uint16_t syllables;
        std::int32_t consonants;
        char bytes[20];
    };
    static constexpr std::size_t HotWordLength = sizeof(HotEntry::bytes);
    static constexpr std::size_t HotSize = 16384; // 512 KB

    static void fillHot(HotEntry& entry, std::uint32_t h, std::string_view word, Counts counts) {
        entry.hash = h;
        entry.length = static_cast<std::uint16_t>(word.size());
        entry.syllables = static_cast<std::uint16_t>(counts.syllables);
        entry.consonants = counts.consonants;
        std::memcpy(entry.bytes, word.data(), word.size());
    }

    // 16 bytes, so more of the table stays in the cache.
    struct Slot {
        std::uint32_t hash; // the hash's low half, never 0; 0 marks an empty slot
        std::uint32_t offset;
        std::uint16_t length;
        std::uint16_t syllables;
        std::int32_t consonants;
    };

    static std::uint32_t hash(std::string_view word) { return HashBytes(word); }

    void grow() { GrowSlots(m_slots, m_mask, 1024); }

    std::vector<Slot> m_slots;
    std::vector<HotEntry> m_hot = std::vector<HotEntry>(HotSize);
    Counts m_found{};
    std::string m_arena;
    std::size_t m_count = 0;
    std::size_t m_mask = 0;
};

} // namespace pelmar::detail
