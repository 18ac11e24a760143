#include "editors/CountersTimersRegisters.h"

#include <algorithm>
#include <limits>

namespace qv {

namespace {

constexpr std::uint8_t kTakeSettings = 0x7E;  // B0 bits 6..1 with every editor write
constexpr std::uint32_t kMask24 = 0xFFFFFF;

// Little-endian field of 'width' bytes at B'at'.
std::uint32_t Field(const CountersTimersImage& image, std::size_t at, std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        value |= static_cast<std::uint32_t>(image[at + i]) << (8 * i);
    }
    return value;
}

void SetField(CountersTimersImage& image, std::size_t at, std::size_t width, std::uint32_t value) {
    for (std::size_t i = 0; i < width; ++i) {
        image[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

std::uint8_t Bit(std::int32_t member, int bit) {
    return static_cast<std::uint8_t>((static_cast<std::uint32_t>(member) & 1u) << bit);
}

std::int32_t BitOf(std::uint8_t byte, int bit) {
    return (byte >> bit) & 1;
}

std::uint32_t U(std::int32_t value) {
    return static_cast<std::uint32_t>(value);
}

std::int32_t S(std::uint32_t value) {
    return static_cast<std::int32_t>(value);
}

}  // namespace

std::int32_t DeadTimePercent(std::int32_t liveTime, std::int32_t deadTime) {
    const double sum = static_cast<double>(liveTime) + static_cast<double>(deadTime);
    if (sum == 0) {
        return 0;
    }
    // Only a damaged measurement file can push this out of range; keep the
    // conversion defined.
    const double percent = static_cast<double>(deadTime) * 100 / sum + 0.5;
    constexpr double kLow = std::numeric_limits<std::int32_t>::min();
    constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(percent, kLow, kHigh));
}

std::uint32_t SentBackupPeriod(std::uint32_t period) {
    return std::max(period, kMinBackupPeriod);
}

void PackCountersTimers(const CountersTimersValues& v, CountersTimersImage& image) {
    image[0] = static_cast<std::uint8_t>(kTakeSettings | Bit(v.RestartBackup, 0));
    image[1] = static_cast<std::uint8_t>(Bit(v.SetUniversalTime, 7) | Bit(v.SetAaSeconds, 6) |
                                         Bit(v.SetQv2Cycles, 5) | Bit(v.SetQv1Cycles, 4) |
                                         Bit(v.ZeroLiveDead, 3) | Bit(v.ClearSwitch, 2));
    image[2] =
        static_cast<std::uint8_t>(Bit(v.ULock, 6) | Bit(v.Qv2Source, 5) | Bit(v.Qv1Source, 4) |
                                  Bit(v.AaStopTimeBase, 3) | Bit(v.DeltaStopsCounting, 2));
    SetField(image, 3, 2, SentBackupPeriod(v.BackupPeriod) - 1);
    SetField(image, 5, 3, U(v.UniversalTime) & kMask24);
    SetField(image, 8, 3, (U(v.AaSecondsStart) - 1) & kMask24);
    SetField(image, 11, 4, v.Qv1CyclesStart - 2);
    SetField(image, 15, 4, v.Qv2CyclesStart - 2);
}

CountersTimersValues UnpackCountersTimers(const CountersTimersImage& image) {
    CountersTimersValues v;  // the one-time requests start clear
    const std::uint8_t status = image[2];
    v.ULock = BitOf(status, 6);
    v.Qv2Source = BitOf(status, 5);
    v.Qv1Source = BitOf(status, 4);
    v.AaStopTimeBase = BitOf(status, 3);
    v.DeltaStopsCounting = BitOf(status, 2);
    v.SwitchState = BitOf(status, 1);
    v.DeltaFlag = BitOf(status, 0);
    v.BackupPeriod = (Field(image, 3, 2) + 1) & 0xFFFF;
    v.UniversalTime = S(Field(image, 5, 3));
    v.AaSecondsCurrent = S((Field(image, 8, 3) + 1) & kMask24);
    v.Qv1CyclesCurrent = Field(image, 11, 4) + 2;
    v.Qv2CyclesCurrent = Field(image, 15, 4) + 2;
    v.AaLiveTime = S(Field(image, 19, 3));
    v.AaDeadTime = S(Field(image, 22, 3));
    v.AaSecondsStart = S((Field(image, 25, 3) + 1) & kMask24);
    v.Qv1CyclesStart = Field(image, 28, 4) + 2;
    v.Qv2CyclesStart = Field(image, 32, 4) + 2;
    v.TillNearest = (Field(image, 36, 2) + 1) & 0xFFFF;
    v.SecondsSinceDelta = S(Field(image, 38, 3));
    v.Qv1Rate = S(Field(image, 41, 3));
    v.Qv2Rate = S(Field(image, 44, 3));
    v.DeadTimePercent = DeadTimePercent(v.AaLiveTime, v.AaDeadTime);
    return v;
}

CountersTimersImage InitialCountersImage() {
    const CountersTimersValues initial;
    CountersTimersImage image{};
    // The write's B2..B18 are laid out as read 1 gives them, and a new
    // editor's current values equal its start values.
    PackCountersTimers(initial, image);
    image[0] = image[1] = 0;
    SetField(image, 25, 3, (U(initial.AaSecondsStart) - 1) & kMask24);
    SetField(image, 28, 4, initial.Qv1CyclesStart - 2);
    SetField(image, 32, 4, initial.Qv2CyclesStart - 2);
    SetField(image, 36, 2, initial.TillNearest - 1);
    return image;
}

}  // namespace qv
