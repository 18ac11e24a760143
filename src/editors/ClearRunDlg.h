#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "framework/Dialog.h"
#include "hardware/CHardwarePort.h"

namespace qv {

inline constexpr char kLockedStatusText[] = "Locked";
inline constexpr char kCanNotStartQvText[] = "Can not start/stop Qv.\n Try to run it's CountHalt?";
inline constexpr char kCanNotStartAaText[] = "Can't start/stop Aa. Run it's CountHalt?";
// The bounded confirmation polls: the idle handshake and the clear.
inline constexpr char kIdleTimeOutText[] = "TimOut:idle";
inline constexpr char kClearTimeOutText[] = "TimOut:clear";

// The clear and run/stop panel (dialog 143): clears Qv2, Qv1 and Aa, and starts
// or stops counting in each of them. No settings block: it works on the card
// alone, each action a short handshake on the run-control and run-state pairs.
class CClearRunDlg : public CDialog {
public:
    // Start/stop confirmations, each measured from its own write.
    static constexpr std::uint32_t kMemoriesLimitMs = 11000;
    static constexpr std::uint32_t kAnalyserLimitMs = 1000;
    // The idle handshake and the clear completion: a card that never confirms
    // must not hold the panel, and the suspend flag with it, for ever.
    static constexpr std::uint32_t kConfirmLimitMs = 11000;

    explicit CClearRunDlg(Ui& ui);

    // The idle handshake, then the card's counting state; the suspend flag is
    // left alone.
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

    void OnClear();      // "Go !"
    void OnStartStop();  // "Go ! / refresh"
    void OnDisable();

    int LastError() const { return m_nLastError; }
    const std::array<std::uint8_t, 2>& RunState() const { return m_state; }

    // Working copy: the request boxes, the count boxes and ULock (0 or 1).
    std::int32_t ClearQv2 = 0;
    std::int32_t ClearQv1 = 0;
    std::int32_t ClearAa = 0;
    std::int32_t EnableGoQv2 = 0;
    std::int32_t EnableGoQv1 = 0;
    std::int32_t EnableGoAa = 0;
    std::int32_t Qv2Count = 0;
    std::int32_t Qv1Count = 0;
    std::int32_t AaCount = 0;
    std::int32_t ULock = 0;
    std::string m_strStatus;

private:
    // The transfers; false when one failed and the sequence must end.
    bool WriteControl(std::uint8_t control0, std::uint8_t control1);
    bool ReadState();
    bool ReadStatus();
    bool Locked() const;
    bool LockedWithoutULock() const;

    // Each phase returns false when the sequence goes straight to the finish step.
    bool IdleHandshake();
    bool ClearMemories();
    bool ClearsPending() const;
    bool BackToIdle();
    bool StartStopMemories();
    bool WaitForState(std::uint32_t limitMs, bool (CClearRunDlg::*pending)() const,
                      const char* timeOutText, bool afterTimeOut);
    bool MemoriesPending() const;
    bool StartStopAnalyser();
    bool AnalyserPending() const;
    void BeginSequence();
    // suspendEnds: the sequences release the hardware-suspend flag, the
    // dialog start does not touch it.
    void Finish(bool suspendEnds);
    void ClearRequests();

    CHardwarePort m_port;
    std::array<std::uint8_t, 2> m_state{};
    std::uint8_t m_status = 0;
    int m_nLastError = 0;
    std::string m_timeOutText;
};

}  // namespace qv
