#pragma once

#include "engine/WordKey.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pelmar::detail {

// Counts of keyed words in open addressing over a power-of-two table. An entry is a key and
// packed counts, so a lookup reads one place (or two) and compares two numbers. The table
// doubles when three quarters full: kept that full it answers a little slower from the
// processor's caches but holds a large vocabulary in half the memory, and so more of it stays
// in those caches. The empty word, whose key is 0, is never kept.
class WordTable {
public:
    [[nodiscard]] bool find(const WordKey& key, WordCounts& counts) const {
        if (m_entries.empty())
            return false;
        // A free place has a key of 0, which no word has; its low half is read first, since
        // it alone tells most places apart.
        for (std::size_t i = placeOf(key);; i = (i + 1) & m_mask) {
            const Entry& entry = m_entries[i];
            if (entry.key.low == key.low) {
                if (entry.key.high == key.high) {
                    counts = WordCounts::unpacked(entry.value);
                    return true;
                }
            } else if (entry.key.low == 0) {
                return false;
            }
        }
    }

    // Adds the word, or sets its counts anew. Counts that do not fit are not kept.
    void insert(const WordKey& key, const WordCounts& counts) {
        if (!counts.fits() || key.low == 0)
            return;
        if ((m_count + 1) * 4 > m_entries.size() * 3)
            grow();
        std::size_t i = placeOf(key);
        while (m_entries[i].key.low != 0 && !(m_entries[i].key == key))
            i = (i + 1) & m_mask;
        m_count += m_entries[i].key.low == 0;
        m_entries[i] = Entry{key, counts.packed()};
    }

    [[nodiscard]] std::size_t size() const { return m_count; }

    void clear() {
        m_entries.clear();
        m_count = 0;
        m_mask = 0;
    }

private:
    struct Entry {
        WordKey key; // 0: free
        std::uint64_t value = 0;
    };

    [[nodiscard]] std::size_t placeOf(const WordKey& key) const {
        return static_cast<std::size_t>(MixedKey(key) >> 32) & m_mask;
    }

    void grow() {
        std::vector<Entry> old = std::move(m_entries);
        m_entries.assign(old.empty() ? 1024 : old.size() * 2, Entry{});
        m_mask = m_entries.size() - 1;
        for (const Entry& entry : old) {
            if (entry.key.low == 0)
                continue;
            std::size_t i = placeOf(entry.key);
            while (m_entries[i].key.low != 0)
                i = (i + 1) & m_mask;
            m_entries[i] = entry;
        }
    }

    std::vector<Entry> m_entries;
    std::size_t m_count = 0;
    std::size_t m_mask = 0;
};

} // namespace pelmar::detail
