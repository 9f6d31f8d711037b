#pragma once

#include "storage/CompressStringList.h"

#include <QString>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pelmar {

// An INI-like file held in memory: section headers "[name]", key lines "name=value" and plain
// items. Section headers and key names are matched without regard to ASCII letter case (a
// double-byte character is compared whole); WriteString finds the key line to replace by its
// exact name. All strings are CP932 bytes.
class TDataFile : public TCompressStringList {
public:
    // Loads the file when it exists (a missing file is simply an empty list).
    explicit TDataFile(QString fileName);

    QString FileName;
    bool ReadOnly = false;

    // The result of the load done by the constructor.
    [[nodiscard]] const LoadResult& CreateResult() const { return m_createResult; }

    [[nodiscard]] bool SectionExists(std::string_view section) const;
    // Every non-empty line of the section, unchanged; empty for an absent section.
    [[nodiscard]] std::vector<std::string> ReadSection(std::string_view section) const;
    // As ReadSection, each line cut to the text after its first "=".
    [[nodiscard]] std::vector<std::string> ReadValues(std::string_view section) const;
    [[nodiscard]] std::string ReadString(std::string_view section, std::string_view name,
                                         std::string_view defaultValue) const;
    [[nodiscard]] int ReadInteger(std::string_view section, std::string_view name,
                                  int defaultValue) const;
    // Returns the index of the written line, or -1 when nothing was written.
    int WriteString(std::string_view section, std::string_view name, std::string_view value);
    int WriteInteger(std::string_view section, std::string_view name, int value);
    void DeleteSection(std::string_view section);
    void WriteSection(std::string_view section, const std::vector<std::string>& lines);
    void AddToSection(std::string_view section, std::string_view line);

    // Writes the file back unless it is read-only or nameless. The caller frees the object
    // (see the free function below).
    SaveResult Save() const;

private:
    LoadResult m_createResult;
};

// Saves (as TDataFile::Save) and frees the file.
SaveResult SaveAndFree(std::unique_ptr<TDataFile>& file);

// The history store's files: the same class under its own name.
class TDataIndexFile : public TDataFile {
public:
    using TDataFile::TDataFile;
};

namespace detail {
// Case-insensitive comparison for ASCII letters; double-byte CP932 characters compare exactly.
[[nodiscard]] bool sameText(std::string_view a, std::string_view b);
// Decimal integer with optional leading blanks and sign; nullopt-like failure as `ok` false.
[[nodiscard]] int toIntDef(std::string_view text, int defaultValue, bool* ok = nullptr);
} // namespace detail

} // namespace pelmar
