// A text measured in blocks on several threads must count exactly as the plain line-by-line
// run does, whatever its bytes: broken encodings, NUL and other control characters, line ends
// of every kind, hyphens and punctuation at the edges of blocks.

#include "engine/Pelgine.h"
#include "measure/MeasureLines.h"
#include "measure/MeasureText.h"
#include "storage/BuiltinWordData.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// Every count and open flag of a line.
void appendCounts(std::string& out, const pelmar::TTextCounts& c) {
    for (int k = 0; k < 9; ++k)
        out += std::to_string(c.count(k)) + ' ';
    out += c.OpenSentence ? 'S' : '-';
    out += c.OpenClause ? 'C' : '-';
    out += c.OpenPhrase ? "P\n" : "-\n";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto words = pelmar::LoadBuiltinWordData();
    if (size < 2)
        return 0;
    // The first byte picks the measurement conditions, the second the block size.
    pelmar::TMeasureOptions options;
    for (int k = 0; k < pelmar::condition::Count; ++k)
        options.conditions[static_cast<std::size_t>(k)] = (data[0] >> k) & 1;
    const std::size_t blockSize = 1 + data[1] % 64;
    const std::string file(reinterpret_cast<const char*>(data) + 2, size - 2);

    pelmar::TPelgine engine;
    engine.Dictionary = words.get();
    pelmar::TMeasureRequest plain;
    plain.options = &options;
    plain.keepLineCounts = true;
    const pelmar::TMeasurement expected = pelmar::MeasureLines(pelmar::textFileLines(file), engine, plain);
    std::string expectedRows;
    for (const auto& line : expected.lines)
        appendCounts(expectedRows, line);

    const pelmar::TextEncoding encoding = pelmar::detectTextEncoding(file);
    for (int jobs : {1, 2}) {
        std::string rows;
        pelmar::TTextRequest request;
        request.options = &options;
        request.wordData = words.get();
        request.jobs = jobs;
        request.blockSize = blockSize;
        request.row = [](std::string& out, std::size_t, const pelmar::TTextCounts& c) {
            appendCounts(out, c);
        };
        request.write = [&rows](std::string_view piece) { rows += piece; };
        const pelmar::TTextResult result =
            pelmar::MeasureText(pelmar::textFileBody(file, encoding), encoding, request);
        if (rows != expectedRows || result.lines != expected.lines.size())
            std::abort();
        for (int k = 0; k < 9; ++k) {
            if (result.totals.count(k) != expected.totals.count(k))
                std::abort();
        }
    }
    return 0;
}
