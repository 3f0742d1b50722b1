#include <gtest/gtest.h>

#include <csignal>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "io.h"
#include "save_file.h"
#include "temp_dir.h"

namespace {

void write_record(FILE* f) {
    E2::io::write_ui32(f, 0x8B901886u);
    E2::io::write_string(f, std::string(200, 'n'));
}

TEST(SaveFileTest, ReplacesTheFileAndLeavesNoTemporary) {
    TempDir dir;
    std::string path = dir / "options.dat";
    write_file(path, "old contents");
    ASSERT_TRUE(E2::io::save_file_atomically(path, write_record));
    FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(E2::io::read_ui32(f), 0x8B901886u);
    EXPECT_EQ(E2::io::read_string(f), std::string(200, 'n'));
    std::fclose(f);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"options.dat"});

    // Also makes a file that did not exist.
    ASSERT_TRUE(E2::io::save_file_atomically(dir / "new.dat", write_record));
    EXPECT_EQ(read_file(dir / "new.dat"), read_file(path));
}

TEST(SaveFileTest, MissingFolderFails) {
    TempDir dir;
    EXPECT_FALSE(E2::io::save_file_atomically(dir / "absent/x.dat", write_record));
    EXPECT_TRUE(dir.entries().empty());
    EXPECT_FALSE(E2::io::save_file_atomically("", write_record));
}

// A disk that fills up mid-write: a file-size limit in a child process.
TEST(SaveFileTest, FullDiskKeepsTheOldFile) {
    TempDir dir;
    std::string path = dir / "highscores.dat";
    std::string old(100, 'o');
    write_file(path, old);
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit lim{16, 16};
        if (setrlimit(RLIMIT_FSIZE, &lim) != 0) _exit(2);
        bool ok = E2::io::save_file_atomically(path, [](FILE* f) {
            for (int i = 0; i < 64; ++i) E2::io::write_ui32(f, 0xDEADBEEFu);
        });
        _exit(ok ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the failed save must report false";
    EXPECT_EQ(read_file(path), old);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"highscores.dat"});
}

TEST(SaveFileTest, ThrowingWriterRemovesTheTemporary) {
    TempDir dir;
    std::string path = dir / "player0.dat";
    write_file(path, "keep");
    EXPECT_THROW(E2::io::save_file_atomically(path,
                                              [](FILE* f) {
                                                  E2::io::write_ui8(f, 1);
                                                  throw std::runtime_error("writer failed");
                                              }),
                 std::runtime_error);
    EXPECT_EQ(read_file(path), "keep");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"player0.dat"});
}

TEST(SaveFileTest, StaleTemporaryFromEarlierRunIsReplaced) {
    TempDir dir;
    std::string path = dir / "a.dat";
    write_file(path + ".tmp" + std::to_string(static_cast<long>(getpid())), "stale");
    ASSERT_TRUE(E2::io::save_file_atomically(path, write_record));
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"a.dat"});
}

}  // namespace
