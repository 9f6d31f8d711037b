#pragma once

#include "engine/TextCounts.h"
#include "measure/MeasureOptions.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace pelmar {

class TPelgine;

// The rules that tie a line to its neighbours: a word hyphenated over a line end is joined on
// its first line, a sentence left open at a line end is closed by punctuation that opens the
// next line, a blank line closes what the line before left open. They are written for a stretch
// of consecutive lines that knows what surrounds it, so that a long text can be measured in
// pieces (on several threads) with exactly the counts it gets in one piece.

// The units a line leaves open for the lines after it.
struct TOpenUnits {
    bool sentence = false;
    bool clause = false;
    bool phrase = false;
};

// How a line takes part in joining a word hyphenated over a line end ("infor-" / "mation is
// here"). It can join when it ends in an ASCII letter and a hyphen and the next line starts with
// an ASCII letter; it then takes the next line's first word, and the next line keeps the rest.
// A line that is one word only loses it when the line before joins, and then has nothing left
// to join with.
enum class JoinKind : std::uint8_t { Never, UnlessJoined, Always };

// `next` is the following line, nothing after the last line of the text.
[[nodiscard]] JoinKind LineJoinKind(std::string_view line, std::optional<std::string_view> next);

[[nodiscard]] constexpr bool Joins(JoinKind kind, bool joinedBefore) {
    return kind == JoinKind::Always || (kind == JoinKind::UnlessJoined && !joinedBefore);
}

// Whether each line joins the next line's first word (1) or not (0), for a text's lines from
// the first to the last.
[[nodiscard]] std::vector<std::uint8_t> FindJoins(std::span<const std::string_view> lines);

struct TLineStretch {
    std::span<const std::string_view> lines; // CP932 bytes, without line ends
    std::span<const std::uint8_t> joins;     // per line, as FindJoins gives them for the text
    bool joinedBefore = false; // whether the line before the stretch took its first word
    // What the line before left open; nothing when the caller does not know it yet. Only a blank
    // first line depends on it, and then it is left to the caller (firstPending).
    std::optional<TOpenUnits> openBefore = TOpenUnits{};
    // The lines after the stretch as they stand in the text, k = 0, 1, ...; nothing past the
    // text's end. Empty: the stretch ends the text.
    std::function<std::optional<std::string_view>(std::size_t k)> after;
};

struct TStretchResult {
    TTextCounts totals;       // of the lines given to the callback
    TOpenUnits openAfter;     // what the last line leaves open
    bool firstPending = false; // the first line is a blank line left to the caller
    bool stopped = false;     // the callback said stop
};

// Called with each line's index in the stretch and its counts as its row shows them (after the
// repairs across line breaks; the open flags are the engine's); false stops.
using StretchLineCallback = std::function<bool(std::size_t index, const TTextCounts& counts)>;

// Measures the stretch's lines in order with the engine, repairing sentence, clause and phrase
// counts across line breaks.
[[nodiscard]] TStretchResult MeasureStretch(const TLineStretch& stretch, TPelgine& engine,
                                            const TMeasureOptions& options,
                                            const StretchLineCallback& line);

// The counts of a blank line after a line that left `open` units open: only those units.
[[nodiscard]] TTextCounts BlankLineCounts(const TOpenUnits& open, const TMeasureOptions& options);

} // namespace pelmar
