// The names of the controller's macro functions, shown by the Macros dialog as
// a read-only reference list beside the macro rows. Nothing checks macro steps
// against it.
//
// Three rows head a series that the list extends by rule instead of by rows:
// 810 "Suspend SetPoint 1" is followed by 811..849 (set points 2..40), 850
// "Resume SetPoint 1" by 851..889, and 901 "Call Macro 1" by 902..990
// (macros 2..90). Names keep their quirks (trailing spaces, "5Stored").
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace ostrin {

struct MacroFunction {
  int number;
  std::string_view name;
};

inline constexpr int MacroFunctionRowCount = 716;
inline constexpr int MacroFunctionLineCount = 883;

// The rows in ascending number order (1..720 with gaps, 810, 850, 901, 2005..2007).
extern const std::array<MacroFunction, MacroFunctionRowCount> MacroFunctionCatalogue;

// The list's lines in display order: each row as "%3d  %s", with the generated
// series after rows 810, 850 and 901. Built once on first use (thread-safe)
// and kept for the life of the process.
const std::vector<std::string>& MacroFunctionDisplayLines();

}  // namespace ostrin
