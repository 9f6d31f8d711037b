#include "storage/DataFile.h"

#include <QFileInfo>

#include <algorithm>
#include <cstdint>
#include <optional>

namespace pelmar {

namespace {

bool isLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isHeaderLine(const std::string& line) {
    return !line.empty() && line.front() == '[';
}

std::string headerLine(std::string_view section) {
    std::string header;
    header.reserve(section.size() + 2);
    header += '[';
    header += section;
    header += ']';
    return header;
}

// The text before the first "=", or nothing for a line that is not a key line.
std::optional<std::string_view> keyName(const std::string& line) {
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) {
        return std::nullopt;
    }
    return std::string_view(line).substr(0, eq);
}

std::string keyLine(std::string_view name, std::string_view value) {
    std::string line;
    line.reserve(name.size() + 1 + value.size());
    line += name;
    line += '=';
    line += value;
    return line;
}

} // namespace

namespace detail {

bool sameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto c = static_cast<unsigned char>(a[i]);
        if (isLeadByte(c) && i + 1 < a.size()) {
            // The second byte of a double-byte character may look like an ASCII letter; it is
            // not one, so the pair must match exactly.
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) {
                return false;
            }
            ++i;
        } else if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

int toIntDef(std::string_view text, int defaultValue, bool* ok) {
    const auto failed = [&] {
        if (ok != nullptr) {
            *ok = false;
        }
        return defaultValue;
    };
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size()) {
        return failed();
    }
    constexpr std::int64_t limit = std::int64_t{1} << 31; // magnitude of INT_MIN
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return failed();
        }
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit) {
            return failed();
        }
    }
    if (!negative && magnitude == limit) {
        return failed();
    }
    if (ok != nullptr) {
        *ok = true;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

} // namespace detail

namespace {

// Index of the section's header line, or -1.
int findSection(const TCompressStringList& list, std::string_view section) {
    const std::string header = headerLine(section);
    const auto& lines = list.Lines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (isHeaderLine(lines[i]) && detail::sameText(lines[i], header)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// One past the last line of the section whose header is at `header`.
int sectionEnd(const TCompressStringList& list, int header) {
    const auto& lines = list.Lines();
    std::size_t i = static_cast<std::size_t>(header) + 1;
    while (i < lines.size() && !isHeaderLine(lines[i])) {
        ++i;
    }
    return static_cast<int>(i);
}

} // namespace

TDataFile::TDataFile(QString fileName) : FileName(std::move(fileName)) {
    if (QFileInfo(FileName).isFile()) {
        m_createResult = LoadFromFile(FileName);
    }
    ReadOnly = false;
}

bool TDataFile::SectionExists(std::string_view section) const {
    return findSection(*this, section) >= 0;
}

std::vector<std::string> TDataFile::ReadSection(std::string_view section) const {
    std::vector<std::string> result;
    const int header = findSection(*this, section);
    if (header < 0) {
        return result;
    }
    const int end = sectionEnd(*this, header);
    result.reserve(static_cast<std::size_t>(end - header - 1));
    for (int i = header + 1; i < end; ++i) {
        if (!(*this)[i].empty()) {
            result.push_back((*this)[i]);
        }
    }
    return result;
}

std::vector<std::string> TDataFile::ReadValues(std::string_view section) const {
    std::vector<std::string> result = ReadSection(section);
    for (std::string& line : result) {
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos) {
            line.erase(0, eq + 1);
        }
    }
    return result;
}

std::string TDataFile::ReadString(std::string_view section, std::string_view name,
                                  std::string_view defaultValue) const {
    const int header = findSection(*this, section);
    if (header >= 0) {
        const int end = sectionEnd(*this, header);
        for (int i = header + 1; i < end; ++i) {
            const std::string& line = (*this)[i];
            const auto key = keyName(line);
            if (key && detail::sameText(*key, name)) {
                return line.substr(key->size() + 1);
            }
        }
    }
    return std::string(defaultValue);
}

int TDataFile::ReadInteger(std::string_view section, std::string_view name,
                           int defaultValue) const {
    return detail::toIntDef(ReadString(section, name, "a"), defaultValue);
}

int TDataFile::WriteString(std::string_view section, std::string_view name,
                           std::string_view value) {
    const std::string line = keyLine(name, value);
    const int header = findSection(*this, section);
    if (header < 0) {
        if (value.empty()) {
            return -1;
        }
        Add(headerLine(section));
        Add(line);
        return Count() - 1;
    }

    const int end = sectionEnd(*this, header);
    if (!value.empty()) {
        for (int i = header + 1; i < end; ++i) {
            if ((*this)[i] == line) {
                return -1;
            }
        }
    }
    for (int i = header + 1; i < end; ++i) {
        const auto key = keyName((*this)[i]);
        if (key && *key == name) {
            Delete(i);
            if (value.empty()) {
                return -1;
            }
            Insert(i, line);
            return i;
        }
    }
    // Not in the section: the new line goes at its end, which is just before the next header or
    // the end of the file. An empty value never reaches past its own section.
    if (value.empty()) {
        return -1;
    }
    Insert(end, line);
    return end;
}

int TDataFile::WriteInteger(std::string_view section, std::string_view name, int value) {
    return WriteString(section, name, std::to_string(value));
}

void TDataFile::DeleteSection(std::string_view section) {
    const int header = findSection(*this, section);
    if (header < 0) {
        return;
    }
    const int end = sectionEnd(*this, header);
    const auto& lines = Lines();
    std::vector<std::string> kept;
    kept.reserve(lines.size() - static_cast<std::size_t>(end - header));
    kept.insert(kept.end(), lines.begin(), lines.begin() + header);
    kept.insert(kept.end(), lines.begin() + end, lines.end());
    SetLines(std::move(kept));
}

void TDataFile::WriteSection(std::string_view section, const std::vector<std::string>& lines) {
    DeleteSection(section);
    Add(headerLine(section));
    for (const std::string& line : lines) {
        Add(line);
    }
}

void TDataFile::AddToSection(std::string_view section, std::string_view line) {
    // A record key is added once; keys hold no letters that differ only in case, and a list
    // line is found the way section names are.
    std::vector<std::string> lines = ReadSection(section);
    if (std::none_of(lines.begin(), lines.end(),
                     [&](const std::string& l) { return detail::sameText(l, line); })) {
        lines.emplace_back(line);
    }
    WriteSection(section, lines);
}

SaveResult TDataFile::Save() const {
    // Linux paths have no drive letters to vet, so any named file that may be written is.
    if (ReadOnly || FileName.isEmpty()) {
        return SaveResult{};
    }
    return SaveToFile(FileName);
}

SaveResult SaveAndFree(std::unique_ptr<TDataFile>& file) {
    SaveResult result;
    if (file) {
        result = file->Save();
    }
    file.reset();
    return result;
}

} // namespace pelmar
