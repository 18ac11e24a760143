#include "hardware/CHardwarePort.h"

#include "hardware/CardRegisters.h"
#include "hardware/CommandCodes.h"
#include "hardware/HardwareGlobals.h"
#include "hardware/PortBus.h"
#include "hardware/TickClock.h"
#include "hardware/TransferObserver.h"

namespace qv {

namespace {

constexpr int kNotReady = 1;
constexpr int kReadFailed = 2;
constexpr int kWriteFailed = 3;

// Error offsets per step of the composite operations.
constexpr int kReadSetupOffset = 8;
constexpr int kReadPayloadOffset = 12;
constexpr int kWriteSetupOffset = 32;
constexpr int kWritePayloadOffset = 36;
constexpr int kStatusStepOffset = 16;
constexpr int kStatusReadOffset = 24;
constexpr int kSpectrumSetupOffset = 4;
constexpr int kSpectrumSuspended = 128;
constexpr int kSpectrumTimedOut = 4;

constexpr std::int64_t kHandshakeLimitMs = 20;
constexpr std::int64_t kWordLimitMs = 500;

constexpr int kLongSpectrumWords = 8192;
constexpr int kSpectrumWords = 4096;

std::uint16_t CardPort(std::uint16_t offset) {
    return static_cast<std::uint16_t>(HardwareGlobals::Instance().portBase + offset);
}

int Observed(Transfer::Kind kind, std::uint8_t command, const void* bytes, int length, int error,
             int valid) {
    if (TransferObserver* observer = HardwareGlobals::Instance().observer) {
        observer->OnTransfer(
            {kind, command, length, static_cast<const std::uint8_t*>(bytes), error, valid});
    }
    return error;
}

}  // namespace

CHardwarePort::CHardwarePort()
    : m_dataPort(CardPort(kDataPortOffset)),
      m_statusPort(CardPort(kStatusPortOffset)),
      m_basePort(CardPort(kCommandPortOffset)),
      m_secondPort(CardPort(kReplyPortOffset)) {}

CHardwarePort::~CHardwarePort() = default;

int CHardwarePort::WaitReady() {
    const HardwareGlobals& globals = HardwareGlobals::Instance();
    return WaitForStatus(globals.Bus(), globals.Clock(), kStatusReady, kHandshakeLimitMs)
               ? 0
               : kNotReady;
}

int CHardwarePort::ReadBytes(std::uint8_t* destination, int count) {
    int received = 0;
    return ReadBytesCounted(destination, count, received);
}

int CHardwarePort::ReadBytesCounted(std::uint8_t* destination, int count, int& received) {
    const HardwareGlobals& globals = HardwareGlobals::Instance();
    PortBus& bus = globals.Bus();
    for (received = 0; received < count; ++received) {
        if (!WaitForStatus(bus, globals.Clock(), kStatusRxf, kHandshakeLimitMs)) {
            return kReadFailed;
        }
        destination[received] = bus.In(m_secondPort);
    }
    return 0;
}

int CHardwarePort::WriteBytes(const std::uint8_t* source, int count) {
    const HardwareGlobals& globals = HardwareGlobals::Instance();
    PortBus& bus = globals.Bus();
    for (int i = 0; i < count; ++i) {
        if (!WaitForStatus(bus, globals.Clock(), kStatusTxe, kHandshakeLimitMs)) {
            return kWriteFailed;
        }
        bus.Out(m_basePort, source[i]);
    }
    return 0;
}

int CHardwarePort::ReadCommand(std::uint8_t cmd, void* destination, int length) {
    int received = 0;
    const int error = ReadCommandSteps(cmd, destination, length, received);
    return Observed(Transfer::Kind::Read, cmd, destination, length, error, received);
}

int CHardwarePort::ReadCommandSteps(std::uint8_t cmd, void* destination, int length,
                                    int& received) {
    if (const int result = SendCommandByte(cmd)) {
        return result + kReadSetupOffset;
    }
    if (const int result =
            ReadBytesCounted(static_cast<std::uint8_t*>(destination), length, received)) {
        return result + kReadPayloadOffset;
    }
    return 0;
}

int CHardwarePort::WriteCommand(std::uint8_t cmd, const void* source, int length) {
    return Observed(Transfer::Kind::Write, cmd, source, length,
                    WriteCommandSteps(cmd, source, length), length);
}

int CHardwarePort::WriteCommandSteps(std::uint8_t cmd, const void* source, int length) {
    if (const int result = SendCommandByte(cmd)) {
        return result + kWriteSetupOffset;
    }
    if (const int result = WriteBytes(static_cast<const std::uint8_t*>(source), length)) {
        return result + kWritePayloadOffset;
    }
    return 0;
}

int CHardwarePort::StatusReadCommand(std::uint8_t cmd, void* destination, int length,
                                     std::string& statusText) {
    std::uint8_t status = 0;
    if (const int result = ReadCommand(kCmdReadStatus, &status, kStatusLength)) {
        return result + kStatusStepOffset;
    }
    statusText = (status & kStatusLocked) != 0 ? kLockedText : kNotLockedText;
    if (const int result = ReadCommand(cmd, destination, length)) {
        return result + kStatusReadOffset;
    }
    return 0;
}

int CHardwarePort::ReadSpectrum(std::uint8_t selector, std::uint32_t* destination, int* wordsRead) {
    const int words = selector == kSelectAa ? kLongSpectrumWords : kSpectrumWords;
    int arrived = 0;
    const int result = Observed(Transfer::Kind::Spectrum, selector, nullptr, words,
                                ReadSpectrumSteps(selector, destination, words, arrived), 0);
    if (wordsRead != nullptr) {
        *wordsRead = arrived;
    }
    return result;
}

int CHardwarePort::ReadSpectrumSteps(std::uint8_t selector, std::uint32_t* destination, int words,
                                     int& wordsRead) {
    wordsRead = 0;
    if (HardwareGlobals::Instance().suspend != 0) {
        return kSpectrumSuspended;
    }
    if (const int result = RequestReadout(selector)) {
        return result + kSpectrumSetupOffset;
    }
    const HardwareGlobals& globals = HardwareGlobals::Instance();
    PortBus& bus = globals.Bus();
    TickClock& clock = globals.Clock();
    const std::uint16_t dataPort = m_dataPort;
    for (int i = 0; i < words; ++i) {
        // The ready bit is tested once per word, not per byte.
        if (!WaitForStatus(bus, clock, kStatusWord, kWordLimitMs)) {
            return kSpectrumTimedOut;
        }
        destination[i] = ReadWord(bus, dataPort);
        wordsRead = i + 1;
    }
    return 0;
}

std::int32_t CHardwarePort::SetSuspend(std::int32_t value) {
    std::int32_t& flag = HardwareGlobals::Instance().suspend;
    const std::int32_t previous = flag;
    flag = value;
    return previous;
}

// The first two steps of every command: 0, or the failing primitive's code.
int CHardwarePort::SendCommandByte(std::uint8_t cmd) {
    if (const int result = WaitReady()) {
        return result;
    }
    return WriteBytes(&cmd, 1);
}

// The set-up of a spectrum read: 0, or the failing primitive's code.
int CHardwarePort::RequestReadout(std::uint8_t selector) {
    if (const int result = WaitReady()) {
        return result;
    }
    const std::uint8_t request[] = {kCmdWriteRunControl, 0, selector};
    if (const int result = WriteBytes(request, static_cast<int>(sizeof request))) {
        return result;
    }
    return WaitReady();
}

// A status outside the card's signature means nobody drives the bus, so the
// wait ends at once instead of running out its time. This holds for the
// spectrum word wait too: an empty bus floats high and shows the word bit, so
// without the signature a card that vanishes in the middle of a readout would
// deliver 0xFF bytes that pass for counts. Inline: a readout waits once per word.
inline bool CHardwarePort::WaitForStatus(PortBus& bus, TickClock& clock, std::uint8_t bits,
                                         std::int64_t limitMs) {
    StartPoll(clock.GetTickCount());
    for (;;) {
        const std::uint8_t status = bus.In(m_statusPort);
        if (!IsValidStatus(status)) {
            return false;
        }
        if ((status & bits) == bits) {
            return true;
        }
        if (PollExpired(clock.GetTickCount(), limitMs)) {
            return false;
        }
    }
}

// The four bytes of a word, least significant first, one port input each.
inline std::uint32_t CHardwarePort::ReadWord(PortBus& bus, std::uint16_t dataPort) {
    const std::uint32_t b0 = bus.In(dataPort);
    const std::uint32_t b1 = bus.In(dataPort);
    const std::uint32_t b2 = bus.In(dataPort);
    const std::uint32_t b3 = bus.In(dataPort);
    return b0 | b1 << 8 | b2 << 16 | b3 << 24;
}

void CHardwarePort::StartPoll(std::uint32_t now) {
    m_pollStart = now;
    m_pollElapsed = 0;
}

// A negative difference means the 32-bit tick counter wrapped since the start:
// the wait begins again from now rather than failing.
bool CHardwarePort::PollExpired(std::uint32_t now, std::int64_t limitMs) {
    m_pollElapsed = static_cast<std::int64_t>(now) - m_pollStart;
    if (m_pollElapsed < 0) {
        StartPoll(now);
        return false;
    }
    return m_pollElapsed > limitMs;
}

}  // namespace qv
