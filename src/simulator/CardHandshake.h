#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "hardware/CardRegisters.h"
#include "hardware/TickClock.h"
#include "simulator/FaultInjection.h"

namespace qv::sim {

// The card's side of a command, as the handshake asks for it.
class CardResponder {
public:
    enum class Direction { Unknown, Read, Write };
    struct Plan {
        Direction direction = Direction::Unknown;
        int length = 0;
    };

    virtual ~CardResponder() = default;
    // A command byte has arrived.
    virtual Plan Begin(std::uint8_t cmd) = 0;
    // The reply of a read command, exactly as many bytes as planned.
    virtual void Reply(std::uint8_t cmd, std::span<std::uint8_t> out) = 0;
    // A complete write payload; true (with the words) when it asks for a readout.
    virtual bool Execute(std::uint8_t cmd, std::span<const std::uint8_t> payload,
                         std::vector<std::uint32_t>& words) = 0;
};

// The byte-level handshake on the card's ports: idle, collecting a write
// payload, replying to a read, or delivering spectrum words, with the status
// register that tells the program which of them it may do next.
class CardHandshake {
public:
    static constexpr std::size_t kLongestReply = 32;
    // A write payload that stops for longer than this is dropped, so a transfer
    // the program gave up on never blocks the next command.
    static constexpr std::uint32_t kPayloadTimeoutMs = 50;

    CardHandshake(CardResponder& responder, FaultInjection& faults, TickClock& clock);

    std::uint8_t Status();               // B+3
    void WriteByte(std::uint8_t value);  // B+0
    std::uint8_t ReadReply();            // B+1
    std::uint8_t ReadData();             // B+2

    // The status is read once per spectrum word and the data port once per
    // byte, so a readout runs on a plain run of bytes that go without a
    // question: from the next byte up to (not including) the last one, or the
    // one that would bring on a fault, whichever comes first. Inside it the
    // card can only be reading out, and the words delivered are counted when
    // it ends or the card is asked anything else (CountDeliveredWords), since
    // no word inside it changes what the faults say.
    static constexpr std::uint8_t kReadoutStatus =
        kStatusSignature | kStatusReady | kStatusTxe | kStatusWord;
    bool InPlainRun() const { return m_next < m_plainEnd; }
    std::uint8_t PlainByte() { return *m_next++; }
    void CountDeliveredWords();
    // The faults were set anew: the plain run follows them.
    void FaultsChanged() { OpenPlainRun(); }

private:
    enum class State { Idle, Collecting, Replying, Readout };

    void TakeCommand(std::uint8_t cmd);
    void TakePayloadByte(std::uint8_t value);
    void StartReply(std::uint8_t cmd, int length);
    void StartReadout();
    void OpenPlainRun();
    void DropStalePayload();
    std::size_t BytesDelivered() const {
        return static_cast<std::size_t>(m_next - m_stream.data());
    }

    CardResponder& m_responder;
    FaultInjection& m_faults;
    TickClock& m_clock;
    std::uint32_t m_lastPayloadTick = 0;
    State m_state = State::Idle;
    std::uint8_t m_command = 0;
    std::vector<std::uint8_t> m_payload;
    std::size_t m_expected = 0;
    std::array<std::uint8_t, kLongestReply> m_reply{};
    std::size_t m_replyLength = 0;
    std::size_t m_replyPos = 0;
    std::vector<std::uint32_t> m_words;
    std::vector<std::uint8_t> m_stream;  // the words' bytes, least significant first
    const std::uint8_t* m_next = nullptr;
    const std::uint8_t* m_plainEnd = nullptr;
    std::size_t m_countedWords = 0;
};

}  // namespace qv::sim
