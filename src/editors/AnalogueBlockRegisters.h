#pragma once

#include <array>
#include <cstdint>

namespace qv {

// The card's analogue block R0..R14 as it is read (command 8).
using AnalogueRegisterBytes = std::array<std::uint8_t, 15>;
// As it is written (command 9): two 0xFF bytes, then R0..R14.
using AnalogueWriteBytes = std::array<std::uint8_t, 17>;

// The editor's working copy: every member bound to one control.
struct AnalogueValues {
    std::int32_t Gain = 0;
    std::int32_t Invert = 0;
    std::int32_t SignalTau = 1;  // 1..4 select 0.47, 1.0, 2.2, 4.7 us
    std::int32_t TriggerTau = 1;
    std::int32_t InputSelect = 0;  // 0 InputA, 1 InputB
    std::int32_t TestOut = 0;      // which point of the chain goes to the test output
    std::int32_t TriggerLevel = 0;
    std::int32_t PileOnFrontRejection = 0;
    std::int32_t DTimMode = 0;
    std::int32_t AmpAnalUpLimit = 0;
    std::int32_t SnglChnlUpLimit = 0;
    std::int32_t SnglChnlLowLimit = 0;
    std::int32_t AmpAnalLowLimit = 0;
    std::int32_t BaseCaptureDelay = 0;
    std::int32_t PeakCaptureDelay = 0;
    std::int32_t PileOnTileRejection = 0;
};

// The three two-bit selectors: the card's codes do not follow the value order.
std::uint8_t SignalTauCode(std::int32_t signalTau);
std::int32_t SignalTauOfCode(std::uint8_t code);
std::uint8_t TriggerTauCode(std::int32_t triggerTau);
std::int32_t TriggerTauOfCode(std::uint8_t code);
std::uint8_t TestOutCode(std::int32_t testOut);
std::int32_t TestOutOfCode(std::uint8_t code);

// Every value is cut to its field; a flag counts as set when not 0.
AnalogueRegisterBytes PackAnalogue(const AnalogueValues& values);
AnalogueValues UnpackAnalogue(const AnalogueRegisterBytes& r);
// The write's payload: the two leading 0xFF bytes, then the registers.
AnalogueWriteBytes AnalogueWritePayload(const AnalogueRegisterBytes& r);

}  // namespace qv
