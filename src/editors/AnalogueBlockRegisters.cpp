#include "editors/AnalogueBlockRegisters.h"

#include <algorithm>

namespace qv {

namespace {

// Code by value (1..4 for the taus, 0..3 for TestOut) and value by code.
constexpr std::array<std::uint8_t, 4> kSignalTauCodes{3, 1, 2, 0};
constexpr std::array<std::int32_t, 4> kSignalTauValues{4, 2, 3, 1};
constexpr std::array<std::uint8_t, 4> kTriggerTauCodes{0, 2, 1, 3};
constexpr std::array<std::int32_t, 4> kTriggerTauValues{1, 3, 2, 4};
constexpr std::array<std::uint8_t, 4> kTestOutCodes{0, 3, 1, 2};
constexpr std::array<std::int32_t, 4> kTestOutValues{0, 2, 3, 1};

// Refused entries never reach packing, so this only keeps the lookup inside
// the table for a value that was never validated.
std::size_t Index(std::int32_t fromZero) {
    return static_cast<std::size_t>(fromZero) & 3u;
}

std::uint8_t Bits(std::int32_t value, unsigned width) {
    return static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) & ((1u << width) - 1u));
}

std::uint8_t Flag(std::int32_t value) {
    return value != 0 ? 1 : 0;
}

// A 10- or 12-bit value as low byte, then the high bits.
void PutWide(AnalogueRegisterBytes& r, std::size_t low, std::int32_t value, unsigned width) {
    const auto field = static_cast<std::uint32_t>(value) & ((1u << width) - 1u);
    r[low] = static_cast<std::uint8_t>(field & 0xFF);
    r[low + 1] = static_cast<std::uint8_t>(field >> 8);
}

std::int32_t GetWide(const AnalogueRegisterBytes& r, std::size_t low, unsigned width) {
    const unsigned highMask = (1u << (width - 8)) - 1u;
    return static_cast<std::int32_t>((r[low + 1] & highMask) << 8 | r[low]);
}

}  // namespace

std::uint8_t SignalTauCode(std::int32_t signalTau) {
    return kSignalTauCodes[Index(signalTau - 1)];
}
std::int32_t SignalTauOfCode(std::uint8_t code) {
    return kSignalTauValues[code & 3u];
}
std::uint8_t TriggerTauCode(std::int32_t triggerTau) {
    return kTriggerTauCodes[Index(triggerTau - 1)];
}
std::int32_t TriggerTauOfCode(std::uint8_t code) {
    return kTriggerTauValues[code & 3u];
}
std::uint8_t TestOutCode(std::int32_t testOut) {
    return kTestOutCodes[Index(testOut)];
}
std::int32_t TestOutOfCode(std::uint8_t code) {
    return kTestOutValues[code & 3u];
}

AnalogueRegisterBytes PackAnalogue(const AnalogueValues& v) {
    AnalogueRegisterBytes r{};
    r[0] = static_cast<std::uint8_t>(TriggerTauCode(v.TriggerTau) << 6 |
                                     SignalTauCode(v.SignalTau) << 4 | TestOutCode(v.TestOut) << 2 |
                                     Flag(v.Invert) << 1 | (v.InputSelect == 0 ? 1 : 0));
    r[1] = static_cast<std::uint8_t>(Bits(v.Gain, 7) << 1);
    PutWide(r, 2, v.AmpAnalUpLimit, 10);
    PutWide(r, 4, v.AmpAnalLowLimit, 10);
    PutWide(r, 6, v.SnglChnlUpLimit, 12);
    PutWide(r, 8, v.SnglChnlLowLimit, 12);
    PutWide(r, 10, v.TriggerLevel, 10);
    r[12] = static_cast<std::uint8_t>(Bits(v.BaseCaptureDelay, 4) << 4 |
                                      Flag(v.PileOnFrontRejection) << 3 | Flag(v.DTimMode) << 2);
    r[13] = Bits(v.PeakCaptureDelay, 7);
    r[14] = Bits(v.PileOnTileRejection, 8);
    return r;
}

AnalogueValues UnpackAnalogue(const AnalogueRegisterBytes& r) {
    AnalogueValues v;
    v.TriggerTau = TriggerTauOfCode(static_cast<std::uint8_t>(r[0] >> 6));
    v.SignalTau = SignalTauOfCode(static_cast<std::uint8_t>(r[0] >> 4));
    v.TestOut = TestOutOfCode(static_cast<std::uint8_t>(r[0] >> 2));
    v.Invert = (r[0] >> 1) & 1;
    v.InputSelect = (r[0] & 1) != 0 ? 0 : 1;
    v.Gain = r[1] >> 1;
    v.AmpAnalUpLimit = GetWide(r, 2, 10);
    v.AmpAnalLowLimit = GetWide(r, 4, 10);
    v.SnglChnlUpLimit = GetWide(r, 6, 12);
    v.SnglChnlLowLimit = GetWide(r, 8, 12);
    v.TriggerLevel = GetWide(r, 10, 10);
    v.BaseCaptureDelay = r[12] >> 4;
    v.PileOnFrontRejection = (r[12] >> 3) & 1;
    v.DTimMode = (r[12] >> 2) & 1;
    v.PeakCaptureDelay = r[13] & 0x7F;
    v.PileOnTileRejection = r[14];
    return v;
}

AnalogueWriteBytes AnalogueWritePayload(const AnalogueRegisterBytes& r) {
    AnalogueWriteBytes payload{};
    payload[0] = 0xFF;
    payload[1] = 0xFF;
    std::copy(r.begin(), r.end(), payload.begin() + 2);
    return payload;
}

}  // namespace qv
