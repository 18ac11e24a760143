#include "analysis/Calibration.h"

#include <gsl/gsl_fit.h>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "analysis/Folding.h"
#include "analysis/SextetFit.h"

namespace qv::analysis {

namespace {

constexpr double kSignificance = 5;       // depth over its error: every line, and the pattern
constexpr double kLargestResidual = 0.1;  // mm/s from a straight scale

struct FoldAndGuess {
    FoldedSpectrum folded;
    std::optional<SextetGuess> guess;
    double score = -1e300;
};

FoldAndGuess TryFold(std::span<const std::uint32_t> counts, double point) {
    FoldAndGuess t{Fold(counts, point), std::nullopt};
    t.guess = GuessSextet(t.folded.counts);
    if (t.guess) {
        t.score = PatternScore(t.folded.counts, *t.guess);
    }
    return t;
}

// A mirror about the turning point and one about the zero-velocity point fit a
// symmetric sextet in a symmetric sweep alike; only the first folds the six
// lines in their own order, so the pattern decides.
FoldAndGuess FoldAtTurningPoint(std::span<const std::uint32_t> counts) {
    const FoldingCandidates candidates = FindFoldingCandidates(counts);
    FoldAndGuess best = TryFold(counts, candidates.best);
    FoldAndGuess other = TryFold(counts, candidates.quarterAway);
    return other.score > best.score ? std::move(other) : std::move(best);
}

bool Significant(const SextetFit& fit) {
    return std::all_of(fit.lines.begin(), fit.lines.end(), [](const FittedLine& l) {
        return l.depth > 0 && l.depth > kSignificance * l.depthError;
    });
}

bool NarrowEnough(const SextetFit& fit) {
    const double innerGap = fit.lines[3].position - fit.lines[2].position;
    return std::all_of(fit.lines.begin(), fit.lines.end(),
                       [&](const FittedLine& l) { return l.width > 0 && l.width < innerGap; });
}

// Channel = zero + slope * velocity through the six lines, each weighted by
// its position error; the lowest channel is the fastest line.
Calibration StraightScale(const FoldedSpectrum& folded, const SextetFit& fit, int channels) {
    std::array<double, kSextetLines> velocity{}, channel{}, weight{};
    for (int k = 0; k < kSextetLines; ++k) {
        velocity[k] = -kAlphaIronLines[k];
        channel[k] = FoldedChannel(folded, fit.lines[k].position);
        weight[k] = 1 / std::max(fit.lines[k].positionError * fit.lines[k].positionError, 1e-12);
    }
    double zero = 0, slope = 0, c00 = 0, c01 = 0, c11 = 0, chisq = 0;
    gsl_fit_wlinear(velocity.data(), 1, weight.data(), 1, channel.data(), 1, kSextetLines, &zero,
                    &slope, &c00, &c01, &c11, &chisq);
    Calibration cal;
    cal.channels = channels;
    cal.foldingPoint = folded.foldingPoint + folded.offset;
    cal.velocityPerChannel = -1 / slope;
    cal.zeroChannel = zero;
    cal.maxVelocity = cal.VelocityAt(cal.foldingPoint - channels / 2.0);
    cal.minVelocity = cal.VelocityAt(cal.foldingPoint);
    cal.zeroChannel = std::fmod(zero + channels, static_cast<double>(channels));
    cal.chi2 = fit.chi2;
    for (int k = 0; k < kSextetLines; ++k) {
        // Lines in ascending velocity: the highest channel first.
        const FittedLine& line = fit.lines[kSextetLines - 1 - k];
        CalibratedLine& out = cal.lines[k];
        out.position = (zero - FoldedChannel(folded, line.position)) * cal.velocityPerChannel;
        out.width = line.width * cal.velocityPerChannel;
        out.depth = line.depth / fit.BaselineAt(line.position, folded.counts.size());
        out.residual = out.position - kAlphaIronLines[k];
    }
    return cal;
}

bool Straight(const Calibration& cal) {
    return std::all_of(cal.lines.begin(), cal.lines.end(), [](const CalibratedLine& l) {
        return std::abs(l.residual) < kLargestResidual;
    });
}

// Start values for one unfolded half: the folded fit at half the counts.
SextetGuess HalfOf(const SextetFit& fit) {
    SextetGuess g;
    g.baseline = fit.baseline[0] / 2;
    double width = 0;
    for (int k = 0; k < kSextetLines; ++k) {
        g.positions[k] = fit.lines[k].position;
        g.depths[k] = fit.lines[k].depth / 2;
        width += fit.lines[k].width / kSextetLines;
    }
    g.width = width;
    return g;
}

// The two halves, fitted on their own, show each line once on either side of
// the folding point; half the mean distance between the two images of a line
// (weighted by their errors) is how far the true point lies from the one
// folded about. Nothing when either half fails to fit.
std::optional<double> FoldingCorrection(std::span<const std::uint32_t> counts,
                                        const FoldedSpectrum& folded, const SextetFit& fit) {
    const auto n = static_cast<long long>(counts.size());
    const auto k = std::llround(2 * folded.foldingPoint);
    std::vector<double> before(folded.counts.size()), after(folded.counts.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        const long long c = folded.firstChannel + static_cast<long long>(i);
        before[i] = counts[static_cast<std::size_t>(((c % n) + n) % n)];
        after[i] = counts[static_cast<std::size_t>((((k - c) % n) + n) % n)];
    }
    const auto a = FitHalfSextet(before, fit);
    const auto b = FitHalfSextet(after, fit);
    if (!a || !b || !a->converged || !b->converged) {
        return std::nullopt;
    }
    double sum = 0, weights = 0;
    for (int line = 0; line < kSextetLines; ++line) {
        const double ea = a->lines[line].positionError;
        const double eb = b->lines[line].positionError;
        const double w = 1 / std::max(ea * ea + eb * eb, 1e-12);
        sum += w * (a->lines[line].position - b->lines[line].position) / 2;
        weights += w;
    }
    return sum / weights;
}

CalibrationOutcome Refused(const char* why) {
    return {std::nullopt, why};
}

}  // namespace

double Calibration::VelocityAt(double channel) const {
    // The zero channel as it lies within the half before the folding point.
    double zero = zeroChannel;
    while (zero > foldingPoint) {
        zero -= channels;
    }
    while (zero <= foldingPoint - channels / 2.0) {
        zero += channels;
    }
    return (zero - channel) * velocityPerChannel;
}

CalibrationOutcome Calibrate(std::span<const std::uint32_t> counts) {
    if (std::all_of(counts.begin(), counts.end(), [](std::uint32_t c) { return c == 0; })) {
        return Refused(kNoCounts);
    }
    FoldAndGuess f = FoldAtTurningPoint(counts);
    if (!f.guess || f.score < kSignificance) {
        return Refused(kTooNoisy);
    }
    std::optional<SextetFit> fit = FitSextet(f.folded.counts, *f.guess);
    if (!fit) {
        return Refused(kTooNoisy);
    }
    if (!fit->converged) {
        return Refused(kFitFailed);
    }
    if (const auto correction = FoldingCorrection(counts, f.folded, *fit)) {
        const double point = f.folded.foldingPoint + *correction;
        if (std::abs(*correction) <= 0.25) {
            f.folded.offset = *correction;
        } else {
            // Far enough off to fold about another half channel.
            const SextetGuess refit = HalfOf(*fit);
            f.folded = Fold(counts, point);
            SextetGuess start = refit;
            start.baseline *= 2;
            for (double& depth : start.depths) {
                depth *= 2;
            }
            fit = FitSextet(f.folded.counts, start);
            if (!fit || !fit->converged) {
                return Refused(kFitFailed);
            }
        }
    }
    if (!Significant(*fit)) {
        return Refused(kTooNoisy);
    }
    if (!NarrowEnough(*fit)) {
        return Refused(kNotAlphaIron);
    }
    Calibration cal = StraightScale(f.folded, *fit, static_cast<int>(counts.size()));
    if (!Straight(cal)) {
        return Refused(kNotAlphaIron);
    }
    return {cal, {}};
}

std::vector<VelocityPoint> FoldOnVelocity(std::span<const std::uint32_t> counts,
                                          const Calibration& calibration) {
    const FoldedSpectrum folded = Fold(counts, calibration.foldingPoint);
    std::vector<VelocityPoint> points(folded.counts.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double channel = FoldedChannel(folded, static_cast<double>(i));
        points[points.size() - 1 - i] = {calibration.VelocityAt(channel), folded.counts[i]};
    }
    return points;
}

}  // namespace qv::analysis
