#pragma once

#include <array>
#include <cstdint>

namespace qv {

// The counters and timers register image, B0..B46: the write sends B0..B24;
// read 1 (command 4) fills B2..B24 and read 2 (command 6) B25..B46.
inline constexpr std::size_t kCountersImageSize = 47;
inline constexpr std::size_t kLiveCountersAt = 2;    // read 1 lands here
inline constexpr std::size_t kCounterStartsAt = 25;  // read 2 lands here
using CountersTimersImage = std::array<std::uint8_t, kCountersImageSize>;

// The card refuses shorter backup periods: anything below is sent as this.
inline constexpr std::uint32_t kMinBackupPeriod = 30;
inline constexpr std::uint32_t kMaxAaSeconds = 16777215;
inline constexpr std::uint32_t kMaxCycles = 4294967295u;

// The working copy of the counters and timers editor. The one-time requests
// ("Set", "Clear", "Zero", "-->") travel in B1 and B0 bit 0 with the next write.
struct CountersTimersValues {
    // Switch
    std::int32_t SwitchState = 0;  // read only: never sent
    std::int32_t DeltaStopsCounting = 0;
    std::int32_t ClearSwitch = 0;  // one-time
    std::int32_t DeltaFlag = 0;    // read only: never sent
    std::int32_t SecondsSinceDelta = 0;
    // Universal time
    std::int32_t SetUniversalTime = 0;  // one-time
    std::int32_t UniversalTime = 0;
    // Backup
    std::uint32_t BackupPeriod = 65535;
    std::int32_t RestartBackup = 0;  // one-time
    std::uint32_t TillNearest = 65535;
    // Amplitude analyser live and dead time
    std::int32_t ZeroLiveDead = 0;  // one-time
    std::int32_t AaLiveTime = 0;
    std::int32_t AaDeadTime = 0;
    std::int32_t DeadTimePercent = 0;
    // Qv2
    std::int32_t Qv2Source = 1;  // 0 aux, 1 laser
    std::int32_t Qv2Rate = 0;
    std::int32_t SetQv2Cycles = 0;  // one-time
    std::uint32_t Qv2CyclesStart = kMaxCycles;
    std::uint32_t Qv2CyclesCurrent = kMaxCycles;
    // Qv1
    std::int32_t Qv1Source = 1;  // 0 aux, 1 local
    std::int32_t Qv1Rate = 0;
    std::int32_t SetQv1Cycles = 0;  // one-time
    std::uint32_t Qv1CyclesStart = kMaxCycles;
    std::uint32_t Qv1CyclesCurrent = kMaxCycles;
    std::int32_t ULock = 0;
    // Amplitude analyser seconds to stop
    std::int32_t AaStopTimeBase = 1;  // 0 universal time, 1 live time
    std::int32_t SetAaSeconds = 0;    // one-time
    std::int32_t AaSecondsStart = static_cast<std::int32_t>(kMaxAaSeconds);
    std::int32_t AaSecondsCurrent = static_cast<std::int32_t>(kMaxAaSeconds);
};

// Dt x 100 / (Lt + Dt), rounded to the nearest integer; 0 when both are 0.
std::int32_t DeadTimePercent(std::int32_t liveTime, std::int32_t deadTime);

// The backup period as it is sent: never below kMinBackupPeriod.
std::uint32_t SentBackupPeriod(std::uint32_t period);

// B0..B18 from the working copy; B19..B24 (live and dead time of the last
// read) and the read-only part B25..B46 are left as they are.
void PackCountersTimers(const CountersTimersValues& values, CountersTimersImage& image);
// Every member from B2..B46; the one-time requests come back clear and the
// percentage is recomputed.
CountersTimersValues UnpackCountersTimers(const CountersTimersImage& image);
// An image that unpacks to a new editor's values, for the time before the
// first successful read.
CountersTimersImage InitialCountersImage();

// B0 and B1 of the autosave's restart: the countdown only, no other request.
inline constexpr std::uint8_t kBackupRestartB0 = 0x01;
inline constexpr std::uint8_t kBackupRestartB1 = 0x00;

}  // namespace qv
