#pragma once

#include "design/DOptimal.h"
#include "design/DesignRegion.h"

#include <Eigen/Dense>

#include <random>
#include <vector>

namespace orvanta {

// One run of the coordinate exchange: a random plan of the region, then
// sweeps over every run and every move of the region, each move taking the
// candidate value that most increases det(X'X), until a sweep gains nothing.
// The inverse of X'X follows every exchange by two rank-one updates, so a
// candidate costs a product with the few terms its factor enters.
class TCoordinateExchange {
public:
    TCoordinateExchange(std::int32_t runs, std::int32_t terms, const TBasisFunction& basis,
                        const TDesignRegion& region, TDOptimalCandidates candidates);

    // The information f f' summed over runs that stay where they are: the
    // plan the exchange completes (p x p; none by default).
    void SetFixedInformation(const Eigen::MatrixXd& information) { Fixed = information; }

    // False when the region gave no point to start from. The start is on the
    // grid where the region allows, so that a continuous search begins with
    // the grid's plan and only improves on it.
    bool Run(std::mt19937& random);
    // The runs reached, N x k row by row.
    const std::vector<double>& Points() const { return X; }
    // ln det(X'X) of the runs reached; minus infinity when it is singular.
    double LogDeterminant() const { return LogDet; }

private:
    using TRowMatrix = Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>;

    bool Start(std::mt19937& random);
    bool Factor();
    bool Sweep();
    void Improve(std::int32_t run, TDesignRegion::TMove move);
    double Refine(std::int32_t run, TDesignRegion::TMove move, double lo, double hi);
    double Ratio(std::int32_t run, TDesignRegion::TMove move, double tau);
    void Exchange(std::int32_t run, double ratio);

    std::int32_t N;
    std::int32_t P;
    std::int32_t K;
    const TBasisFunction& Basis;
    const TDesignRegion& Region;
    TDOptimalCandidates Candidates;

    std::vector<double> X;
    TRowMatrix F;
    Eigen::MatrixXd Fixed;
    Eigen::MatrixXd Inverse;
    // While the plan is singular the search works with X'X + Ridge I.
    double Ridge = 0.0;
    // Whether the sweeps look between the grid's levels.
    bool Refining = false;
    double LogDet = 0.0;

    // The run under change: its terms, Inverse times them and their
    // quadratic form; the trial point, its terms and Inverse times them.
    Eigen::VectorXd Current;
    Eigen::VectorXd V;
    double CurrentForm = 0.0;
    std::vector<double> Point;
    Eigen::VectorXd Trial;
    Eigen::VectorXd TrialV;
    std::vector<double> Steps;
};

} // namespace orvanta
