#include "hardware/TransferTrace.h"

#include <algorithm>

#include "hardware/HardwareGlobals.h"
#include "hardware/TickClock.h"

namespace qv {

namespace {

void AppendHexByte(std::string& line, std::uint8_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    line += ' ';
    line += kDigits[value >> 4];
    line += kDigits[value & 0x0F];
}

void AppendPayload(std::string& line, const Transfer& transfer) {
    if (transfer.bytes == nullptr) {
        return;
    }
    const int moved = std::clamp(transfer.valid, 0, transfer.length);
    const int shown = std::min(moved, kTraceShownBytes);
    for (int i = 0; i < shown; ++i) {
        AppendHexByte(line, transfer.bytes[i]);
    }
    if (moved > shown) {
        line += " ...";
    }
}

}  // namespace

std::string FormatTransfer(const Transfer& transfer, std::uint32_t milliseconds) {
    std::string line = std::to_string(milliseconds);
    line += ' ';
    line += static_cast<char>(transfer.kind);
    line += ' ' + std::to_string(transfer.command) + ' ' + std::to_string(transfer.length) + ':';
    AppendPayload(line, transfer);
    line += " -> " + std::to_string(transfer.error);
    return line;
}

TransferTrace::TransferTrace(std::ostream& out, TickClock& clock)
    : m_out(out), m_clock(clock), m_start(clock.GetTickCount()) {}

void TransferTrace::OnTransfer(const Transfer& transfer) {
    // Unsigned difference: right across a wrap of the 32-bit tick counter.
    const std::uint32_t elapsed = m_clock.GetTickCount() - m_start;
    m_out << FormatTransfer(transfer, elapsed) << '\n' << std::flush;
}

TransferTraceFile::TransferTraceFile(const std::string& path, TickClock& clock)
    : m_file(path, std::ios::out | std::ios::trunc), m_trace(m_file, clock) {
    if (!m_file) {
        return;
    }
    HardwareGlobals& globals = HardwareGlobals::Instance();
    m_previous = globals.observer;
    globals.observer = &m_trace;
    m_installed = true;
}

TransferTraceFile::~TransferTraceFile() {
    HardwareGlobals& globals = HardwareGlobals::Instance();
    if (m_installed && globals.observer == &m_trace) {
        globals.observer = m_previous;
    }
}

}  // namespace qv
