#include "framework/AtomicFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "document/TempDir.h"
#include "framework/FileSizeLimit.h"
#include "framework/FrameworkMessages.h"
#include "framework/LockedFolder.h"

namespace qv {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteText;

std::span<const std::byte> Bytes(const std::string& text) {
    return std::as_bytes(std::span(text.data(), text.size()));
}

std::vector<unsigned char> Chars(const std::string& text) {
    return {text.begin(), text.end()};
}

std::size_t EntriesIn(const std::filesystem::path& dir) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir),
                                                  std::filesystem::directory_iterator()));
}

TEST(WriteFileReplacing, ReplacesAWritableFileAndKeepsItsMode) {
    TempDir dir;
    const std::string target = dir / "a.qv";
    WriteText(target, "a longer old content");
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    const FileWriteResult result = WriteFileReplacing(target, Bytes("new"));
    EXPECT_TRUE(result.Ok()) << result.error;
    EXPECT_EQ(ReadBytes(target), Chars("new"));
    EXPECT_EQ(std::filesystem::status(target).permissions() & std::filesystem::perms::all,
              std::filesystem::perms(0640));
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(WriteFileReplacing, NeverReplacesAReadOnlyFile) {
    TempDir dir;
    const std::string target = dir / "ro.qv";
    WriteText(target, "measurement");
    ASSERT_EQ(chmod(target.c_str(), 0444), 0);
    // Also through a link to it.
    std::filesystem::create_symlink(target, dir / "link.qv");
    for (const std::string& path : {target, dir / "link.qv"}) {
        const FileWriteResult result = WriteFileReplacing(path, Bytes("empty"));
        EXPECT_EQ(result.error, kReadOnlyReason) << path;
        EXPECT_FALSE(result.opened);
        EXPECT_EQ(result.previous, PreviousFile::Unchanged);
    }
    EXPECT_EQ(ReadBytes(target), Chars("measurement"));
    EXPECT_TRUE(IsReadOnlyFile(target));
    EXPECT_FALSE(IsWritableFile(target));
    EXPECT_EQ(EntriesIn(dir.Path()), 2u);
}

TEST(WriteFileReplacing, NeverReplacesAFolderOrAPipe) {
    TempDir dir;
    const std::string fifo = dir / "pipe.qv";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    std::filesystem::create_directory(dir / "sub.qv");
    const struct {
        std::string path;
        std::string reason;
    } cases[] = {{fifo, "Is a named pipe (FIFO), not a regular file"},
                 {dir / "sub.qv", std::strerror(EISDIR)}};
    for (const auto& c : cases) {
        const FileWriteResult result = WriteFileReplacing(c.path, Bytes("x"));
        EXPECT_EQ(result.error, c.reason);
        EXPECT_FALSE(result.opened);
        EXPECT_EQ(result.previous, PreviousFile::None);
    }
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "sub.qv"));
    EXPECT_EQ(EntriesIn(dir.Path()), 2u);
}

TEST(WriteFileReplacing, NewFileThatCannotBeMadeHadNoPrevious) {
    TempDir dir;
    const FileWriteResult result = WriteFileReplacing(dir / "missing/x.qv", Bytes("x"));
    EXPECT_EQ(result.error, std::strerror(ENOENT));
    EXPECT_FALSE(result.opened);
    EXPECT_EQ(result.previous, PreviousFile::None);
}

// A writable file in a folder that refuses new files: never written in place
// (a kill would leave new bytes before old ones), refused and kept whole.
TEST(WriteFileReplacing, RefusesWhenTheFolderRefusesATemporary) {
    TempDir dir;
    const std::string target = dir / "a.qv";
    WriteText(target, "the previous, longer measurement");
    test::LockedFolder locked(dir.Path());
    if (!locked.Locked()) {
        GTEST_SKIP() << "cannot lock a folder here";
    }
    const FileWriteResult result = WriteFileReplacing(target, Bytes("new one"));
    EXPECT_EQ(result.error, kFolderRefusesReason);
    EXPECT_FALSE(result.opened);
    EXPECT_EQ(result.previous, PreviousFile::Unchanged);
    EXPECT_EQ(ReadBytes(target), Chars("the previous, longer measurement"));
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);

    const FileWriteResult fresh = WriteFileReplacing(dir / "b.qv", Bytes("x"));
    EXPECT_FALSE(fresh.Ok());
    EXPECT_FALSE(fresh.opened);
    EXPECT_EQ(fresh.previous, PreviousFile::None);
    EXPECT_FALSE(std::filesystem::exists(dir / "b.qv"));
}

// What a killed save of a.qv left behind goes; what a running save of it
// holds, and what belongs to other files, stays.
TEST(WriteFileReplacing, RemovesTheTemporariesThatAKilledSaveLeft) {
    TempDir dir;
    const std::string target = dir / "a.qv";
    WriteText(target, "old");
    WriteText(dir / ".a.qv.qv-save-Ab12Cd", "killed");
    WriteText(dir / ".b.qv.qv-save-Ab12Cd", "another file's");
    WriteText(dir / ".a.qv.qv-save-running", "not ours: longer name");
    const std::string running = dir / ".a.qv.qv-save-Xy34Zw";
    WriteText(running, "being written");
    const int held = open(running.c_str(), O_RDONLY);
    ASSERT_GE(held, 0);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    ASSERT_TRUE(WriteFileReplacing(target, Bytes("new")).Ok());
    close(held);
    EXPECT_EQ(ReadBytes(target), Chars("new"));
    EXPECT_FALSE(std::filesystem::exists(dir / ".a.qv.qv-save-Ab12Cd"));
    EXPECT_TRUE(std::filesystem::exists(dir / ".b.qv.qv-save-Ab12Cd"));
    EXPECT_TRUE(std::filesystem::exists(dir / ".a.qv.qv-save-running"));
    EXPECT_TRUE(std::filesystem::exists(running));
    EXPECT_EQ(EntriesIn(dir.Path()), 4u);
}

TEST(SaveFailedMessage, SaysWhatBecameOfThePreviousFile) {
    EXPECT_EQ(FormatSaveFailed("/d/a.qv", "Disk full", PreviousFile::None),
              "Failed to save document.\n/d/a.qv\nDisk full.");
    EXPECT_EQ(FormatSaveFailed("/d/a.qv", "Disk full", PreviousFile::Unchanged),
              "Failed to save document.\n/d/a.qv\nDisk full.\nThe previous file was left "
              "unchanged.");
}

}  // namespace
}  // namespace qv
