// Job files made by mutating seeds, each read, checked and run on the virtual
// card as `qvtool job --simulate` runs them. A crash, an abort or an exception
// that escapes ends this program with a failing status; the input it was
// running stays behind as current.job in the work folder.
//
//   qv_job_fuzz [--seconds S] [--seed N] [--work DIR] SEED_FOLDER...
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <mutex>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "JobCommands.h"

namespace {

namespace fs = std::filesystem;

// A job that runs longer is stopped as Ctrl+C stops it: loops of a million
// captures are allowed, they just take long.
constexpr auto kRunLimit = std::chrono::milliseconds(500);
constexpr std::size_t kMaxInputBytes = 256 * 1024;

fs::path g_work = fs::temp_directory_path() / "qv-job-fuzz";

// Ctrl+C for a job that runs past kRunLimit.
class Watchdog {
public:
    explicit Watchdog(std::chrono::milliseconds limit)
        : m_thread([this, limit] {
              std::unique_lock lock(m_mutex);
              if (!m_done.wait_for(lock, limit, [this] { return m_finished; })) {
                  m_fired = true;
                  kill(getpid(), SIGINT);
              }
          }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(m_mutex);
            m_finished = true;
        }
        m_done.notify_one();
        m_thread.join();
    }
    bool Fired() const { return m_fired; }

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_finished = false;
    bool m_fired = false;
    std::thread m_thread;
};

void ClearWorkFolder() {
    for (const auto& entry : fs::directory_iterator(g_work)) {
        if (entry.path().filename() != "current.job") {
            fs::remove_all(entry.path());
        }
    }
}

// One input as a job file; true when the watchdog had to stop it. Every file
// the job writes stays inside the work folder: slashes become underscores.
bool RunJob(std::string text, bool json) {
    for (char& c : text) {
        c = c == '/' ? '_' : c;
    }
    const fs::path job = g_work / "current.job";
    std::ofstream(job, std::ios::binary) << text;
    qv::tool::JobOptions options;
    options.file = job.string();
    options.simulate = true;
    options.json = json;
    options.seed = 7;
    std::ostringstream out, err;
    bool fired = false;
    {
        Watchdog watchdog(kRunLimit);
        qv::tool::JobCommand({out, err}, options);
        fired = watchdog.Fired();
    }
    ClearWorkFolder();
    return fired;
}

void Prepare() {
    fs::create_directories(g_work);
    fs::current_path(g_work);
    // A watchdog's Ctrl+C that comes just after a job ended must not end us.
    std::signal(SIGINT, [](int) {});
}

}  // namespace

namespace {

// Pieces of the job language and of the hostile files it must survive.
const std::vector<std::string> kTokens = {
    "read hv\n",
    "set hv HvDesired=",
    "set analogue Gain=",
    "set counters BackupPeriod=",
    "set vibrator Frequency=",
    "clear\n",
    "start qv1 aa\n",
    "stop\n",
    "capture\n",
    "capture --suspend\n",
    "remark ",
    "save a{n}.qv\n",
    "export b\n",
    "rates\n",
    "backup\n",
    "wait ",
    "wait backup\n",
    "loop ",
    "loop 1\n",
    "end\n",
    "reference cosine ",
    "reference load ",
    "{n}",
    "{n:03}",
    "{n:9}",
    "{",
    "}",
    "\"",
    "#",
    "=",
    " ",
    "\t",
    "\r\n",
    "\n",
    std::string(1, '\0'),
    "\xff",
    "\xa0",
    "\xc3",
    "\xe2\x82\xac",
    "0",
    "1",
    "-1",
    "999999999",
    "1000000000",
    "99999999999999999999",
    "1e3",
    "0x10",
    "1.5",
    ".5",
    "5.",
    "nan",
    "inf",
    "1023",
    "1024",
    "65535",
    "HvSpeed=16",
    "Volts=1",
    "Aux0=",
    "Dac8=",
};

struct Mutator {
    std::mt19937_64 random;

