#include "drivesys/solver/mode_shapes.h"

#include <Eigen/SparseLU>
#include <algorithm>
#include <cmath>
#include <fmt/format.h>
#include <numbers>

#include "drivesys/solver/modal.h"
#include "drivesys/solver/model.h"

namespace {

using namespace ds::solver;
using Complex = std::complex<double>;
using ComplexSparse = Eigen::SparseMatrix<Complex>;
constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kRpmToRadPerSecond = kTwoPi / 60.0;
/// Steps with the shift fixed at the estimate, then at most this many in all.
constexpr int kFixedSteps = 2, kMaxSteps = 12;
constexpr double kSettled = 1e-11;

/// The quadratic problem of one speed: Q(λ) = λ²M + λD + K with D = C + ΩG.
class QuadraticAtSpeed {
public:
    QuadraticAtSpeed(const ShaftSystemModel& m, double omega)
        : M_(m.M.cast<Complex>()), D_((m.C + omega * m.G).cast<Complex>()), K_(m.K.cast<Complex>()) {}

    /// Factorises Q(λ); false when it is singular (λ is an eigenvalue to rounding).
    bool factorise(Complex lambda) {
        ComplexSparse Q = (lambda * lambda) * M_ + lambda * D_ + K_;
        Q.makeCompressed();
        if (!analysed_) {
            lu_.analyzePattern(Q);
            analysed_ = true;
        }
        lu_.factorize(Q);
        return lu_.info() == Eigen::Success;
    }
    /// Q(λ)⁻¹ Q′(λ) u with Q′ = 2λM + D, for the λ of the last factorisation.
    Eigen::VectorXcd step(Complex lambda, const Eigen::VectorXcd& u) {
        const Eigen::VectorXcd rhs = 2.0 * lambda * (M_ * u) + D_ * u;
        return lu_.solve(rhs);
    }
    /// The root of uᴴQ(λ)u = 0 nearest `near`.
    Complex rayleigh(const Eigen::VectorXcd& u, Complex near) const {
        const Complex a = u.dot(M_ * u), b = u.dot(D_ * u), c = u.dot(K_ * u);
        if (std::abs(a) == 0.0) return near;
        const Complex root = std::sqrt(b * b - 4.0 * a * c);
        const Complex l1 = (-b + root) / (2.0 * a), l2 = (-b - root) / (2.0 * a);
        return std::abs(l1 - near) <= std::abs(l2 - near) ? l1 : l2;
    }
    /// ‖Q(λ)u‖ / (‖λ²Mu‖ + ‖Ku‖): the relative residual.
    double residual(Complex lambda, const Eigen::VectorXcd& u) const {
        const Eigen::VectorXcd mu = (lambda * lambda) * (M_ * u), ku = K_ * u;
        const double scale = mu.norm() + ku.norm();
        return scale > 0 ? (mu + lambda * (D_ * u) + ku).norm() / scale : 0.0;
    }

private:
    ComplexSparse M_, D_, K_;
    Eigen::SparseLU<ComplexSparse> lu_;
    bool analysed_ = false;
};

/// Scales u so that its largest component |.| is 1.
void normalise(Eigen::VectorXcd& u) {
    if (u.size() == 0) return;
    Eigen::Index at = 0;
    u.cwiseAbs().maxCoeff(&at);
    if (std::abs(u(at)) > 0) u /= u(at);
}

/// The refined mode nearest the request: eigenvalue and shape.
Mode refine(const ShaftSystemModel& m, QuadraticAtSpeed& q, double omega, const ModeShapeRequest& r, bool& converged) {
    const double zeta = std::clamp(r.dampingRatio, -0.99, 0.99);
    const double wd = kTwoPi * r.frequency, wn = wd / std::sqrt(1.0 - zeta * zeta);
    Complex sigma(-zeta * wn, wd);
    // A start with a share of every DOF (no mode is orthogonal to it by symmetry).
    Eigen::VectorXcd u(Eigen::Index(m.dofCount()));
    for (Eigen::Index i = 0; i < u.size(); ++i) u(i) = Complex(1.0 + 0.37 * std::sin(1.3 * double(i)), 0.21 * std::cos(0.7 * double(i)));
    converged = false;
    if (!q.factorise(sigma)) sigma *= Complex(1.0 + 1e-9, 1e-9);  // exactly on an eigenvalue: step aside
    if (!q.factorise(sigma)) throw NumericalError("the quadratic matrix is singular at the mode's estimate");
    Complex lambda = sigma;
    for (int it = 0; it < kMaxSteps; ++it) {
        Eigen::VectorXcd v = q.step(sigma, u);
        if (!v.allFinite()) throw NumericalError("the inverse iteration of a mode shape produced values that are not finite");
        normalise(v);
        u = std::move(v);
        const Complex next = q.rayleigh(u, sigma);
        if (!std::isfinite(next.real()) || !std::isfinite(next.imag()))
            throw NumericalError("the inverse iteration of a mode shape produced an eigenvalue that is not finite");
        const bool settled = std::abs(next - lambda) <= kSettled * std::abs(next);
        lambda = next;
        if (it + 1 < kFixedSteps) continue;
        if (it >= kFixedSteps && (settled || q.residual(lambda, u) < 1e-13)) {
            converged = true;
            break;
        }
        // Move the shift to the Rayleigh value; a singular factorisation there means it is the
        // eigenvalue to rounding.
        sigma = lambda;
        if (!q.factorise(sigma)) {
            converged = true;
            break;
        }
    }
    Mode mode;
    mode.lambda = lambda;
    mode.shape = std::move(u);
    // Hysteretic damping to first order, as the modal analysis takes it.
    if (m.H.nonZeros() > 0) {
        const SparseMatrix D = m.C + omega * m.G;
        const Eigen::VectorXcd& x = mode.shape;
        const Complex num = x.dot(m.H * x), den = x.dot(2.0 * mode.lambda * (m.M * x) + D * x);
        if (std::abs(den) > 0) mode.lambda -= Complex(0, 1) * num / den;
    }
    mode.frequency = mode.lambda.imag() / kTwoPi;
    mode.dampingRatio = std::abs(mode.lambda) > 0 ? -mode.lambda.real() / std::abs(mode.lambda) : 0.0;
    return mode;
}

std::vector<ModeShapeLine> drawLines(const ShaftSystemModel& m, const Mode& mode, int dominant, unsigned pointsPerSubShaft) {
    auto value = [&](size_t node, int d) {
        const size_t i = m.dof(node, d);
        return i == kNone ? Complex(0.0) : mode.shape(Eigen::Index(i));
    };
    // Reference: the largest component of the dominant motion, turned real and 1.
    const std::vector<int> kinds = dominant == 2 ? std::vector<int>{4} : dominant == 1 ? std::vector<int>{1} : std::vector<int>{0, 2};
    Complex peak = 0.0;
    for (size_t n = 0; n < m.nodes.size(); ++n)
        for (int d : kinds)
            if (std::abs(value(n, d)) > std::abs(peak)) peak = value(n, d);
    if (std::abs(peak) == 0.0) peak = 1.0;

    std::vector<const ElementInfo*> elementFrom(m.nodes.size(), nullptr);
    for (const ElementInfo& e : m.elements) elementFrom[e.node1] = &e;
    std::vector<ModeShapeLine> lines;
    for (const SubShaftInfo& sub : m.subShafts) {
        ModeShapeLine line;
        line.shaft = sub.shaft;
        line.subShaft = sub.index;
        line.name = sub.name.toUtf8();
        const size_t elements = sub.nodeCount > 0 ? sub.nodeCount - 1 : 0;
        const size_t per = elements > 0 ? std::max<size_t>(1, (pointsPerSubShaft + elements - 1) / elements) : 1;
        auto add = [&](double pos, const ElementMotion& motion) {
            line.position.push_back(pos);
            line.x.push_back(motion.ux / peak);
            line.z.push_back(motion.uz / peak);
            line.axial.push_back(motion.uy / peak);
            line.torsion.push_back(motion.ry / peak);
        };
        for (size_t n = sub.firstNode; n < sub.firstNode + sub.nodeCount; ++n) {
            line.nodes.push_back(line.position.size());
            const ElementInfo* e = n + 1 < sub.firstNode + sub.nodeCount ? elementFrom[n] : nullptr;
            if (!e) {
                add(m.nodes[n].pos, {value(n, 0), value(n, 1), value(n, 2), value(n, 4)});
                continue;
            }
            ComplexVector12 q;
            for (int d = 0; d < 6; ++d) {
                q(d) = value(e->node1, d);
                q(d + 6) = value(e->node2, d);
            }
            for (size_t k = 0; k < per; ++k) {
                const double xi = double(k) / double(per);
                add(m.nodes[n].pos + xi * e->matrices.length, elementMotion(e->matrices, q, xi));
            }
        }
        for (const SupportInfo& sp : m.supports) {
            if (sp.shaft == sub.shaft && sp.subShaft == sub.index) line.bearings.push_back(m.nodes[sp.node].pos);
            if (sp.otherNode != kNone && m.nodes[sp.otherNode].shaft == sub.shaft && m.nodes[sp.otherNode].subShaft == sub.index)
                line.bearings.push_back(m.nodes[sp.otherNode].pos);
        }
        for (const GearInfo& g : m.gears)
            if (g.shaft == sub.shaft && g.subShaft == sub.index) line.gears.push_back(g.pos);
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace

ModeShapeReport SolveModeShapes(const SystemDefinition& definition, const SolverOptions& options,
                                const std::vector<ModeShapeRequest>& requests, unsigned pointsPerSubShaft) {
    ModeShapeReport report;
    auto refuse = [&](int status, std::string message) {
        report.shapes.clear();
        report.status = status;
        report.message = std::move(message);
        return report;
    };
    if (requests.size() > kModeShapeMaxRequests)
        return refuse(kSolverInputError, fmt::format("{} mode shapes asked for; at most {} are drawn", requests.size(), kModeShapeMaxRequests));
    if (pointsPerSubShaft > kModeShapeMaxPoints)
        return refuse(kSolverInputError, fmt::format("{} points per sub-shaft asked for; at most {}", pointsPerSubShaft, kModeShapeMaxPoints));
    for (size_t i = 0; i < requests.size(); ++i) {
        const ModeShapeRequest& r = requests[i];
        if (!std::isfinite(r.speed) || !(r.frequency > 0) || !std::isfinite(r.frequency) || !(std::abs(r.dampingRatio) < 1))
            return refuse(kSolverInputError, fmt::format("mode shape {}: the speed must be finite, the frequency finite and "
                                                         "> 0 Hz, the damping ratio between −1 and 1", i));
    }
    if (!(options.maxElementLength >= 0) || !std::isfinite(options.maxElementLength))
        return refuse(kSolverInputError, "maxElementLength must be a finite length ≥ 0");
    try {
        ModelOptions mo;
        mo.maxElementLength = options.maxElementLength;
        const ShaftSystemModel model = ShaftSystemModel::build(definition.data, mo);
        // Requests of one speed share the matrices (and the pattern analysis).
        std::vector<size_t> order(requests.size());
        for (size_t i = 0; i < order.size(); ++i) order[i] = i;
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return requests[a].speed < requests[b].speed; });
        report.shapes.resize(requests.size());
        std::unique_ptr<QuadraticAtSpeed> problem;
        double problemSpeed = 0.0;
        for (size_t i : order) {
            const ModeShapeRequest& r = requests[i];
            const double omega = r.speed * kRpmToRadPerSecond;
            if (!problem || problemSpeed != r.speed) {
                problem = std::make_unique<QuadraticAtSpeed>(model, omega);
                problemSpeed = r.speed;
            }
            ModeShape& out = report.shapes[i];
            out.request = r;
            std::vector<Mode> modes(1);
            modes[0] = refine(model, *problem, omega, r, out.converged);
            describeModes(model, modes, omega);
            const Mode& mode = modes[0];
            out.mode.frequency = mode.frequency;
            out.mode.undampedFrequency = std::abs(mode.lambda) / kTwoPi;
            out.mode.dampingRatio = mode.dampingRatio;
            out.mode.logDecrement = logarithmicDecrement(mode.dampingRatio);
            out.mode.whirl = mode.whirl;
            out.dominant = mode.kinetic[kTorsionMotion] > std::max(mode.kinetic[kLateral], mode.kinetic[kAxialMotion]) ? 2
                           : mode.kinetic[kAxialMotion] > mode.kinetic[kLateral]                                      ? 1
                                                                                                                      : 0;
            out.lines = drawLines(model, mode, out.dominant, pointsPerSubShaft);
        }
    } catch (const ModelError& e) {
        return refuse(kSolverInputError, e.what());
    } catch (const NumericalError& e) {
        return refuse(kSolverNumericalError, e.what());
    } catch (const std::bad_alloc&) {
        return refuse(kSolverInputError, "the model is too large for the memory of this machine");
    }
    report.status = kSolverOk;
    return report;
}
