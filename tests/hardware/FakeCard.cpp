#include "hardware/FakeCard.h"

#include <algorithm>

#include "hardware/CardRegisters.h"
#include "hardware/CommandCodes.h"

namespace qv::test {

namespace {

struct CommandShape {
    bool read;
    int length;
};

// The commands this card knows, with their direction and payload length.
std::optional<CommandShape> ShapeOf(std::uint8_t cmd) {
    static const std::map<std::uint8_t, CommandShape> shapes = {
        {kCmdReadRunState, {true, kRunStateLength}},
        {kCmdWriteRunControl, {false, kRunControlLength}},
        {kCmdReadStatus, {true, kLiveCountersLength}},
        {kCmdWriteCounters, {false, kCountersWriteLength}},
        {kCmdReadAnalogue, {true, kAnalogueReadLength}},
        {kCmdWriteAnalogue, {false, kAnalogueWriteLength}},
        {kCmdReadHighVoltage, {true, kHighVoltageLength}},
        {kCmdWriteHighVoltage, {false, kHighVoltageLength}},
        {kCmdWriteReference, {false, kReferenceLength}},
        {kCmdLockCheck, {true, 0}},
        {kCmdReadAux, {true, kAuxLength}},
        {kCmdWriteAux, {false, kAuxLength}},
    };
    const auto found = shapes.find(cmd);
    if (found == shapes.end()) {
        return std::nullopt;
    }
    return found->second;
}

}  // namespace

std::uint8_t FakeCard::ReplyByte(std::uint8_t cmd, int index) {
    return static_cast<std::uint8_t>(cmd * 16 + index);
}

std::uint32_t FakeCard::SpectrumWord(std::uint8_t selector, int index) {
    return 0xA0000000u | (std::uint32_t{selector} << 16) | static_cast<std::uint32_t>(index);
}

void FakeCard::StopAnsweringAfter(int bytes, bool staysReady) {
    m_answerLimit = bytes;
    m_staysReady = staysReady;
}

void FakeCard::StallWord(int index, int statusReads) {
    m_stallIndex = index;
    m_stallReads = statusReads;
}

void FakeCard::AdvanceOnStatusRead(ManualTickClock& clock, std::uint32_t ms) {
    m_clock = &clock;
    m_msPerStatusRead = ms;
}

std::vector<std::uint8_t> FakeCard::Written() const {
    std::vector<std::uint8_t> bytes;
    for (const Access& access : m_log) {
        if (access.write) {
            bytes.push_back(access.value);
        }
    }
    return bytes;
}

std::uint8_t FakeCard::In(std::uint16_t port) {
    std::uint8_t value = 0xFF;  // an empty bus floats high
    if (Vanished()) {
        // nothing answers any more
    } else if (port == m_base + kStatusPortOffset) {
        value = Status();
    } else if (port == m_base + kReplyPortOffset) {
        value = ReplyPortRead();
    } else if (port == m_base + kDataPortOffset) {
        value = DataPortRead();
    }
    m_log.push_back({false, port, value});
    return value;
}

void FakeCard::Out(std::uint16_t port, std::uint8_t value) {
    m_log.push_back({true, port, value});
    if (port == m_base + kCommandPortOffset) {
        ++m_moved;
        CommandPortWrite(value);
    }
}

std::uint8_t FakeCard::Status() {
    if (m_clock != nullptr) {
        m_clock->Advance(m_msPerStatusRead);
    }
    if (m_fixedStatus) {
        return *m_fixedStatus;
    }
    std::uint8_t status = kStatusSignature;
    if (Silent() && !m_staysReady) {
        return status;
    }
    if (m_state != State::kCollecting) {
        status |= kStatusReady;
    }
    if (Silent()) {
        return status;
    }
    status |= kStatusTxe;
    if (m_state == State::kReplying) {
        status |= kStatusRxf;
    }
    if (m_state == State::kReadout && WordShowing()) {
        status |= kStatusWord;
    }
    return status;
}

bool FakeCard::WordShowing() {
    if (m_wordIndex != m_stallIndex || m_stallReads == 0) {
        return true;
    }
    if (m_stallReads != kForever) {
        --m_stallReads;
    }
    return false;
}

std::uint8_t FakeCard::ReplyPortRead() {
    if (m_state != State::kReplying) {
        return 0x00;
    }
    ++m_moved;
    const std::uint8_t value = m_reply[m_replyPos++];
    if (m_replyPos == m_reply.size()) {
        m_state = State::kIdle;
    }
    return value;
}

std::uint8_t FakeCard::DataPortRead() {
    if (m_state != State::kReadout) {
        return 0x00;
    }
    const std::uint32_t word = SpectrumWord(m_selector, m_wordIndex);
    const auto value = static_cast<std::uint8_t>(word >> (8 * m_byteIndex));
    if (++m_byteIndex == 4) {
        m_byteIndex = 0;
        if (++m_wordIndex == m_words) {
            m_state = State::kIdle;
        }
    }
    return value;
}

void FakeCard::CommandPortWrite(std::uint8_t value) {
    if (m_state != State::kCollecting) {
        StartCommand(value);
        return;
    }
    m_payload.push_back(value);
    if (m_payload.size() == m_payloadLength) {
        FinishPayload();
    }
}

void FakeCard::StartCommand(std::uint8_t cmd) {
    m_cmd = cmd;
    m_state = State::kIdle;
    const auto shape = ShapeOf(cmd);
    if (!shape || shape->length == 0) {
        return;
    }
    const auto length = static_cast<std::size_t>(shape->length);
    if (!shape->read) {
        m_payload.clear();
        m_payloadLength = length;
        m_state = State::kCollecting;
        return;
    }
    m_reply.assign(length, 0);
    for (std::size_t i = 0; i < length; ++i) {
        m_reply[i] = ReplyByte(cmd, static_cast<int>(i));
    }
    if (cmd == kCmdReadStatus) {
        m_reply[0] = m_statusByte;
    }
    if (const auto it = m_replies.find(cmd); it != m_replies.end()) {
        std::copy_n(it->second.begin(), std::min(it->second.size(), length), m_reply.begin());
    }
    m_replyPos = 0;
    m_state = State::kReplying;
}

void FakeCard::FinishPayload() {
    m_received[m_cmd] = m_payload;
    m_state = State::kIdle;
    if (m_cmd != kCmdWriteRunControl || (m_payload[1] & 0xF0) == 0) {
        return;
    }
    m_selector = m_payload[1];
    m_words = m_selector == kSelectAa ? 8192 : 4096;
    m_wordIndex = 0;
    m_byteIndex = 0;
    m_state = State::kReadout;
}

}  // namespace qv::test
