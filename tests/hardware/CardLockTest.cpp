#include "hardware/CardLock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace qv::test {
namespace {

// A runtime directory of the test's own.
class CardLockTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv("XDG_RUNTIME_DIR");
        if (old != nullptr) {
            m_saved = old;
        }
        m_dir = std::filesystem::temp_directory_path() / ("qv-lock-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_dir);
        ::setenv("XDG_RUNTIME_DIR", m_dir.c_str(), 1);
    }
    void TearDown() override {
        if (m_saved) {
            ::setenv("XDG_RUNTIME_DIR", m_saved->c_str(), 1);
        } else {
            ::unsetenv("XDG_RUNTIME_DIR");
        }
        std::filesystem::remove_all(m_dir);
    }

    std::filesystem::path m_dir;
    std::optional<std::string> m_saved;
};

TEST_F(CardLockTest, LockFileIsNamedAfterThePortBaseInTheRuntimeDirectory) {
    EXPECT_EQ(CardLock::LockFilePath(0x300), (m_dir / "qv-card-0x300.lock").string());
    EXPECT_EQ(CardLock::LockFilePath(0x2a8), (m_dir / "qv-card-0x2a8.lock").string());
    ::unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(CardLock::LockFilePath(0x300), "/tmp/qv-card-0x300.lock");
}

TEST_F(CardLockTest, SecondOwnerIsRefusedAndToldWhoHoldsTheCard) {
    std::optional<CardLock> first(std::in_place, 0x300);
    ASSERT_TRUE(first->Held());
    std::ifstream pidFile(first->Path());
    pid_t written = 0;
    pidFile >> written;
    EXPECT_EQ(written, ::getpid());

    CardLock second(0x300);
    EXPECT_FALSE(second.Held());
    EXPECT_EQ(second.Refusal(), "the card at 0x300 is in use by process " +
                                    std::to_string(::getpid()) + " (lock file " + first->Path() +
                                    ")");
    // Another card is another lock.
    EXPECT_TRUE(CardLock(0x280).Held());

    first.reset();
    EXPECT_TRUE(CardLock(0x300).Held());
}

TEST_F(CardLockTest, AnotherProcessHoldingTheCardIsNamed) {
    int ready[2], done[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(done), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        CardLock lock(0x300);
        const char held = lock.Held() ? 'y' : 'n';
        [[maybe_unused]] auto w = ::write(ready[1], &held, 1);
        char go = 0;
        [[maybe_unused]] auto r = ::read(done[0], &go, 1);
        ::_exit(0);
    }
    char held = 0;
    ASSERT_EQ(::read(ready[0], &held, 1), 1);
    ASSERT_EQ(held, 'y');
    {
        CardLock mine(0x300);
        EXPECT_FALSE(mine.Held());
        EXPECT_NE(mine.Refusal().find("in use by process " + std::to_string(child) + " "),
                  std::string::npos)
            << mine.Refusal();
    }
    ASSERT_EQ(::write(done[1], "x", 1), 1);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    // Gone with its process: the card is free again.
    EXPECT_TRUE(CardLock(0x300).Held());
    for (int fd : {ready[0], ready[1], done[0], done[1]}) {
        ::close(fd);
    }
}

TEST_F(CardLockTest, UnusableRuntimeDirectoryRefusesWithTheReason) {
    ::setenv("XDG_RUNTIME_DIR", (m_dir / "missing").c_str(), 1);
    CardLock lock(0x300);
    EXPECT_FALSE(lock.Held());
    EXPECT_NE(lock.Refusal().find("the card at 0x300 cannot be locked: "), std::string::npos);
}

}  // namespace
}  // namespace qv::test
