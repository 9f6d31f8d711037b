#pragma once

#include <string>
#include <string_view>

namespace pelmar {

// Consonant sounds of one word, estimated from its spelling: doubled letters and common
// digraphs are one sound, known silent letters are dropped, x and qu are two sounds, and a few
// irregular spellings are counted by fixed lists.
[[nodiscard]] int CountConsonants(std::string_view word);

// Cuts the first listed irregular spelling found at the start or end of w and gives its count
// in n. False (n = 0) when no list entry fits.
bool CutSpellingExceptions(std::string& w, int& n);

} // namespace pelmar
