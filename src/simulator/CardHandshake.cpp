#include "simulator/CardHandshake.h"

#include "hardware/CardRegisters.h"

namespace qv::sim {

CardHandshake::CardHandshake(CardResponder& responder, FaultInjection& faults, TickClock& clock)
    : m_responder(responder), m_faults(faults), m_clock(clock) {
    m_payload.reserve(16384);
    m_words.reserve(8192);
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
            return kStatusSignature | kStatusReady | kStatusTxe | kStatusWord;
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
        m_wordPos = 0;
        m_bytePos = 0;
        m_state = m_words.empty() ? State::Idle : State::Readout;
    }
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

std::uint8_t CardHandshake::ReadData() {
    if (m_state != State::Readout || m_faults.Silent()) {
        return 0;
    }
    const auto value = static_cast<std::uint8_t>(m_words[m_wordPos] >> (8 * m_bytePos));
    if (++m_bytePos == 4) {
        m_bytePos = 0;
        m_faults.CountWord();
        if (++m_wordPos == m_words.size()) {
            m_state = State::Idle;
        }
    }
    return value;
}

}  // namespace qv::sim
