#pragma once

#include "engine/WordKey.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace pelmar::detail {

// Counts of keyed words in open addressing over a power-of-two table, which several threads
// may read and fill at the same time without a lock: a thread claims a free place by setting
// its key's low half, then writes the high half and the counts, and the counts, never 0,
// publish the entry. A thread that finds a low half without its counts waits a moment for
// them (they follow within nanoseconds), and passes on as if the word were not there if they
// do not come: at worst a word is counted twice and kept twice, with the same counts. The table
// takes words until three quarters of it is used, so a probe always ends at a free place.
class WordTable {
public:
    explicit WordTable(std::size_t places)
        : m_entries(std::make_unique<Entry[]>(places)), m_mask(places - 1),
          m_limit(places / 4 * 3) {}

    WordTable(const WordTable&) = delete;
    WordTable& operator=(const WordTable&) = delete;

    [[nodiscard]] bool find(const WordKey& key, WordCounts& counts) const {
        for (std::size_t i = placeOf(key);; i = (i + 1) & m_mask) {
            const Entry& entry = m_entries[i];
            const std::uint64_t low = entry.low.load(std::memory_order_acquire);
            if (low == 0)
                return false;
            if (low != key.low)
                continue;
            const std::uint64_t value = published(entry);
            if (value != 0 && entry.high.load(std::memory_order_relaxed) == key.high) {
                counts = WordCounts::unpacked(value);
                return true;
            }
        }
    }

    // False when the table is full or the counts do not fit.
    bool insert(const WordKey& key, const WordCounts& counts) {
        if (!counts.fits())
            return false;
        for (std::size_t i = placeOf(key);; i = (i + 1) & m_mask) {
            Entry& entry = m_entries[i];
            std::uint64_t low = entry.low.load(std::memory_order_acquire);
            if (low == 0) {
                if (m_count.load(std::memory_order_relaxed) >= m_limit)
                    return false;
                if (entry.low.compare_exchange_strong(low, key.low, std::memory_order_acq_rel)) {
                    m_count.fetch_add(1, std::memory_order_relaxed);
                    entry.high.store(key.high, std::memory_order_relaxed);
                    entry.value.store(counts.packed(), std::memory_order_release);
                    return true;
                }
                // Another thread took the place first; `low` is now its key's low half.
            }
            if (low == key.low && published(entry) != 0 &&
                entry.high.load(std::memory_order_relaxed) == key.high)
                return true; // there already
        }
    }

    [[nodiscard]] std::size_t size() const { return m_count.load(std::memory_order_relaxed); }
    [[nodiscard]] std::size_t places() const { return m_mask + 1; }
    [[nodiscard]] bool full() const { return size() >= m_limit; }

    // Every published entry; only while no thread fills the table.
    template <typename Visit>
    void forEach(Visit visit) const {
        for (std::size_t i = 0; i <= m_mask; ++i) {
            const Entry& entry = m_entries[i];
            const std::uint64_t value = entry.value.load(std::memory_order_relaxed);
            if (value != 0)
                visit(WordKey{entry.low.load(std::memory_order_relaxed),
                              entry.high.load(std::memory_order_relaxed)},
                      WordCounts::unpacked(value));
        }
    }

private:
    struct Entry {
        std::atomic<std::uint64_t> low{0}; // 0: free
        std::atomic<std::uint64_t> high{0};
        std::atomic<std::uint64_t> value{0}; // 0: not written yet
    };

    // The entry's counts, once its writer has published them; 0 if that takes too long.
    static std::uint64_t published(const Entry& entry) {
        for (int wait = 0; wait < 256; ++wait) {
            if (const std::uint64_t value = entry.value.load(std::memory_order_acquire))
                return value;
#if defined(__x86_64__) || defined(__i386__)
            __builtin_ia32_pause();
#endif
        }
        return 0;
    }

    [[nodiscard]] std::size_t placeOf(const WordKey& key) const {
        return static_cast<std::size_t>(MixedKey(key) >> 32) & m_mask;
    }

    std::unique_ptr<Entry[]> m_entries;
    std::size_t m_mask;
    std::size_t m_limit;
    std::atomic<std::size_t> m_count{0};
};

} // namespace pelmar::detail
