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

// The saves the child finished before it was killed.
int DrainReports(int fd) {
    int saves = 0;
    char buffer[256];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) {
        saves += static_cast<int>(n);
    }
    return saves;
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
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> delayUs(0, 40000);
    constexpr int kKills = 60;
    int saves = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(fds[0]);
            AutoSaveForever(path, fds[1]);
        }
        close(fds[1]);
        // Killed at a random moment of the autosave loop, after its first save.
        char first = 0;
        ASSERT_EQ(read(fds[0], &first, 1), 1) << "the child never saved";
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child ended by itself, status " << status;
        saves += 1 + DrainReports(fds[0]);
        close(fds[0]);

        HeadlessUi ui;
        CQvDoc loaded(ui, std::nullopt);
        ASSERT_TRUE(loaded.OnOpenDocument(path)) << "after kill " << kill;
        EXPECT_EQ(loaded.Data().Remark, kRemark);
        EXPECT_TRUE(ui.Boxes().empty());
    }
    // Many kills came after further saves, at any moment of one.
    EXPECT_GT(saves, kKills + 10);
}

}  // namespace
}  // namespace qv::test
