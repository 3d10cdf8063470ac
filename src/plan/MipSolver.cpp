#include "plan/MipSolver.h"

#include <chrono>
#include <cmath>
#include <exception>
#include <map>
#include <string>
#include <utility>

#include <CbcEventHandler.hpp>
#include <CbcModel.hpp>
#include <CbcSolver.hpp>
#include <CoinMessageHandler.hpp>
#include <CoinPackedMatrix.hpp>
#include <OsiClpSolverInterface.hpp>

#include "plan/GemPlanner.h"

namespace gw {
namespace {

// Asks the branch and bound to stop at its next event once the player cancels.
class CancelEvents : public CbcEventHandler {
  public:
    explicit CancelEvents(const PlanCancel* cancel) : m_cancel(cancel) {}
    CbcAction event(CbcEvent) override { return Cancelled() ? stop : noAction; }
    CbcAction event(CbcEvent, void*) override { return Cancelled() ? stop : noAction; }
    CbcEventHandler* clone() const override { return new CancelEvents(*this); }
    bool Cancelled() const { return m_cancel != nullptr && m_cancel->Cancelled(); }

  private:
    const PlanCancel* m_cancel;
};

// The solver's own name for a column, by which a starting solution is matched.
std::string ColumnName(const OsiSolverInterface& solver, int column)
{
    return solver.dfltRowColName('c', column);
}

} // namespace

bool MipFeasible(const MipProblem& problem, const std::vector<double>& x)
{
    if (x.size() != problem.lower.size())
        return false;
    constexpr double tolerance = 1e-6;
    for (std::size_t c = 0; c < x.size(); ++c) {
        if (x[c] < problem.lower[c] - tolerance || x[c] > problem.upper[c] + tolerance)
            return false;
        if (problem.integer[c] != 0 && std::abs(x[c] - std::round(x[c])) > tolerance)
            return false;
    }
    for (const MipProblem::Row& row : problem.rows) {
        double sum = 0;
        for (const MipTerm& term : row.terms)
            sum += term.value * x[static_cast<std::size_t>(term.column)];
        if (sum < row.lower - tolerance * (1 + std::abs(row.lower)) ||
            sum > row.upper + tolerance * (1 + std::abs(row.upper)))
            return false;
    }
    return true;
}

namespace {

double Cost(const MipProblem& problem, const std::vector<double>& x)
{
    double cost = 0;
    for (std::size_t c = 0; c < x.size(); ++c)
        cost += problem.cost[c] * x[c];
    return cost;
}

} // namespace

MipOutcome SolveMip(const MipProblem& problem, const std::vector<double>& start, double seconds,
                    const PlanCancel* cancel)
{
    MipOutcome outcome;
    const int columns = problem.Columns();
    try {
        CoinPackedMatrix matrix(false, 0, 0); // row-ordered
        matrix.setDimensions(0, columns);
        std::vector<double> rowLower;
        std::vector<double> rowUpper;
        for (const MipProblem::Row& row : problem.rows) {
            // A column may appear in several terms of a row; the solver wants each once.
            std::map<int, double> merged;
            for (const MipTerm& term : row.terms)
                merged[term.column] += term.value;
            std::vector<int> indices;
            std::vector<double> values;
            for (const auto& [column, value] : merged) {
                if (value == 0)
                    continue;
                indices.push_back(column);
                values.push_back(value);
            }
            matrix.appendRow(static_cast<int>(indices.size()), indices.data(), values.data());
            rowLower.push_back(row.lower <= -MipInfinity ? -COIN_DBL_MAX : row.lower);
            rowUpper.push_back(row.upper >= MipInfinity ? COIN_DBL_MAX : row.upper);
        }

        OsiClpSolverInterface solver;
        solver.messageHandler()->setLogLevel(0);
        solver.loadProblem(matrix, problem.lower.data(), problem.upper.data(), problem.cost.data(),
                           rowLower.data(), rowUpper.data());
        for (int column = 0; column < columns; ++column) {
            if (problem.integer[static_cast<std::size_t>(column)] != 0)
                solver.setInteger(column);
        }

        CbcModel model(solver);
        model.messageHandler()->setLogLevel(0);
        CbcSolverUsefulData data;
        data.noPrinting_ = true;
        data.useSignalHandler_ = false;
        CbcMain0(model, data);
        CancelEvents events(cancel);
        model.passInEventHandler(&events);

        if (static_cast<int>(start.size()) == columns) {
            std::vector<std::pair<std::string, double>> mipStart;
            mipStart.reserve(start.size());
            // Only the columns that are not zero: the solver's reader of a start stumbles over
            // a full list once its preprocessing has removed columns.
            for (int column = 0; column < columns; ++column)
                if (start[static_cast<std::size_t>(column)] != 0)
                    mipStart.emplace_back(ColumnName(solver, column), start[static_cast<std::size_t>(column)]);
            model.setMIPStart(mipStart);
        }

        const std::string limit = std::to_string(std::max(seconds, 0.01));
        // The driver's defaults (preprocessing, cuts, heuristics), quiet, on the wall clock, and
        // no gap accepted: "optimal" means proven.
        const char* argv[] = {"gemwright-plan", "-log", "0", "-timeMode", "elapsed", "-sec", limit.c_str(),
                              "-ratioGap", "0", "-allowableGap", "1e-7", "-solve", "-quit"};
        const int argc = static_cast<int>(sizeof argv / sizeof argv[0]);
        CbcMain1(argc, argv, model, [](CbcModel*, int) { return 0; }, data);

        outcome.cancelled = events.Cancelled();
        const double* best = model.bestSolution();
        if (best != nullptr && model.getSolutionCount() > 0) {
            outcome.hasSolution = true;
            outcome.x.assign(best, best + columns);
            outcome.objective = model.getObjValue();
        }
        // When preprocessing alone settles the problem, the driver reports it optimal but leaves
        // the answer in the solver's last solution rather than as a found solution.
        if (!outcome.hasSolution && model.status() == 0 && model.solver() != nullptr &&
            model.solver()->getNumCols() == columns && model.solver()->getColSolution() != nullptr) {
            const double* solution = model.solver()->getColSolution();
            std::vector<double> x(solution, solution + columns);
            for (int column = 0; column < columns; ++column)
                if (problem.integer[static_cast<std::size_t>(column)] != 0)
                    x[static_cast<std::size_t>(column)] = std::round(x[static_cast<std::size_t>(column)]);
            if (MipFeasible(problem, x)) {
                outcome.hasSolution = true;
                outcome.x = std::move(x);
                outcome.objective = Cost(problem, outcome.x);
            }
        }
        // A solution the problem's own rows reject is no solution.
        if (outcome.hasSolution && !MipFeasible(problem, outcome.x)) {
            outcome.hasSolution = false;
            outcome.x.clear();
        }
        outcome.bound = model.getBestPossibleObjValue();
        if ((model.isProvenOptimal() || (model.status() == 0 && model.secondaryStatus() == 0)) &&
            outcome.hasSolution && !outcome.cancelled) {
            outcome.status = MipStatus::Optimal;
            outcome.bound = outcome.objective;
        } else if (model.isProvenInfeasible()) {
            outcome.status = MipStatus::Infeasible;
        } else if (model.status() == 1 || outcome.cancelled || model.isSecondsLimitReached()) {
            outcome.status = MipStatus::Stopped;
        } else {
            outcome.status = MipStatus::Failed;
            outcome.error = "the solver ended with status " + std::to_string(model.status()) + "/" +
                            std::to_string(model.secondaryStatus()) + ", " + std::to_string(model.getSolutionCount()) + " solutions";
        }
    } catch (const CoinError& error) {
        outcome = MipOutcome{};
        outcome.error = error.message() + " in " + error.className() + "::" + error.methodName();
    } catch (const std::exception& error) {
        outcome = MipOutcome{};
        outcome.error = error.what();
    }
    return outcome;
}

} // namespace gw
