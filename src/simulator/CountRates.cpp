#include "simulator/CountRates.h"

#include <cmath>
#include <numeric>

#include "simulator/AlphaIronAbsorber.h"

namespace qv::sim {

namespace {

constexpr double kDeadMicrosecondsPerTau = 2.0;   // plus one microsecond of logic
constexpr double kFringesPerMm = 2.0 / 632.8e-6;  // He-Ne interferometer
constexpr double kAuxShare = 0.25;                // of the source rate, at the aux detector
constexpr double kAuxResonantShare = 0.6;         // its window sits on the 14.4 keV line

struct WindowRates {
    double resonant = 0;
    double other = 0;
};

struct Windows {
    int trigger;
    int aaLow, aaHigh;  // amplitude analyser, in amplitude channels
    int scLow, scHigh;  // single channel
};

Windows WindowsOf(const AnalogueRegisters& a) {
    return {a.TriggerLevel() * 4, a.AmpAnalLowLimit() * 4, a.AmpAnalUpLimit() * 4 + 3,
            a.SnglChnlLowLimit(), a.SnglChnlUpLimit()};
}

double TriggeredRate(const PulseHeights& p, int trigger) {
    double rate = p.overflow;
    for (std::size_t c = static_cast<std::size_t>(std::max(trigger, 0)); c < kAmplitudeChannels;
         ++c) {
        rate += p.resonant[c] + p.other[c];
    }
    return rate;
}

double LiveFraction(const PulseHeights& p, const AnalogueRegisters& a, int trigger) {
    const double deadSeconds = (kDeadMicrosecondsPerTau * a.SignalTauMicroseconds() + 1) * 1e-6;
    return 1 / (1 + TriggeredRate(p, trigger) * deadSeconds);
}

double MeanTransmission(const ChannelVelocities& v) {
    double sum = 0;
    for (double velocity : v) {
        sum += AlphaIronTransmission(velocity);
    }
    return sum / static_cast<double>(v.size());
}

// Fills the analyser's two spectra; returns what the single channel passes.
WindowRates FillAnalyser(CountRates& r, const PulseHeights& p, const Windows& w,
                         double transmission) {
    WindowRates inWindow;
    for (int c = std::max(w.trigger, 0); c < static_cast<int>(kAmplitudeChannels); ++c) {
        const double resonant = p.resonant[c] * transmission * r.liveFraction;
        const double rate = resonant + p.other[c] * r.liveFraction;
        const bool single = c >= w.scLow && c <= w.scHigh;
        if (single) {
            inWindow.resonant += p.resonant[c] * r.liveFraction;
            inWindow.other += p.other[c] * r.liveFraction;
        }
        if (c >= w.aaLow && c <= w.aaHigh) {
            r.aa[(single ? kAmplitudeChannels : 0) + c] = rate;
        }
    }
    return inWindow;
}

void FillQv(std::array<double, kQvChannels>& qv, const ChannelVelocities& v, double resonant,
            double other) {
    for (std::size_t c = 0; c < kQvChannels; ++c) {
        qv[c] = resonant * AlphaIronTransmission(v[c]) + other;
    }
}

double Mean(const std::array<double, kQvChannels>& qv) {
    return std::accumulate(qv.begin(), qv.end(), 0.0) / static_cast<double>(qv.size());
}

}  // namespace

CountRates ComposeRates(const PulseHeights& pulses, const AnalogueRegisters& analogue,
                        const ChannelVelocities& velocities, SourceSelection sources,
                        double sourceRate) {
    CountRates r;
    const Windows w = WindowsOf(analogue);
    r.liveFraction = LiveFraction(pulses, analogue, w.trigger);
    const WindowRates single = FillAnalyser(r, pulses, w, MeanTransmission(velocities));
    const double aux = sourceRate * kAuxShare;
    std::array<double, kQvChannels> auxRates{};
    FillQv(auxRates, velocities, aux * kAuxResonantShare, aux * (1 - kAuxResonantShare));
    if (sources.qv1Local) {
        FillQv(r.qv1, velocities, single.resonant, single.other);
    } else {
        r.qv1 = auxRates;
    }
    r.qv2Fringes = sources.qv2Laser;
    if (sources.qv2Laser) {
        for (std::size_t c = 0; c < kQvChannels; ++c) {
            r.qv2[c] = std::abs(velocities[c]) * kFringesPerMm;
        }
    } else {
        r.qv2 = auxRates;
    }
    r.qv1Mean = Mean(r.qv1);
    r.qv2Mean = Mean(r.qv2);
    return r;
}

}  // namespace qv::sim
