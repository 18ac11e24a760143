#pragma once

#include <cstdint>
#include <string>

namespace qv {

class PortBus;
class TickClock;

// Lock state texts shown next to a transfer's result.
inline constexpr char kLockedText[] = " !!Locked";
inline constexpr char kNotLockedText[] = "notLocked";

// One owner's link to the interface card. Every exchange is a command byte and
// a fixed-length payload; failures come back as numbers built from the failing
// primitive's code plus a fixed offset per step, never as exceptions. The
// ports are fixed from the configured port base when the object is made; the
// bus and the clock are looked up in HardwareGlobals on every call.
class CHardwarePort {
public:
    CHardwarePort();
    virtual ~CHardwarePort();

    // Primitives: 0, or 1, 2 and 3 respectively.
    int WaitReady();
    int ReadBytes(std::uint8_t* destination, int count);
    int WriteBytes(const std::uint8_t* source, int count);

    int ReadCommand(std::uint8_t cmd, void* destination, int length);
    int WriteCommand(std::uint8_t cmd, const void* source, int length);
    // Reads the status byte first and sets statusText to the lock state.
    int StatusReadCommand(std::uint8_t cmd, void* destination, int length, std::string& statusText);
    // Fills destination with 8192 words for selector 0x40, 4096 otherwise.
    // wordsRead, when given, says how many words arrived, also on failure.
    int ReadSpectrum(std::uint8_t selector, std::uint32_t* destination, int* wordsRead = nullptr);

    // Sets the process-wide hardware-suspend flag; returns its previous value.
    static std::int32_t SetSuspend(std::int32_t value);

private:
    // ReadBytes that also says how many bytes arrived, for the transfer observer.
    int ReadBytesCounted(std::uint8_t* destination, int count, int& received);
    int ReadCommandSteps(std::uint8_t cmd, void* destination, int length, int& received);
    int WriteCommandSteps(std::uint8_t cmd, const void* source, int length);
    int ReadSpectrumSteps(std::uint8_t selector, std::uint32_t* destination, int words,
                          int& wordsRead);
    int SendCommandByte(std::uint8_t cmd);
    int RequestReadout(std::uint8_t selector);
    bool WaitForStatus(PortBus& bus, TickClock& clock, std::uint8_t bits, std::int64_t limitMs);
    std::uint32_t ReadWord(PortBus& bus, std::uint16_t dataPort);
    void StartPoll(std::uint32_t now);
    bool PollExpired(std::uint32_t now, std::int64_t limitMs);

    std::uint16_t m_dataPort;
    std::uint16_t m_statusPort;
    std::uint16_t m_basePort;
    std::uint16_t m_secondPort;
    std::int64_t m_pollStart = 0;
    std::int64_t m_pollElapsed = 0;
};

}  // namespace qv
