#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace pelmar::detail {

// Counts of words already seen, for the engine's hot path: open addressing over a power-of-two
// table with the words' bytes kept in one arena, so a lookup is a hash, one or two probes and a
// short compare. Long words are not kept; they are rare and cheap to count again.
class WordCache {
public:
    struct Counts {
        int syllables;
        int consonants;
    };

    static constexpr std::size_t MaxWordLength = 48;

    [[nodiscard]] const Counts* find(std::string_view word) const {
        if (m_slots.empty() || word.size() > MaxWordLength)
            return nullptr;
        const std::uint32_t h = hash(word);
        for (std::size_t i = h & m_mask;; i = (i + 1) & m_mask) {
            const Slot& slot = m_slots[i];
            if (slot.hash == 0)
                return nullptr;
            if (slot.hash == h && slot.length == word.size() &&
                sameBytes(m_arena.data() + slot.offset, word.data(), word.size())) {
                m_found = {slot.syllables, slot.consonants};
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
    }

    void clear() {
        m_slots.clear();
        m_arena.clear();
        m_count = 0;
        m_mask = 0;
    }

    [[nodiscard]] std::size_t size() const { return m_count; }

private:
    // 16 bytes, so more of the table stays in the cache.
    struct Slot {
        std::uint32_t hash; // the hash's low half, never 0; 0 marks an empty slot
        std::uint32_t offset;
        std::uint16_t length;
        std::uint16_t syllables;
        std::int32_t consonants;
    };

    static std::uint64_t load(const char* p, std::size_t n) {
        std::uint64_t v = 0;
        std::memcpy(&v, p, n);
        return v;
    }

    // Words are short: a few overlapping fixed-size loads cover any length up to 16 bytes
    // without a byte loop; longer words mix 8 bytes at a time.
    static std::uint32_t hash(std::string_view word) {
        const char* p = word.data();
        const std::size_t n = word.size();
        std::uint64_t a, b;
        if (n >= 8) {
            a = load(p, 8);
            b = load(p + n - 8, 8);
            for (std::size_t i = 8; i + 8 < n; i += 8)
                a = (a ^ load(p + i, 8)) * 0xBF58476D1CE4E5B9ull;
        } else if (n >= 4) {
            a = load(p, 4);
            b = load(p + n - 4, 4);
        } else if (n > 0) {
            a = static_cast<unsigned char>(p[0]) | static_cast<unsigned char>(p[n / 2]) << 8 |
                static_cast<unsigned char>(p[n - 1]) << 16;
            b = 0;
        } else {
            a = b = 0;
        }
        std::uint64_t h = (a ^ 0x9E3779B97F4A7C15ull ^ n) * 0xBF58476D1CE4E5B9ull;
        h = (h ^ (h >> 31) ^ b) * 0x94D049BB133111EBull;
        h ^= h >> 29;
        return static_cast<std::uint32_t>(h) | 1u; // never 0
    }

    static bool sameBytes(const char* a, const char* b, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) {
            if (a[i] != b[i])
                return false;
        }
        return true;
    }

    void grow() {
        std::vector<Slot> old = std::move(m_slots);
        m_slots.assign(old.empty() ? 1024 : old.size() * 2, Slot{});
        m_mask = m_slots.size() - 1;
        for (const Slot& slot : old) {
            if (slot.hash == 0)
                continue;
            std::size_t i = slot.hash & m_mask;
            while (m_slots[i].hash != 0)
                i = (i + 1) & m_mask;
            m_slots[i] = slot;
        }
    }

    std::vector<Slot> m_slots;
    mutable Counts m_found{};
    std::string m_arena;
    std::size_t m_count = 0;
    std::size_t m_mask = 0;
};

} // namespace pelmar::detail
