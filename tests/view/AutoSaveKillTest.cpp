// An autosaving program killed at random moments, many times: after every
// kill the measurement file is one whole save, byte for byte.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>

#include "../document/TempDir.h"
#include "../framework/LockedFolder.h"
#include "ViewFixture.h"
#include "editors/DocumentEditors.h"
#include "hardware/CommandCodes.h"
#include "hardware/HardwareGlobals.h"
#include "hardware/RunControlBits.h"
#include "hardware/TickClock.h"
#include "simulator/VirtualSpectrometer.h"

namespace qv::test {
namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Candidate(const std::string& path, int save) {
    return path + ".save" + std::to_string(save);
}

// The child: the virtual card counting, the file opened, autosave on, and a
// tick whose backup is always due, for ever, each with its own remark. After
// every tick it says on the pipe whether it saved ('s') or not ('f'). The card
// and its clock are the same in every child, so the saves are too: with
// copies > 0 it keeps each save beside the file and ends after that many.
[[noreturn]] void AutoSaveForever(const std::string& path, int reportFd, int copies) {
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
    const std::uint8_t start[] = {kGoQv2 | kCountQv2 | kGoQv1 | kCountQv1, kGoAa | kCountAa};
    doc.Port().WriteCommand(kCmdWriteRunControl, start, 2);
    FakeHost host;
    CQvView view(ui, host);
    view.AttachDocument(doc);
    view.Create([] { return true; });
    view.OnInitialUpdate();
    view.OnAutoSave();
    for (int saves = 0;;) {
        clock.Set(clock.GetTickCount() + 601 * 1000);
        doc.Data().Remark = "overnight run, save " + std::to_string(saves + 1);
        view.OnTimer();
        const char report = doc.IsModified() ? 'f' : 's';
        saves += report == 's' ? 1 : 0;
        if (report == 's' && copies > 0) {
            std::filesystem::copy_file(path, Candidate(path, saves),
                                       std::filesystem::copy_options::overwrite_existing);
            if (saves == copies) {
                _exit(0);
            }
        }
        if (write(reportFd, &report, 1) != 1) {
            _exit(4);
        }
        ui.Clear();
    }
}

// An autosaving child process and the pipe on which it reports its saves.
class AutoSavingChild {
public:
    explicit AutoSavingChild(const std::string& path, int copies = 0) {
        int fds[2];
        if (pipe(fds) != 0) {
            return;
        }
        m_pid = fork();
        if (m_pid == 0) {
            close(fds[0]);
            AutoSaveForever(path, fds[1], copies);
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
    // Blocks until the next tick is reported; false when the child died.
    bool WaitForTick() {
        char report = 0;
        if (read(m_reports, &report, 1) != 1) {
            return false;
        }
        m_saves += report == 's' ? 1 : 0;
        return true;
    }
    bool WaitForSave() {
        const int before = m_saves;
        while (m_saves == before) {
            if (!WaitForTick()) {
                return false;
            }
        }
        return true;
    }
    // Until the child ends by itself.
    bool Finish() {
        int status = 0;
        return waitpid(m_pid, &status, 0) == m_pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    // SIGKILL; the saves it finished, or -1 when it had ended by itself.
    int Kill() {
        ::kill(m_pid, SIGKILL);
        int status = 0;
        if (waitpid(m_pid, &status, 0) != m_pid || !WIFSIGNALED(status)) {
            return -1;
        }
        while (WaitForTick()) {
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

void SaveNewMeasurement(const std::string& path) {
    HeadlessUi ui;
    CQvDoc doc(ui, std::nullopt);
    doc.OnNewDocument();
    doc.Data().Remark = "before the run";
    ASSERT_TRUE(doc.DoSave(path));
}

// After every kill the file is, byte for byte, the last save the child
// finished or the one it was writing: never the start of one and the end of
// the other.
TEST(AutoSaveKill, EveryKillLeavesTheLastSaveOrTheNext) {
    TempDir dir;
    const std::string path = (dir.Path() / "run.qv").string();
    SaveNewMeasurement(path);
    // The saves of a child that is not killed, made again further when a
    // loaded machine lets a child save more often than foreseen.
    int candidates = 0;
    const auto makeCandidates = [&](int count) {
        AutoSavingChild reference(path, count);
        candidates = reference.Started() && reference.Finish() ? count : 0;
    };
    makeCandidates(40);
    ASSERT_GT(candidates, 0);
    ASSERT_NE(ReadFile(Candidate(path, 1)), ReadFile(Candidate(path, 2)));
    // Kills spread over three save cycles, however fast this machine's disk is.
    const std::chrono::microseconds cycle = MeasureSaveCycle(path);
    ASSERT_GT(cycle.count(), 0) << "the child never saved";
    std::mt19937 random(20261207);
    std::uniform_int_distribution<std::int64_t> delayUs(0, 3 * cycle.count());
    constexpr int kKills = 100;
    int saves = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        AutoSavingChild child(path);
        ASSERT_TRUE(child.Started());
        ASSERT_TRUE(child.WaitForSave()) << "the child never saved";
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        const int finished = child.Kill();
        ASSERT_GE(finished, 1) << "the child ended by itself";
        if (finished >= candidates) {
            const std::string kept = ReadFile(path);
            makeCandidates(2 * finished);
            ASSERT_GT(candidates, finished);
            std::ofstream(path, std::ios::binary) << kept;
        }
        saves += finished;
        const std::string found = ReadFile(path);
        EXPECT_TRUE(found == ReadFile(Candidate(path, finished)) ||
                    found == ReadFile(Candidate(path, finished + 1)))
            << "after kill " << kill << ", " << finished << " saves";
    }
    // About half the kills came after one or more further saves, at any
    // moment of the next.
    EXPECT_GT(saves, kKills + kKills / 3);
}

// In a folder that allows no new file every autosave is refused: whenever
// it is killed, the file is the one from before the run, byte for byte.
TEST(AutoSaveKill, InAFolderThatRefusesNewFilesTheFileStaysAsItWas) {
    TempDir dir;
    const std::string path = (dir.Path() / "run.qv").string();
    SaveNewMeasurement(path);
    const std::string before = ReadFile(path);
    LockedFolder locked(dir.Path());
    if (!locked.Locked()) {
        GTEST_SKIP() << "cannot lock a folder here";
    }
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> delayUs(0, 20000);
    for (int kill = 0; kill < 100; ++kill) {
        AutoSavingChild child(path);
        ASSERT_TRUE(child.Started());
        ASSERT_TRUE(child.WaitForTick());
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        ASSERT_EQ(child.Kill(), 0) << "a save went through";
        ASSERT_EQ(ReadFile(path), before) << "after kill " << kill;
    }
}

}  // namespace
}  // namespace qv::test
