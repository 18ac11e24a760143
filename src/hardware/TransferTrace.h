#pragma once

#include <cstdint>
#include <fstream>
#include <ostream>
#include <string>

#include "hardware/TransferObserver.h"

namespace qv {

class TickClock;

// Payload bytes a trace line shows before it ends in "...".
inline constexpr int kTraceShownBytes = 32;

// One trace line without its line end: "MS KIND CMD LEN: HEX -> ERROR", with
// CMD and LEN in decimal and HEX the bytes that moved, e.g.
// "1520 W 11 4: 2C C3 58 31 -> 0".
std::string FormatTransfer(const Transfer& transfer, std::uint32_t milliseconds);

// Writes one line per exchange to a stream, timed from its own start. Each
// line is flushed, so a program that hangs or dies still leaves the exchange
// that preceded it in the file.
class TransferTrace : public TransferObserver {
public:
    TransferTrace(std::ostream& out, TickClock& clock);
    void OnTransfer(const Transfer& transfer) override;

private:
    std::ostream& m_out;
    TickClock& m_clock;
    std::uint32_t m_start;
};

// A trace into a file, installed as the process's transfer observer for as
// long as it lives (the observer it replaced comes back afterwards).
class TransferTraceFile {
public:
    TransferTraceFile(const std::string& path, TickClock& clock);
    ~TransferTraceFile();
    TransferTraceFile(const TransferTraceFile&) = delete;
    TransferTraceFile& operator=(const TransferTraceFile&) = delete;

    // False when the file could not be made; nothing is traced then.
    bool IsOpen() const { return m_installed; }

private:
    std::ofstream m_file;
    TransferTrace m_trace;
    TransferObserver* m_previous = nullptr;
    bool m_installed = false;
};

}  // namespace qv