    std::size_t Below(std::size_t n) { return n == 0 ? 0 : random() % n; }
    const std::string& Token() { return kTokens[Below(kTokens.size())]; }

    void MutateOnce(std::string& text, const std::vector<std::string>& seeds) {
        const std::size_t at = Below(text.size() + 1);
        switch (Below(8)) {
            case 0:
                if (!text.empty()) {
                    text[Below(text.size())] ^= static_cast<char>(1u << Below(8));
                }
                break;
            case 1:
                text.insert(at, 1, static_cast<char>(Below(256)));
                break;
            case 2:
            case 3:
                text.insert(at, Token());
                break;
            case 4:
                text.erase(at, Below(32));
                break;
            case 5: {  // a line of the text again, up to a few hundred times
                const std::size_t from = text.rfind('\n', at == 0 ? 0 : at - 1);
                const std::size_t begin = from == std::string::npos ? 0 : from + 1;
                const std::string line = text.substr(begin, text.find('\n', begin) - begin) + "\n";
                std::string copies;
                for (std::size_t n = 1 + Below(300); n > 0; --n) {
                    copies += line;
                }
                text.insert(begin, copies);
                break;
            }
            case 6: {  // part of another seed
                const std::string& other = seeds[Below(seeds.size())];
                const std::size_t from = Below(other.size());
                text.insert(at, other.substr(from, Below(other.size() - from + 1)));
                break;
            }
            default:  // a long word
                text.insert(at, std::string(1 + Below(100000), "a9{\"x"[Below(5)]));
                break;
        }
    }

    std::string Next(const std::vector<std::string>& seeds) {
        std::string text = seeds[Below(seeds.size())];
        for (std::size_t n = 1 + Below(8); n > 0; --n) {
            MutateOnce(text, seeds);
        }
        if (text.size() > kMaxInputBytes) {
            text.resize(kMaxInputBytes);
        }
        return text;
    }
};

std::vector<std::string> ReadSeeds(const std::vector<std::string>& folders) {
    std::vector<std::string> seeds;
    for (const std::string& folder : folders) {
        for (const auto& entry : fs::directory_iterator(fs::absolute(folder))) {
            std::ifstream in(entry.path(), std::ios::binary);
            seeds.emplace_back(std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>());
        }
    }
    return seeds;
}

}  // namespace

int main(int argc, char** argv) {
    double seconds = 60;
    std::uint64_t seed = std::random_device{}();
    std::vector<std::string> folders;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--seconds" && i + 1 < argc) {
            seconds = std::stod(argv[++i]);
        } else if (arg == "--seed" && i + 1 < argc) {
            seed = std::stoull(argv[++i]);
        } else if (arg == "--work" && i + 1 < argc) {
            g_work = fs::absolute(argv[++i]);
        } else {
            folders.push_back(arg);
        }
    }
    const std::vector<std::string> seeds = ReadSeeds(folders);
    if (seeds.empty()) {
        std::cerr << "qv_job_fuzz: no seeds (give the folders of seed jobs)\n";
        return 2;
    }
    Prepare();
    std::cout << "qv_job_fuzz: seed " << seed << ", " << seeds.size() << " seed jobs, " << seconds
              << " s; the input that crashes is left in " << (g_work / "current.job") << std::endl;
    Mutator mutator{std::mt19937_64(seed)};
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    long long inputs = 0, stopped = 0;
    for (const std::string& text : seeds) {
        stopped += RunJob(text, false) ? 1 : 0;
        ++inputs;
    }
    while (std::chrono::steady_clock::now() < end) {
        stopped += RunJob(mutator.Next(seeds), (inputs & 1) != 0) ? 1 : 0;
        ++inputs;
    }
    std::cout << "qv_job_fuzz: " << inputs << " inputs ran (" << stopped
              << " stopped after 0.5 s), none crashed" << std::endl;
    return 0;
}
