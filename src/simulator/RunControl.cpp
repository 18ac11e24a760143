#include "simulator/RunControl.h"

namespace qv::sim {

namespace {

struct Layout {
    int byte;                // which byte of the pair
    std::uint8_t clearMask;  // both clear bits
    std::uint8_t clearArm;   // the one bit of the idle pattern
    std::uint8_t count;      // count enable (control) / enable echo (state)
    std::uint8_t go;         // go (control) / counting (state)
    std::uint8_t finished;   // clear finished (state)
    MasterTicks clearTicks;  // one microsecond per word
};

constexpr Layout kLayout[] = {
    {0, 0xC0, 0x80, 0x20, 0x10, 0xC0, 4096 * 24},  // Qv2
    {0, 0x0C, 0x08, 0x02, 0x01, 0x0C, 4096 * 24},  // Qv1
    {1, 0x03, 0x02, 0x04, 0x08, 0x02, 8192 * 24},  // Aa
};

// The analyser's state bits differ from its control bits: counting is bit 2.
constexpr std::uint8_t kAaCountingState = 0x04;
constexpr std::uint8_t kAaNeedsIdle = 0x01;

const Layout& LayoutOf(Memory m) {
    return kLayout[static_cast<int>(m)];
}

}  // namespace

void RunControl::Write(std::uint8_t control0, std::uint8_t control1, MasterTicks now) {
    const std::uint8_t pair[] = {control0, control1};
    for (Memory m : kMemories) {
        const Layout& l = LayoutOf(m);
        const std::uint8_t control = pair[l.byte];
        if ((control & l.go) != 0) {
            Of(m).enabled = (control & l.count) != 0;
        }
        WriteClearField(m, control & l.clearMask, now);
    }
}

void RunControl::WriteClearField(Memory m, std::uint8_t bits, MasterTicks now) {
    const Layout& l = LayoutOf(m);
    Channel& c = Of(m);
    const bool busy = c.clearDoneAt.has_value();
    if (bits == l.clearMask) {
        if (c.armed && !busy) {
            c.clearDoneAt = now + l.clearTicks;
        }
        c.armed = false;
    } else {
        c.finishedShown = false;
        c.armed = bits == l.clearArm && !busy;
    }
    c.lastClearBits = bits;
}

std::array<std::uint8_t, 2> RunControl::State() const {
    std::array<std::uint8_t, 2> state{};
    for (Memory m : kMemories) {
        const Layout& l = LayoutOf(m);
        const Channel& c = Of(m);
        std::uint8_t bits = c.finishedShown ? l.finished : 0;
        if (m == Memory::Aa) {
            bits |= c.counting ? kAaCountingState : 0;
            bits |= c.armed ? 0 : kAaNeedsIdle;
        } else {
            bits |= (c.enabled ? l.count : 0) | (c.counting ? l.go : 0);
        }
        state[l.byte] |= bits;
    }
    return state;
}

std::optional<MasterTicks> RunControl::NextClearCompletion() const {
    std::optional<MasterTicks> next;
    if (!m_clearsFinish) {
        return next;
    }
    for (const Channel& c : m_channels) {
        if (c.clearDoneAt && (!next || *c.clearDoneAt < *next)) {
            next = c.clearDoneAt;
        }
    }
    return next;
}

std::array<bool, 3> RunControl::CompleteClears(MasterTicks now) {
    std::array<bool, 3> done{};
    if (!m_clearsFinish) {
        return done;
    }
    for (Memory m : kMemories) {
        Channel& c = Of(m);
        if (c.clearDoneAt && *c.clearDoneAt <= now) {
            c.clearDoneAt.reset();
            c.finishedShown = c.lastClearBits == LayoutOf(m).clearMask;
            done[static_cast<int>(m)] = true;
        }
    }
    return done;
}

}  // namespace qv::sim
