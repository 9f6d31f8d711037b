#pragma once

#include "storage/DataFile.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pelmar {

// A lookup of the sections of a loaded history file, built in one pass, so that reading
// thousands of records does not scan the whole file once per value. It finds what TDataFile's
// own lookups find (the first section of a name, its first key line of a name, both without
// regard to ASCII letter case) and must not outlive the file or see it changed.
class THistorySections {
public:
    explicit THistorySections(const TDataFile& file);

    struct TRange {
        int begin = 0; // first line after the header
        int end = 0;   // the next header or the end of the file
    };
    // The section's lines, or nothing for an absent section.
    [[nodiscard]] const TRange* find(std::string_view section) const;
    [[nodiscard]] bool exists(std::string_view section) const { return find(section) != nullptr; }
    // The section's non-empty lines cut to the text after their first "=", as list entries.
    [[nodiscard]] std::vector<std::string> values(std::string_view section) const;
    // The value of the section's first key line of that name, or `defaultValue`.
    [[nodiscard]] std::string readString(const TRange& range, std::string_view name,
                                         std::string_view defaultValue) const;

    [[nodiscard]] const TDataFile& file() const { return m_file; }

private:
    const TDataFile& m_file;
    std::unordered_map<std::string, TRange> m_sections;
};

namespace detail {
// The form under which two names match when TDataFile compares them: ASCII letters lowered,
// double-byte characters kept whole.
[[nodiscard]] std::string foldedName(std::string_view name);
// The list entry of a line: the text after its first "=", else the whole line.
[[nodiscard]] std::string_view listEntry(std::string_view line);
} // namespace detail

} // namespace pelmar
