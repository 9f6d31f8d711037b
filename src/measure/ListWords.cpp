#include "measure/ListWords.h"

#include "engine/Pelgine.h"
#include "measure/OrderedBlocks.h"

#include <charconv>
#include <memory>
#include <vector>

namespace pelmar {
namespace {

struct Block {
    std::string_view bytes;
    TCp932Lines lines;
    std::string listing;
};

void appendNumber(std::string& out, int value) {
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

} // namespace

void ListWords(std::string_view text, TextEncoding encoding, const TDataFile* wordData, int jobs,
               const std::function<void(std::string_view piece)>& write, std::size_t blockSize) {
    jobs = std::max(1, jobs);
    std::vector<std::unique_ptr<TPelgine>> engines(static_cast<std::size_t>(jobs));
    for (auto& engine : engines) {
        engine = std::make_unique<TPelgine>();
        engine->Dictionary = wordData;
    }
    std::size_t produced = 0;
    TBlockSteps<Block> steps;
    steps.produce = [&](Block& b) {
        if (produced >= text.size())
            return false;
        const std::size_t end = TextBlockEnd(text, produced, blockSize);
        b.bytes = text.substr(produced, end - produced);
        produced = end;
        return true;
    };
    steps.prepare = [&](Block& b, int) { b.lines.assign(b.bytes, encoding); };
    steps.link = [](Block&) {};
    steps.finish = [&](Block& b, int worker) {
        TPelgine& engine = *engines[static_cast<std::size_t>(worker)];
        b.listing.clear();
        engine.OnWordClosed = [&b](std::string_view word, int syllables, int consonants) {
            b.listing += word;
            b.listing += '\t';
            appendNumber(b.listing, syllables);
            b.listing += '\t';
            appendNumber(b.listing, consonants);
            b.listing += '\n';
        };
        for (std::string_view line : b.lines.lines()) {
            engine.Clear();
            engine.Text.assign(line);
            engine.Analyze();
        }
        engine.OnWordClosed = nullptr;
    };
    steps.consume = [&](Block& b) {
        if (!b.listing.empty())
            write(b.listing);
    };
    RunOrderedBlocks(jobs, steps);
}

} // namespace pelmar
