#include "simulator/PulseHeightModel.h"

#include <algorithm>
#include <cmath>

namespace qv::sim {

namespace {

constexpr double kLineKeV = 14.4;
constexpr double kXRayKeV = 6.3;
constexpr double kContinuumKeV = 25.0;     // slope of the Compton continuum
constexpr double kChannelsPerKeV = 139.0;  // at the reference voltage and gain 63
constexpr double kReferenceVoltage = 600.0;
constexpr double kVoltsPerEFold = 100.0;  // gas gain doubles about every 70 steps
constexpr double kLineFraction = 0.40;
constexpr double kXRayFraction = 0.25;
constexpr double kContinuumFraction = 0.35;
constexpr double kRelativeFwhmAtLine = 0.11;
constexpr double kNoiseRate = 3000.0;
constexpr double kNoiseChannels = 15.0;
constexpr double kStimulatorRate = 1000.0;  // per peak
constexpr double kStimulatorChannels[] = {1000.0, 3000.0};
constexpr double kFwhmToSigma = 1 / 2.3548;
constexpr double kGaussReach = 8.0;

double AmplifierFactor(int gain) {
    return (gain + 1) / 64.0;
}

double NormalCdf(double x) {
    return 0.5 * std::erfc(-x / std::sqrt(2.0));
}

// Adds rate x (probability of each channel) of a Gaussian peak; returns the
// rate that lands above the last channel.
double AddGaussian(AmplitudeRates& out, double rate, double mean, double sigma) {
    const double n = static_cast<double>(kAmplitudeChannels);
    const int from = std::max(0, static_cast<int>(mean - kGaussReach * sigma));
    const int to = static_cast<int>(std::min(n, mean + kGaussReach * sigma + 1));
    double below = NormalCdf((from - mean) / sigma);
    for (int c = from; c < to; ++c) {
        const double above = NormalCdf((c + 1 - mean) / sigma);
        out[c] += rate * (above - below);
        below = above;
    }
    return rate * (1 - NormalCdf((n - mean) / sigma));
}

// Exponential fall-off from channel 0 with the given scale.
double AddExponential(AmplitudeRates& out, double rate, double scale) {
    double below = 1.0;
    for (std::size_t c = 0; c < kAmplitudeChannels; ++c) {
        const double above = std::exp(-(c + 1.0) / scale);
        out[c] += rate * (below - above);
        below = above;
    }
    return rate * below;
}

double LineSigma(double channel, double keV) {
    const double relative = kRelativeFwhmAtLine * std::sqrt(kLineKeV / keV);
    return std::max(0.5, channel * relative * kFwhmToSigma);
}

void AddDetector(PulseHeights& p, int highVoltage, int gain, double sourceRate) {
    const double line = ChannelOfEnergy(kLineKeV, highVoltage, gain);
    const double xray = ChannelOfEnergy(kXRayKeV, highVoltage, gain);
    const double continuum = ChannelOfEnergy(kContinuumKeV, highVoltage, gain);
    p.overflow +=
        AddGaussian(p.resonant, sourceRate * kLineFraction, line, LineSigma(line, kLineKeV));
    p.overflow += AddGaussian(p.other, sourceRate * kXRayFraction, xray, LineSigma(xray, kXRayKeV));
    p.overflow +=
        AddExponential(p.other, sourceRate * kContinuumFraction, std::max(continuum, 1.0));
}

void AddStimulator(PulseHeights& p, int gain) {
    for (double channel : kStimulatorChannels) {
        const double mean = channel * AmplifierFactor(gain);
        p.overflow += AddGaussian(p.other, kStimulatorRate, mean, 2.0 + 0.002 * mean);
    }
}

}  // namespace

double ChannelOfEnergy(double keV, int highVoltage, int gain) {
    const double gasGain = std::exp((highVoltage - kReferenceVoltage) / kVoltsPerEFold);
    return keV * kChannelsPerKeV * gasGain * AmplifierFactor(gain);
}

PulseHeights ComputePulseHeights(const AnalogueRegisters& analogue, int highVoltage,
                                 double sourceRate) {
    PulseHeights p;
    const int gain = analogue.Gain();
    if (analogue.InputA()) {
        AddDetector(p, highVoltage, gain, sourceRate);
    } else {
        AddStimulator(p, gain);
    }
    p.overflow += AddExponential(p.other, kNoiseRate, kNoiseChannels * AmplifierFactor(gain) + 1);
    return p;
}

}  // namespace qv::sim
