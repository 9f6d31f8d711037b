#pragma once

#include "measure/TextBlocks.h"
#include "platform/TextFile.h"

#include <functional>
#include <string_view>

namespace pelmar {

class TDataFile;

// Every word of a text (a file's lines as textFileBody gives them) with its syllables and
// consonant sounds, one "word TAB syllables TAB consonants" line each. Every line is analysed on
// its own by a freshly cleared engine; blocks of lines are shared out among `jobs` threads and
// `write` receives the listing in text order, piece by piece, on the calling thread.
void ListWords(std::string_view text, TextEncoding encoding, const TDataFile* wordData, int jobs,
               const std::function<void(std::string_view piece)>& write,
               std::size_t blockSize = TextBlockSize);

} // namespace pelmar
