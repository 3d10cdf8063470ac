// The planner in words: the names a player types for targets, and the plan as an aligned table.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "plan/GemPlanner.h"

namespace gw {

// "str", "con", "dex", "qui", "int", "pie", "cha", "emp"; "body", "cold", "heat", "energy",
// "matter", "spirit", "crush", "thrust", "slash"; "hits"; "power"; "skill:NAME" with a skill
// name of the realm (any case) or "skill:N" with its place 1.. in the realm's skill list.
// Nothing for a word that names no target.
std::optional<PlanTarget> ParsePlanTarget(std::string_view word, int realm);
// Whether the word is of a target's form at all ("skill:" followed by anything counts), so that
// a typing error is found before any file is read.
bool LooksLikePlanTarget(std::string_view word);

// A price as the window shows a total: "0c" for nothing, no blank at the end.
std::string PriceText(std::int64_t copper);

// The plan as three aligned tables (the gems set, the items after, the targets) with the prices;
// one line when nothing was planned.
std::string FormatPlanTable(const PlanResult& plan, int realm);

} // namespace gw
