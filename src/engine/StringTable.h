#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace pelmar::detail {

// A hash of a short byte string, never 0 (0 marks an empty slot). Words are short: a few
// overlapping fixed-size loads cover any length up to 16 bytes without a byte loop; longer
// strings mix 8 bytes at a time.
[[nodiscard]] inline std::uint32_t HashBytes(std::string_view bytes) {
    auto load = [](const char* p, std::size_t n) {
        std::uint64_t v = 0;
        std::memcpy(&v, p, n);
        return v;
    };
    const char* p = bytes.data();
    const std::size_t n = bytes.size();
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
    return static_cast<std::uint32_t>(h) | 1u;
}

// Whether n bytes at a and b are equal, for the short strings of the word tables: whole words
// are compared (overlapping at the end) instead of calling out for a few bytes.
[[nodiscard]] inline bool EqualBytes(const char* a, const char* b, std::size_t n) {
    auto load8 = [](const char* p) {
        std::uint64_t v;
        std::memcpy(&v, p, 8);
        return v;
    };
    auto load4 = [](const char* p) {
        std::uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    };
    if (n >= 8) {
        for (std::size_t i = 0; i + 8 < n; i += 8) {
            if (load8(a + i) != load8(b + i))
                return false;
        }
        return load8(a + n - 8) == load8(b + n - 8);
    }
    if (n >= 4)
        return load4(a) == load4(b) && load4(a + n - 4) == load4(b + n - 4);
    for (std::size_t i = 0; i < n; ++i) {
        if (a[i] != b[i])
            return false;
    }
    return true;
}

// Doubles an open-addressing table of slots that carry their nonzero `hash` (0: empty) and
// puts every slot back by linear probing; `initial` is the size of a table that was empty.
template <typename Slot>
void GrowSlots(std::vector<Slot>& slots, std::size_t& mask, std::size_t initial) {
    std::vector<Slot> old = std::move(slots);
    slots.assign(old.empty() ? initial : old.size() * 2, Slot{});
    mask = slots.size() - 1;
    for (const Slot& slot : old) {
        if (slot.hash == 0)
            continue;
        std::size_t i = slot.hash & mask;
        while (slots[i].hash != 0)
            i = (i + 1) & mask;
        slots[i] = slot;
    }
}

// Byte strings with a 32-bit value each, filled once and then only read, for the word lists the
// syllable rules look words up in thousands of times a second: open addressing over a
// power-of-two table, the strings in one arena.
class StringTable {
public:
    // Sets the value of `key`, adding the key when it is new.
    void set(std::string_view key, std::uint32_t value) {
        if ((m_count + 1) * 2 > m_slots.size())
            grow();
        const std::uint32_t h = HashBytes(key);
        std::size_t i = h & m_mask;
        for (; m_slots[i].hash != 0; i = (i + 1) & m_mask) {
            if (matches(m_slots[i], h, key)) {
                m_slots[i].value = value;
                return;
            }
        }
        m_slots[i] = Slot{h, static_cast<std::uint32_t>(m_arena.size()),
                          static_cast<std::uint32_t>(key.size()), value};
        m_arena.append(key);
        ++m_count;
    }

    // The value of `key`, or null.
    [[nodiscard]] const std::uint32_t* find(std::string_view key) const {
        return m_count == 0 ? nullptr : find(key, HashBytes(key));
    }
    // The same with the key's HashBytes already known, for a key asked of several tables.
    [[nodiscard]] const std::uint32_t* find(std::string_view key, std::uint32_t h) const {
        if (m_count == 0)
            return nullptr;
        for (std::size_t i = h & m_mask; m_slots[i].hash != 0; i = (i + 1) & m_mask) {
            if (matches(m_slots[i], h, key))
                return &m_slots[i].value;
        }
        return nullptr;
    }

    [[nodiscard]] std::size_t size() const { return m_count; }

    // Every key with its value, in no particular order.
    template <typename Visit>
    void forEach(Visit visit) const {
        for (const Slot& slot : m_slots) {
            if (slot.hash != 0)
                visit(std::string_view(m_arena.data() + slot.offset, slot.length), slot.value);
        }
    }

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
        std::uint32_t value = 0;
    };

    bool matches(const Slot& slot, std::uint32_t h, std::string_view key) const {
        return slot.hash == h && slot.length == key.size() &&
               EqualBytes(m_arena.data() + slot.offset, key.data(), key.size());
    }

    void grow() { GrowSlots(m_slots, m_mask, 16); }

    std::vector<Slot> m_slots;
    std::string m_arena;
    std::size_t m_count = 0;
    std::size_t m_mask = 0;
};

} // namespace pelmar::detail
