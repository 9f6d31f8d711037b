#pragma once

#include "history/RecItem.h"

#include <QString>

#include <array>
#include <memory>
#include <vector>

namespace pelmar {

inline constexpr int SampleLevelCount = 3;

// The records the history window lists and the line graph draws, in collection order (the
// window shows it backwards, newest on top). Sample items, when loaded, take the first
// positions: level 0, then 1, then 2.
class TRecItems {
public:
    TRecItems() = default;
    TRecItems(const TRecItems&) = delete;
    TRecItems& operator=(const TRecItems&) = delete;

    // Appends a new item with the next serial number.
    TRecItem* Add(const QString& title, const QString& key);
    [[nodiscard]] int Count() const { return static_cast<int>(m_items.size()); }
    // The item at an index, or nullptr when the index is out of range.
    [[nodiscard]] TRecItem* Item(int index) const;
    // Frees the item at an index; an index out of range is ignored.
    void Delete(int index);
    // Frees the item at an index as the window hides it: a sample also leaves the count of its
    // level, whatever position a sort gave it.
    void Hide(int index);
    // Frees every item, forgets the marks and the sort, and starts the serials again at 0.
    void Clear();
    // Puts an item at an index and hands back the one it replaces, which the caller now owns.
    // Out of range: nothing changes and `item` is handed back.
    std::unique_ptr<TRecItem> Put(int index, std::unique_ptr<TRecItem> item);
    // First position whose key equals `key` exactly; -1 when none or for an empty key.
    [[nodiscard]] int IndexOfKey(const QString& key) const;

    // Marks a position for MoveMarked (kept sorted, without duplicates).
    void Mark(int index);
    [[nodiscard]] const std::vector<int>& Marks() const { return m_marks; }
    // Moves the marked items next to the item at `target`: those after it in the collection go
    // just before it in their order, those before it go just after it in their order (so a
    // block dragged onto a row keeps its order); a marked target stays. Clears the marks.
    void MoveMarked(int target);

    // Appends a copy of every item of `other`; each copy gets a new serial.
    void CopyFrom(const TRecItems& other);

    // Sample items loaded per level.
    std::array<int, SampleLevelCount> SampleLevelCounts{};
    [[nodiscard]] int SampleCount() const;
    // The sample items of a level (clamped to 0..2) are the positions [start, end).
    [[nodiscard]] int SampleStart(int level) const;
    [[nodiscard]] int SampleEnd(int level) const;

    // The largest (at least -20) and smallest (at most 10) tenths of the grade-level formulas
    // PMJP..ARI over all items.
    [[nodiscard]] int MaxGrade() const;
    [[nodiscard]] int MinGrade() const;

    // Set by a sort, cleared by Clear: the sample level markers of the graph only make sense
    // while the samples sit in their loaded order.
    bool Sorted = false;

    // Reorders the items: position i receives the item that was at order[i]. `order` must be a
    // permutation of 0..Count-1.
    void Reorder(const std::vector<int>& order);

private:
    std::vector<std::unique_ptr<TRecItem>> m_items;
    std::vector<int> m_marks;
    int m_serial = -1;
};

} // namespace pelmar
