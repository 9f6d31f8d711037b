#pragma once

namespace pelmar {

// How far a text's style strays from plain prose, 0..9: long inner-voice chunks, many phrases
// per sentence, long sentences and many long words each add to it. The simpler formulas are
// trusted only for texts close to the prose they were fitted on.
[[nodiscard]] int StyleFit(float civ, float pps, float wps, float psy3);

// The first entry a style-fit score makes minor (every later one is minor too); 10 when the
// score makes none minor.
[[nodiscard]] int FirstMinorEntry(int styleFit);

} // namespace pelmar
