// A mixed-integer program as plain data and its solve. The planner builds the program; only
// MipSolver.cpp knows the solver library, so the rest of the planner stays solver-neutral.
#pragma once

#include <string>
#include <vector>

namespace gw {

class PlanCancel;

struct MipTerm {
    int column = 0;
    double value = 0;
};

// Minimise cost . x subject to lower <= row . x <= upper and the column bounds.
struct MipProblem {
    std::vector<double> lower;
    std::vector<double> upper;
    std::vector<double> cost;
    std::vector<char> integer;
    struct Row {
        std::vector<MipTerm> terms;
        double lower = 0;
        double upper = 0;
    };
    std::vector<Row> rows;

    int AddColumn(double lo, double hi, double columnCost, bool isInteger)
    {
        lower.push_back(lo);
        upper.push_back(hi);
        cost.push_back(columnCost);
        integer.push_back(isInteger ? 1 : 0);
        return static_cast<int>(lower.size()) - 1;
    }
    void AddRow(std::vector<MipTerm> terms, double lo, double hi)
    {
        rows.push_back(Row{std::move(terms), lo, hi});
    }
    int Columns() const { return static_cast<int>(lower.size()); }
};

// An infinite row or column bound.
inline constexpr double MipInfinity = 1e30;

enum class MipStatus {
    Optimal,    // proven optimal
    Stopped,    // the time limit or a cancel ended the search
    Infeasible, // proven to have no solution
    Failed,     // the solver gave up or reported an error
};

struct MipOutcome {
    MipStatus status = MipStatus::Failed;
    bool hasSolution = false;
    std::vector<double> x;   // the best solution found, one value per column
    double objective = 0;    // its cost
    double bound = 0;        // the proven lower bound on the cost of any solution
    bool cancelled = false;
    std::string error;       // what went wrong, for Failed
};

// Whether x meets every bound, row and integrality of the problem, within the solver's tolerances.
bool MipFeasible(const MipProblem& problem, const std::vector<double>& x);

// Solves within `seconds` (wall clock). `start`, when not empty, is a feasible solution that the
// search starts from. `cancel` is polled while the search runs.
MipOutcome SolveMip(const MipProblem& problem, const std::vector<double>& start, double seconds,
                    const PlanCancel* cancel);

} // namespace gw
