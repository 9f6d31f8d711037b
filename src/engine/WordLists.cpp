#include "engine/WordLists.h"

#include "engine/Bytes.h"
#include "storage/DataFile.h"

#include <algorithm>

namespace pelmar {
namespace detail {

ListedIndex::ListedIndex(std::vector<std::string> items) : m_items(std::move(items)) {
    m_prefixMax.reserve(m_items.size());
    std::uint32_t best = 0;
    for (std::uint32_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i] > m_items[best])
            best = i;
        m_prefixMax.push_back(best);
    }
}

bool ListedIndex::contains(std::string_view word) const {
    const std::string_view w = bytes::trimmed(word);
    // The scan stops at the first item that equals the word or sorts after it, which is the
    // first position whose prefix maximum is not below the word.
    auto it = std::partition_point(m_prefixMax.begin(), m_prefixMax.end(),
                                   [&](std::uint32_t i) { return m_items[i] < w; });
    if (it == m_prefixMax.end())
        return false;
    const auto position = static_cast<std::size_t>(it - m_prefixMax.begin());
    return m_items[position] == w;
}

AffixIndex::AffixIndex(const std::vector<std::string>& items) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        m_lastIndex[items[i]] = i;
        m_lengths.push_back(items[i].size());
    }
    std::sort(m_lengths.begin(), m_lengths.end());
    m_lengths.erase(std::unique(m_lengths.begin(), m_lengths.end()), m_lengths.end());
}

bool AffixIndex::cutTail(std::string& word) const {
    const std::string_view w = word;
    std::size_t bestIndex = 0, bestLength = 0;
    bool found = false;
    for (std::size_t length : m_lengths) {
        if (length + 1 > w.size())
            break;
        auto it = m_lastIndex.find(w.substr(w.size() - length));
        if (it != m_lastIndex.end() && (!found || it->second > bestIndex)) {
            found = true;
            bestIndex = it->second;
            bestLength = length;
        }
    }
    if (found)
        word.resize(word.size() - bestLength);
    return found;
}

bool AffixIndex::cutHead(std::string& word) const {
    const std::string_view w = word;
    std::size_t bestIndex = 0, bestLength = 0;
    bool found = false;
    for (std::size_t length : m_lengths) {
        if (length + 2 >= w.size())
            break;
        auto it = m_lastIndex.find(w.substr(0, length));
        if (it != m_lastIndex.end() && (!found || it->second > bestIndex)) {
            found = true;
            bestIndex = it->second;
            bestLength = length;
        }
    }
    if (found)
        word = word.substr(bestLength, 99);
    return found;
}

} // namespace detail

namespace {

std::vector<std::string> section(const TDataFile* data, std::string_view name) {
    return data ? data->ReadSection(name) : std::vector<std::string>{};
}

} // namespace

WordLists::WordLists(const TDataFile* data) : m_data(data) {
    abbreviation = detail::ListedIndex(section(data, "abbreviation"));
    for (int i = 0; i < 6; ++i)
        words[i] = detail::ListedIndex(section(data, "word_" + std::to_string(i + 1)));
    for (int i = 0; i < 4; ++i)
        tails[i] = detail::AffixIndex(section(data, "tail_" + std::to_string(i)));
    headTop1 = detail::AffixIndex(section(data, "head_top_1"));
    for (int i = 0; i < 4; ++i)
        heads[i] = detail::AffixIndex(section(data, "head_" + std::to_string(i + 1)));
}

const detail::ListedIndex& WordLists::listed(std::string_view name) const {
    auto it = m_otherListed.find(name);
    if (it == m_otherListed.end())
        it = m_otherListed.emplace(std::string(name), detail::ListedIndex(section(m_data, name))).first;
    return it->second;
}

const detail::AffixIndex& WordLists::affix(std::string_view name) const {
    auto it = m_otherAffix.find(name);
    if (it == m_otherAffix.end())
        it = m_otherAffix.emplace(std::string(name), detail::AffixIndex(section(m_data, name))).first;
    return it->second;
}

} // namespace pelmar
