#include "history/RecItems.h"

#include <algorithm>

namespace pelmar {

TRecItem* TRecItems::Add(const QString& title, const QString& key) {
    auto item = std::make_unique<TRecItem>();
    item->Title = title;
    item->Key = key;
    item->Serial = ++m_serial;
    m_items.push_back(std::move(item));
    return m_items.back().get();
}

TRecItem* TRecItems::Item(int index) const {
    if (index < 0 || index >= Count())
        return nullptr;
    return m_items[static_cast<std::size_t>(index)].get();
}

void TRecItems::Delete(int index) {
    if (index < 0 || index >= Count())
        return;
    m_items.erase(m_items.begin() + index);
}

void TRecItems::Hide(int index) {
    const TRecItem* item = Item(index);
    if (item == nullptr)
        return;
    const int level = item->SampleLevel();
    if (level >= 0 && SampleLevelCounts[static_cast<std::size_t>(level)] > 0)
        --SampleLevelCounts[static_cast<std::size_t>(level)];
    Delete(index);
}

void TRecItems::Clear() {
    while (!m_items.empty())
        m_items.pop_back();
    m_marks.clear();
    m_serial = -1;
    Sorted = false;
}

std::unique_ptr<TRecItem> TRecItems::Put(int index, std::unique_ptr<TRecItem> item) {
    if (index < 0 || index >= Count())
        return item;
    std::swap(m_items[static_cast<std::size_t>(index)], item);
    return item;
}

int TRecItems::IndexOfKey(const QString& key) const {
    if (key.isEmpty())
        return -1;
    for (int i = 0; i < Count(); ++i) {
        if (m_items[static_cast<std::size_t>(i)]->Key == key)
            return i;
    }
    return -1;
}

void TRecItems::Mark(int index) {
    const auto at = std::lower_bound(m_marks.begin(), m_marks.end(), index);
    if (at == m_marks.end() || *at != index)
        m_marks.insert(at, index);
}

void TRecItems::MoveMarked(int target) {
    std::vector<int> marks;
    marks.swap(m_marks);
    const int n = Count();
    if (target < 0 || target >= n)
        return;
    std::vector<char> marked(static_cast<std::size_t>(n), 0);
    std::vector<int> before; // marked items after the target: they go before it
    std::vector<int> after;  // marked items before the target: they go after it
    bool targetMarked = false;
    for (int m : marks) {
        if (m < 0 || m >= n)
            continue;
        if (m == target) {
            targetMarked = true;
        } else {
            marked[static_cast<std::size_t>(m)] = 1;
            (m > target ? before : after).push_back(m);
        }
    }
    std::vector<int> order;
    order.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        if (marked[static_cast<std::size_t>(i)])
            continue;
        if (i != target) {
            order.push_back(i);
            continue;
        }
        // A marked target keeps its place and the others follow it.
        if (!targetMarked)
            order.insert(order.end(), before.begin(), before.end());
        order.push_back(target);
        order.insert(order.end(), after.begin(), after.end());
        if (targetMarked)
            order.insert(order.end(), before.begin(), before.end());
    }
    Reorder(order);
}

void TRecItems::Reorder(const std::vector<int>& order) {
    std::vector<std::unique_ptr<TRecItem>> items;
    items.reserve(m_items.size());
    for (int from : order)
        items.push_back(std::move(m_items[static_cast<std::size_t>(from)]));
    m_items.swap(items);
}

void TRecItems::CopyFrom(const TRecItems& other) {
    for (const auto& source : other.m_items) {
        TRecItem* copy = Add(source->Title, source->Key);
        copy->Values = source->Values;
        copy->Style = source->Style;
        copy->Kind = source->Kind;
        copy->FileName = source->FileName;
        copy->ListName = source->ListName;
    }
}

int TRecItems::SampleCount() const {
    return SampleLevelCounts[0] + SampleLevelCounts[1] + SampleLevelCounts[2];
}

int TRecItems::SampleEnd(int level) const {
    level = std::clamp(level, 0, SampleLevelCount - 1);
    int end = 0;
    for (int l = 0; l <= level; ++l)
        end += SampleLevelCounts[static_cast<std::size_t>(l)];
    return end;
}

int TRecItems::SampleStart(int level) const {
    level = std::clamp(level, 0, SampleLevelCount - 1);
    return SampleEnd(level) - SampleLevelCounts[static_cast<std::size_t>(level)];
}

int TRecItems::MaxGrade() const {
    int result = -20;
    for (const auto& item : m_items) {
        for (int f = 0; f < GradeFormulaCount; ++f)
            result = std::max(result, item->Tenths(f));
    }
    return result;
}

int TRecItems::MinGrade() const {
    int result = 10;
    for (const auto& item : m_items) {
        for (int f = 0; f < GradeFormulaCount; ++f)
            result = std::min(result, item->Tenths(f));
    }
    return result;
}

} // namespace pelmar
