#pragma once

#include "engine/TextCounts.h"
#include "measure/Formulas.h"

#include <string>
#include <string_view>
#include <vector>

namespace pelmar {

// pelmar-count's JSON, written piece by piece so that a long text streams:
//   {"files":[ FILE, ... ]}  with  FILE = {"name":..., "lines":[ LINE, ... ], "totals":...,
//   "ratios":..., "styles":..., "tenths":...}
// A LINE holds the line's counts, its open flags and its eleven indices (null where the line has
// too little text for one).

// {"name":NAME,"lines":[
void AppendJsonFileStart(std::string& out, std::string_view name);
// One line's object.
void AppendJsonLine(std::string& out, const TTextCounts& line);
// ],"totals":...,"tenths":{...}}
void AppendJsonFileEnd(std::string& out, const TTextCounts& totals, const TWholeTextValues& whole);
// A whole file's object from lines kept in memory.
void AppendJsonFile(std::string& out, std::string_view name, const std::vector<TTextCounts>& lines,
                    const TTextCounts& totals, const TWholeTextValues& whole);

} // namespace pelmar
