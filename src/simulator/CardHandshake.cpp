#include "simulator/CardHandshake.h"

#include "hardware/CardRegisters.h"

namespace qv::sim {

CardHandshake::CardHandshake(CardResponder& responder, FaultInjection& faults, TickClock& clock)
    : m_responder(responder), m_faults(faults), m_clock(clock) {
    m_payload.reserve(16384);
    m_words.reserve(8192);
    m_stream.reserve(4 * 8192);
    m_next = m_plainEnd = m_stream.data();
}

void CardHandshake::DropStalePayload() {
    if (m_state == State::Collecting &&
        m_clock.GetTickCount() - m_lastPayloadTick > kPayloadTimeoutMs) {
        m_payload.clear();
        m_state = State::Idle;
    }
}

std::uint8_t CardHandshake::Status() {
    if (m_faults.Silent()) {
        return kStatusSignature;
    }
    DropStalePayload();
    switch (m_state) {
        case State::Idle:
            return kStatusSignature | kStatusReady | kStatusTxe;
        case State::Collecting:
            return kStatusSignature | kStatusTxe;
        case State::Replying:
            return kStatusSignature | kStatusReady | kStatusTxe | kStatusRxf;
        case State::Readout:
            return kReadoutStatus;
    }
    return kStatusSignature;
}

void CardHandshake::WriteByte(std::uint8_t value) {
    if (m_faults.Silent()) {
        return;
    }
    m_faults.CountByte();
    DropStalePayload();
    if (m_state == State::Collecting) {
        TakePayloadByte(value);
    } else {
        // Also ends an unfinished reply or readout: the rest is dropped.
        TakeCommand(value);
    }
}

void CardHandshake::TakeCommand(std::uint8_t cmd) {
    m_state = State::Idle;
    OpenPlainRun();
    m_command = cmd;
    const CardResponder::Plan plan = m_responder.Begin(cmd);
    if (plan.length <= 0) {
        return;  // unknown, or a read without payload: stay idle
    }
    if (plan.direction == CardResponder::Direction::Read) {
        StartReply(cmd, plan.length);
    } else if (plan.direction == CardResponder::Direction::Write) {
        m_payload.clear();
        m_expected = static_cast<std::size_t>(plan.length);
        m_lastPayloadTick = m_clock.GetTickCount();
        m_state = State::Collecting;
    }
}

void CardHandshake::StartReply(std::uint8_t cmd, int length) {
    m_replyLength = static_cast<std::size_t>(length);
    m_replyPos = 0;
    m_responder.Reply(cmd, std::span(m_reply).first(m_replyLength));
    m_state = State::Replying;
}

void CardHandshake::TakePayloadByte(std::uint8_t value) {
    m_lastPayloadTick = m_clock.GetTickCount();
    m_payload.push_back(value);
    if (m_payload.size() < m_expected) {
        return;
    }
    m_state = State::Idle;
    if (m_responder.Execute(m_command, m_payload, m_words)) {
        StartReadout();
    }
}

void CardHandshake::StartReadout() {
    m_stream.resize(4 * m_words.size());
    std::uint8_t* out = m_stream.data();
    for (const std::uint32_t word : m_words) {
        *out++ = static_cast<std::uint8_t>(word);
        *out++ = static_cast<std::uint8_t>(word >> 8);
        *out++ = static_cast<std::uint8_t>(word >> 16);
        *out++ = static_cast<std::uint8_t>(word >> 24);
    }
    m_next = m_stream.data();
    m_countedWords = 0;
    m_state = m_words.empty() ? State::Idle : State::Readout;
    OpenPlainRun();
}

std::uint8_t CardHandshake::ReadReply() {
    if (m_state != State::Replying || m_faults.Silent()) {
        return 0;
    }
    m_faults.CountByte();
    const std::uint8_t value = m_reply[m_replyPos++];
    if (m_replyPos == m_replyLength) {
        m_state = State::Idle;
    }
    return value;
}

// A data byte outside the plain run: the last of the readout, the one that
// completes the word a fault waits for, or any while no readout runs or the
// card is silent.
std::uint8_t CardHandshake::ReadData() {
    if (m_state != State::Readout || m_faults.Silent()) {
        return 0;
    }
    const std::uint8_t value = *m_next++;
    CountDeliveredWords();
    if (BytesDelivered() == m_stream.size()) {
        m_state = State::Idle;
    }
    OpenPlainRun();
    return value;
}

void CardHandshake::CountDeliveredWords() {
    const std::size_t words = BytesDelivered() / 4;
    m_faults.CountWords(words - m_countedWords);
    m_countedWords = words;
}

// The run ends before the readout's last byte, and before the byte that
// completes the first word after which the faults may say something else.
void CardHandshake::OpenPlainRun() {
    m_plainEnd = m_next;
    if (m_state != State::Readout || m_faults.Silent() || m_faults.Absent()) {
        return;
    }
    const std::size_t done = BytesDelivered() / 4;
    const std::size_t left = m_stream.size() / 4 - done;
    const std::uint64_t quiet = m_faults.WordsBeforeChange();
    const std::size_t end = quiet < left ? 4 * (done + quiet) - 1 : m_stream.size() - 1;
    m_plainEnd = m_stream.data() + end;
}

}  // namespace qv::sim
