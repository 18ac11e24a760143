// An autosaving program killed at random moments, many times: after every
// kill the measurement file must still load, whole.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "../document/TempDir.h"
#include "ViewFixture.h"
#include "editors/DocumentEditors.h"
#include "hardware/HardwareGlobals.h"
#include "hardware/TickClock.h"
#include "simulator/VirtualSpectrometer.h"

namespace qv::test {
namespace {

constexpr char kRemark[] = "overnight run, alpha iron";

// The child: the virtual card, the file opened, autosave on, and a tick whose
// backup is always due, for ever. Each finished save is reported on the pipe.
[[noreturn]] void AutoSaveForever(const std::string& path, int reportFd) {
    SteppingTickClock clock(1, 1000);
    VirtualSpectrometer card(clock, {});
    HardwareGlobals::Instance().SetBus(card);
    HardwareGlobals::Instance().SetClock(clock);
    HeadlessUi ui;  // answers Yes to both autosave questions: suspend mode
    DocumentEditors editors;
    CQvDoc doc(ui, std::nullopt);
    doc.SetHardwareEditors(&editors);
    if (!doc.OnOpenDocument(path)) {
        _exit(3);
    }
    FakeHost host;
    CQvView view(ui, host);
    view.AttachDocument(doc);
    view.Create([] { return true; });
    view.OnInitialUpdate();
    view.OnAutoSave();
    for (;;) {
        clock.Set(clock.GetTickCount() + 601 * 1000);
        view.OnTimer();
        if (!doc.IsModified()) {
            const char saved = 's';
            if (write(reportFd, &saved, 1) != 1) {
                _exit(4);
            }
        }
        ui.Clear();
    }
}

// An autosaving child process and the pipe on which it reports its saves.
class AutoSavingChild {
public:
    explicit AutoSavingChild(const std::string& path) {
        int fds[2];
        if (pipe(fds) != 0) {
            return;
        }
        m_pid = fork();
        if (m_pid == 0) {
            close(fds[0]);
            AutoSaveForever(path, fds[1]);
        }
        close(fds[1]);
        m_reports = fds[0];
    }
    ~AutoSavingChild() {
        if (m_reports >= 0) {
            close(m_reports);
        }
    }
    AutoSavingChild(const AutoSavingChild&) = delete;
    AutoSavingChild& operator=(const AutoSavingChild&) = delete;

    bool Started() const { return m_pid > 0 && m_reports >= 0; }
    // Blocks until the next save is reported; false when the child died.
    bool WaitForSave() {
        char saved = 0;
        if (read(m_reports, &saved, 1) != 1) {
            return false;
        }
        ++m_saves;
        return true;
    }
    // SIGKILL; the saves it finished, or -1 when it had ended by itself.
    int Kill() {
        ::kill(m_pid, SIGKILL);
        int status = 0;
        if (waitpid(m_pid, &status, 0) != m_pid || !WIFSIGNALED(status)) {
            return -1;
        }
        char buffer[256];
        for (ssize_t n; (n = read(m_reports, buffer, sizeof buffer)) > 0;) {
            m_saves += static_cast<int>(n);
        }
        return m_saves;
    }

private:
    pid_t m_pid = -1;
    int m_reports = -1;
    int m_saves = 0;
};

// How long one autosave tick takes on this machine.
std::chrono::microseconds MeasureSaveCycle(const std::string& path) {
    AutoSavingChild child(path);
    constexpr int kCycles = 4;
    if (!child.Started() || !child.WaitForSave()) {
        return {};
    }
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kCycles; ++i) {
        child.WaitForSave();
    }
    const auto cycle = (std::chrono::steady_clock::now() - start) / kCycles;
    child.Kill();
    return std::chrono::duration_cast<std::chrono::microseconds>(cycle);
}

TEST(AutoSaveKill, EveryKillLeavesALoadableFile) {
    TempDir dir;
    const std::string path = (dir.Path() / "run.qv").string();
    {
        HeadlessUi ui;
        CQvDoc doc(ui, std::nullopt);
        doc.OnNewDocument();
        doc.Data().Remark = kRemark;
        ASSERT_TRUE(doc.DoSave(path));
    }
    // Kills spread over three save cycles, however fast this machine's disk is.
    const std::chrono::microseconds cycle = MeasureSaveCycle(path);
    ASSERT_GT(cycle.count(), 0) << "the child never saved";
    std::mt19937 random(20261207);
    std::uniform_int_distribution<std::int64_t> delayUs(0, 3 * cycle.count());
    constexpr int kKills = 60;
    int saves = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        AutoSavingChild child(path);
        ASSERT_TRUE(child.Started());
        ASSERT_TRUE(child.WaitForSave()) << "the child never saved";
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        const int finished = child.Kill();
        ASSERT_GE(finished, 1) << "the child ended by itself";
        saves += finished;

        HeadlessUi ui;
        CQvDoc loaded(ui, std::nullopt);
        ASSERT_TRUE(loaded.OnOpenDocument(path)) << "after kill " << kill;
        EXPECT_EQ(loaded.Data().Remark, kRemark);
        EXPECT_TRUE(ui.Boxes().empty());
    }
    // About half the kills came after one or more further saves, at any
    // moment of the next.
    EXPECT_GT(saves, kKills + kKills / 3);
}

}  // namespace
}  // namespace qv::test
