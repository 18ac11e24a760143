#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fstream>
#include <random>
#include <thread>

#include "QvToolFixture.h"
#include "ToolDocument.h"

extern char** environ;

namespace qv::tool {
namespace {

// qvtool as its own process, so that a signal reaches it as Ctrl+C would.
pid_t Spawn(const std::vector<std::string>& args, const std::string& errPath) {
    std::vector<char*> argv;
    std::string program = QVTOOL_PATH;
    argv.push_back(program.data());
    std::vector<std::string> copies = args;
    for (std::string& arg : copies) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    pid_t pid = -1;
    const int result = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return result == 0 ? pid : -1;
}

bool WaitFor(const std::function<bool()>& done, std::chrono::seconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

class JobStopTest : public QvToolTest {};

TEST_F(JobStopTest, SignalDuringWaitEndsTheJobAndLeavesTheSavedFileWhole) {
    for (const int signal : {SIGINT, SIGTERM}) {
        const std::string saved = Path("run.qv");
        std::filesystem::remove(saved);
        const pid_t pid =
            Spawn({"card", "--simulate", "--sim-speed", "1", "clear", "start", "wait 1", "capture",
                   "remark first", "save " + saved, "wait 100000", "remark never", "save " + saved},
                  Path("err.txt"));
        ASSERT_GT(pid, 0);
        ASSERT_TRUE(
            WaitFor([&] { return std::filesystem::exists(saved); }, std::chrono::seconds(30)));
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        const auto sent = std::chrono::steady_clock::now();
        ASSERT_EQ(kill(pid, signal), 0);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_LT(std::chrono::steady_clock::now() - sent, std::chrono::seconds(5));
        ASSERT_TRUE(WIFEXITED(status)) << signal;
        EXPECT_EQ(WEXITSTATUS(status), 130);
        EXPECT_NE(Read(Path("err.txt")).find("qvtool: stopped after line 7"), std::string::npos)
            << Read(Path("err.txt"));
        ToolDocument file(m_err);
        ASSERT_TRUE(file.Open(saved));
        EXPECT_EQ(file.Doc().Data().Remark, "first");
        // No temporary of an interrupted save is left beside it.
        int entries = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(m_dir)) {
            ++entries;
        }
        EXPECT_EQ(entries, 2);  // run.qv and err.txt
    }
}

// Changes with every save, whether it renames a new file over or not.
std::pair<std::uint64_t, std::int64_t> SaveStamp(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        return {};
    }
    return {info.st_ino, info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec};
}

// A day run killed at random moments of its saves, 100 times: the file found
// is always one whole save, byte for byte, never the start of one and the
// end of another. Each measurement is saved as copyN.qv just before run.qv,
// so the two candidates are the last two copies.
TEST_F(JobStopTest, EveryKillDuringTheSavesLeavesOneOfTheLastTwoSaves) {
    const std::string saved = Path("run.qv");
    const std::string job = Path("day.job");
    std::ofstream(job) << "loop 999999999\nwait 60\ncapture\nremark save {n}\n"
                       << "save \"" << Path("copy{n}.qv") << "\"\nsave \"" << saved << "\"\nend\n";
    const auto copy = [&](int n) { return Path("copy" + std::to_string(n) + ".qv"); };
    std::mt19937 random(20261208);
    // About two save cycles on this machine.
    std::uniform_int_distribution<int> delayUs(0, 50000);
    int status = 0;
    for (int kill = 0; kill < 100; ++kill) {
        for (int n = 1; std::filesystem::remove(copy(n)); ++n) {
        }
        const auto before = SaveStamp(saved);
        const pid_t pid = Spawn({"job", "--simulate", job}, Path("err.txt"));
        ASSERT_GT(pid, 0);
        for (int ms = 0; SaveStamp(saved) == before && ms < 30000; ++ms) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        ::kill(pid, SIGKILL);
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        int last = 1;
        while (std::filesystem::exists(copy(last + 1))) {
            ++last;
        }
        const std::string found = Read(saved);
        EXPECT_TRUE(found == Read(copy(last)) || (last > 1 && found == Read(copy(last - 1))))
            << "after kill " << kill << ", " << last << " saves, " << found.size() << " bytes";
    }
}

}  // namespace
}  // namespace qv::tool
