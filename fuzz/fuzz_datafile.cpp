// A data file loaded from an arbitrary container, then read and written section by section.
// Lines never hold a line end, so whatever we end up with must survive a save and reload.
#include "storage/DataFile.h"
#include "storage/DeltaCode.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray container(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    pelmar::TDataFile file{QString()};
    if (!file.LoadFromCompressedStream(container).ok()) {
        // Mutations that change the length would almost always stop at the size field; mend it
        // once so the fuzzer also gets to the lines behind it.
        if (container.size() < 8) {
            return 0;
        }
        for (int i = 0; i < 4; ++i) {
            container[4 + i] = static_cast<char>((container.size() >> (8 * i)) & 0xFF);
        }
        if (!file.LoadFromCompressedStream(container).ok()) {
            return 0;
        }
    }

    // Names taken from the file itself, so the lookups hit real sections and keys.
    std::string section = "fuzz";
    std::string key = "key";
    std::string other = "other";
    int headers = 0;
    for (const std::string& line : file.Lines()) {
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            (headers++ == 0 ? section : other) = line.substr(1, line.size() - 2);
        }
    }
    for (const std::string& line : file.ReadSection(section)) {
        if (const auto eq = line.find('='); eq != std::string::npos) {
            key = line.substr(0, eq);
            break;
        }
    }

    check(file.SectionExists(section) == (headers > 0));
    check(file.ReadValues(section).size() == file.ReadSection(section).size());
    (void)file.ReadString(section, key, "");
    (void)file.ReadInteger(other, key, 0);

    file.WriteString(section, key, "fz");
    check(contains(file.ReadSection(section), key + "=fz"));
    file.WriteInteger(other, "n", 42);
    // A section whose header appears twice is rewritten once; the reader then still finds the
    // first copy, so the check only holds for a single header.
    const std::string header = "[" + section + "]";
    const auto copies =
        std::count_if(file.Lines().begin(), file.Lines().end(), [&](const std::string& line) {
            return pelmar::detail::sameText(line, header);
        });
    file.AddToSection(section, "item");
    check(copies > 1 || contains(file.ReadSection(section), "item"));
    file.WriteString(section, key, "");
    file.DeleteSection(other);
    file.WriteSection("new", file.ReadValues(section));

    pelmar::TDeltaCode coder;
    coder.Plain = file.Text();
    check(coder.Encode());
    pelmar::TCompressStringList reloaded;
    check(reloaded.LoadFromCompressedStream(coder.Compressed).ok());
    check(reloaded.Lines() == file.Lines());
    return 0;
}
