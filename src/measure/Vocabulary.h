#pragma once

#include <array>
#include <string_view>

// The program's words for its counts, indices, ratios, styles, options and settings, indexed by
// position. UTF-8.
namespace pelmar::vocab {

extern const std::array<std::string_view, 33> ColumnKeys;       // positions 0..32
extern const std::array<std::string_view, 9> CountNames;        // 0..8
extern const std::array<std::string_view, 9> CountNamesJa;      // 0..8
extern const std::array<std::string_view, 3> RecordLabels;
extern const std::array<std::string_view, 11> RatioNames;       // 22..32
extern const std::array<std::string_view, 11> RatioNamesJa;     // 22..32
extern const std::array<std::string_view, 7> VariableKeys;      // 33..39
extern const std::array<std::string_view, 7> VariableNames;     // 33..39
extern const std::array<std::string_view, 7> VariableNamesJa;   // 33..39
extern const std::array<std::string_view, 5> UnitNames;         // 40..44
extern const std::array<std::string_view, 5> UnitDefinitions;   // 40..44
extern const std::array<std::string_view, 4> StyleNames;        // 45..48
extern const std::array<std::string_view, 4> StyleNamesJa;
extern const std::array<std::string_view, 4> StyleKeys;
extern const std::array<std::string_view, 4> StyleDescriptions;
extern const std::array<std::string_view, 11> IndexNames;       // index 0..10 = column 9..19
extern const std::array<std::string_view, 11> FormulaTemplates; // the first two take constants
extern const std::array<std::string_view, 11> FormulaNotes;     // lines joined by CR LF (+ TAB)
extern const std::array<std::string_view, 11> FormulaAuthors;
extern const std::array<std::string_view, 11> FormulaYears;
extern const std::array<std::string_view, 12> ResultTerms;
extern const std::array<std::string_view, 7> FleschBands;
extern const std::array<std::string_view, 8> GenreNames;
extern const std::array<std::string_view, 4> LevelMarks;        // "小", "小", "中", "高"
extern const std::array<std::string_view, 3> SchoolLevels;      // "Elementary", "Middle", "High"
extern const std::array<std::string_view, 3> SampleLevels;      // "L0", "L1", "L2"
extern const std::array<std::string_view, 3> SampleLevelCaptions;
extern const std::array<std::string_view, 6> SampleListNames;
extern const std::array<std::string_view, 2> PostActionNames;
extern const std::array<std::string_view, 12> ResultItemNames;
extern const std::array<std::string_view, 5> ConditionNames;
extern const std::array<std::string_view, 6> PositionKeys;
extern const std::array<std::string_view, 6> RuleNames;

// The maker named as author of the program's own two indices.
inline constexpr std::string_view OwnMaker = "Pelmar";

} // namespace pelmar::vocab
