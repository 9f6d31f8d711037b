#include "history/HistorySections.h"

namespace pelmar {

namespace detail {

std::string foldedName(std::string_view name) {
    std::string folded(name);
    for (std::size_t i = 0; i < folded.size(); ++i) {
        const auto c = static_cast<unsigned char>(folded[i]);
        if (((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) && i + 1 < folded.size()) {
            ++i; // the trail byte is part of the character, never a letter
        } else if (c >= 'A' && c <= 'Z') {
            folded[i] = static_cast<char>(c - 'A' + 'a');
        }
    }
    return folded;
}

std::string_view listEntry(std::string_view line) {
    const std::size_t eq = line.find('=');
    return eq == std::string_view::npos ? line : line.substr(eq + 1);
}

} // namespace detail

THistorySections::THistorySections(const TDataFile& file) : m_file(file) {
    const auto& lines = file.Lines();
    const int count = static_cast<int>(lines.size());
    std::string name;
    int header = -1; // the open section's header line, -1 when none can be found by name
    auto close = [&](int end) {
        // The first section of a name is the one every lookup finds.
        if (header >= 0)
            m_sections.try_emplace(detail::foldedName(name), TRange{header + 1, end});
    };
    for (int i = 0; i < count; ++i) {
        const std::string& line = lines[static_cast<std::size_t>(i)];
        if (line.empty() || line.front() != '[')
            continue;
        close(i);
        // A line "[" name "]" is found by that name; one without the closing bracket still ends
        // the section before it but is found by none.
        const bool named = line.size() >= 2 && line.back() == ']';
        header = named ? i : -1;
        if (named)
            name.assign(line, 1, line.size() - 2);
    }
    close(count);
}

const THistorySections::TRange* THistorySections::find(std::string_view section) const {
    const auto it = m_sections.find(detail::foldedName(section));
    return it == m_sections.end() ? nullptr : &it->second;
}

std::vector<std::string> THistorySections::values(std::string_view section) const {
    std::vector<std::string> result;
    const TRange* range = find(section);
    if (!range)
        return result;
    for (int i = range->begin; i < range->end; ++i) {
        const std::string& line = m_file[i];
        if (!line.empty())
            result.emplace_back(detail::listEntry(line));
    }
    return result;
}

std::string THistorySections::readString(const TRange& range, std::string_view name,
                                          std::string_view defaultValue) const {
    const std::string folded = detail::foldedName(name);
    for (int i = range.begin; i < range.end; ++i) {
        const std::string& line = m_file[i];
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos && eq == folded.size() &&
            detail::foldedName(std::string_view(line).substr(0, eq)) == folded)
            return line.substr(eq + 1);
    }
    return std::string(defaultValue);
}

} // namespace pelmar
