// The engine on arbitrary bytes: any text, however broken its double-byte characters, must be
// analysed without reading out of bounds, and the counts must stay consistent.

#include "engine/Consonants.h"
#include "engine/NormalizeText.h"
#include "engine/Pelgine.h"
#include "storage/BuiltinWordData.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto words = pelmar::LoadBuiltinWordData();
    static pelmar::TPelgine engine;
    engine.Dictionary = words.get();
    engine.Clear();
    // The first byte picks the two switches the measurement conditions may turn on.
    if (size > 0) {
        engine.HyphenJoins = data[0] & 1;
        engine.LowerStartAllowed = data[0] & 2;
    }
    const std::string text(reinterpret_cast<const char*>(data), size);
    engine.Text = text;
    engine.Analyze();
    if (engine.Words < 0 || engine.Syllables < engine.Words || engine.Letters < 0 ||
        engine.Syllable1Words + engine.Syllable3Words > engine.Words ||
        (engine.Words == 0 && (engine.OpenSentence || engine.OpenClause || engine.OpenPhrase)))
        std::abort();
    // Normalising twice must not grow the text without end, and every word-level count is
    // total on any bytes.
    (void)pelmar::NormalizeText(pelmar::NormalizeText(text));
    (void)engine.CountSyllables(text.substr(0, 200));
    (void)pelmar::CountConsonants(text.substr(0, 200));
    return 0;
}
