#pragma once

#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <vector>

#include "hardware/PortBus.h"
#include "hardware/TickClock.h"

namespace qv::test {

// A scripted card on a PortBus, following the card side of docs/card-interface.md
// for the commands the tests use, with knobs to make it misbehave and a log of
// every port access.
class FakeCard : public PortBus {
public:
    static constexpr int kForever = std::numeric_limits<int>::max();

    struct Access {
        bool write;
        std::uint16_t port;
        std::uint8_t value;
        bool operator==(const Access&) const = default;
    };

    explicit FakeCard(std::uint16_t base = 0x300) : m_base(base) {}

    std::uint8_t In(std::uint16_t port) override;
    void Out(std::uint16_t port, std::uint8_t value) override;

    // The first byte of every command-4 reply.
    void SetStatusByte(std::uint8_t status) { m_statusByte = status; }
    // Every reply to cmd starts with these bytes instead of the counting pattern.
    void SetReply(std::uint8_t cmd, std::vector<std::uint8_t> bytes) {
        m_replies[cmd] = std::move(bytes);
    }
    // After this many bytes through the command and reply ports the card stops
    // handshaking; with staysReady false it drops READY as well.
    void StopAnsweringAfter(int bytes, bool staysReady = true);
    // Holds back the WORD bit for this many status reads once word `index` is latched.
    void StallWord(int index, int statusReads = kForever);
    // Once this many spectrum words have been read the card is gone: every port
    // reads as an empty bus.
    void VanishAfterWords(int words) { m_vanishAfterWords = words; }
    // The status register reads this value whatever the card's state.
    void AnswerStatus(std::uint8_t status) { m_fixedStatus = status; }
    // Time passes as the program polls: every status read moves the clock on.
    void AdvanceOnStatusRead(ManualTickClock& clock, std::uint32_t ms);

    const std::vector<Access>& Log() const { return m_log; }
    std::vector<std::uint8_t> Written() const;
    const std::vector<std::uint8_t>& Received(std::uint8_t cmd) { return m_received[cmd]; }
    int WordsDelivered() const { return m_wordIndex; }
    bool IsIdle() const { return m_state == State::kIdle; }

    static std::uint8_t ReplyByte(std::uint8_t cmd, int index);
    static std::uint32_t SpectrumWord(std::uint8_t selector, int index);

private:
    enum class State { kIdle, kCollecting, kReplying, kReadout };

    std::uint8_t Status();
    std::uint8_t ReplyPortRead();
    std::uint8_t DataPortRead();
    void CommandPortWrite(std::uint8_t value);
    void StartCommand(std::uint8_t cmd);
    void FinishPayload();
    bool WordShowing();
    bool Silent() const { return m_moved >= m_answerLimit; }
    bool Vanished() const { return m_wordIndex >= m_vanishAfterWords; }

    std::uint16_t m_base;
    State m_state = State::kIdle;
    std::uint8_t m_statusByte = 0x00;
    std::uint8_t m_cmd = 0;
    std::vector<std::uint8_t> m_payload;
    std::size_t m_payloadLength = 0;
    std::vector<std::uint8_t> m_reply;
    std::size_t m_replyPos = 0;
    std::uint8_t m_selector = 0;
    int m_words = 0;
    int m_wordIndex = 0;
    int m_byteIndex = 0;

    int m_moved = 0;
    int m_answerLimit = kForever;
    bool m_staysReady = true;
    int m_stallIndex = -1;
    int m_stallReads = 0;
    int m_vanishAfterWords = kForever;
    std::optional<std::uint8_t> m_fixedStatus;
    ManualTickClock* m_clock = nullptr;
    std::uint32_t m_msPerStatusRead = 0;

    std::vector<Access> m_log;
    std::map<std::uint8_t, std::vector<std::uint8_t>> m_received;
    std::map<std::uint8_t, std::vector<std::uint8_t>> m_replies;
};

}  // namespace qv::test
