// Saves that cannot complete: a disk that fills up (a file-size limit), a folder that
// cannot be written, a target that cannot be replaced; and the temporaries a killed save
// leaves. A case that changes limits, identity or signal dispositions runs in a child
// process so that they stay there.

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <ostream>
#include <string>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "io.h"
#include "save_file.h"
#include "save_file_calls.h"
#include "temp_dir.h"

namespace {

// Exit codes of the child bodies.
constexpr int saved = 10;
constexpr int refused = 11;
constexpr int setup_failed = 12;
constexpr int cannot_test = 13;

// Runs body in a forked child: its exit code, or 1000 + the signal that ended it. What the
// child writes to stderr goes to `err`.
int in_child(std::function<int()> const& body, std::string* err = nullptr) {
    std::fflush(nullptr);
    int out[2];
    if (pipe(out) != 0) return -1;
    pid_t pid = fork();
    if (pid < 0) return -1;
    if (pid == 0) {
        dup2(out[1], 2);
        _exit(body());
    }
    close(out[1]);
    std::string told;
    char buf[256];
    for (ssize_t n; (n = read(out[0], buf, sizeof buf)) > 0;) told.append(buf, static_cast<std::size_t>(n));
    close(out[0]);
    if (err) *err = told;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -1;
    if (WIFSIGNALED(status)) return 1000 + WTERMSIG(status);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string describe(int code) {
    switch (code) {
        case saved: return "the save reported success";
        case refused: return "the save reported failure";
        case setup_failed: return "the child could not set up";
        case cannot_test: return "cannot test here";
        default:
            return code >= 1000 ? "the process was killed by signal " + std::to_string(code - 1000)
                                : "exit " + std::to_string(code);
    }
}

std::string bytes_of(std::size_t n, char seed) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>(seed + i % 23);
    return s;
}

int save(std::string const& path, std::string const& bytes) {
    bool ok = E2::io::save_file_atomically(path, [&bytes](FILE* f) {
        // Field by field, as the record writers do.
        for (char c : bytes) E2::io::write_ui8(f, static_cast<unsigned char>(c));
    });
    return ok ? saved : refused;
}

int save_under_limit(std::string const& path, std::string const& bytes, rlim_t limit, bool ignore_sigxfsz) {
    if (ignore_sigxfsz) std::signal(SIGXFSZ, SIG_IGN);
    else std::signal(SIGXFSZ, SIG_DFL);
    rlimit lim{limit, limit};
    if (setrlimit(RLIMIT_FSIZE, &lim) != 0) return setup_failed;
    return save(path, bytes);
}

struct FullDisk {
    char const* name;
    std::size_t old_size;
    rlim_t limit;
    std::size_t new_size;
    bool ignore_sigxfsz;  // as a program that handles EFBIG itself; otherwise as a shell's ulimit leaves it
};

void PrintTo(FullDisk const& c, std::ostream* os) {
    *os << c.old_size << " bytes replaced by " << c.new_size << " under a limit of " << c.limit
        << (c.ignore_sigxfsz ? ", SIGXFSZ ignored" : ", SIGXFSZ at its default");
}

class SaveOnAFullDisk : public ::testing::TestWithParam<FullDisk> {};

// The new bytes do not fit: the save says so, the old file keeps every byte, no temporary
// stays behind, and the process lives on.
TEST_P(SaveOnAFullDisk, FailsAndKeepsTheOldFile) {
    FullDisk const& c = GetParam();
    TempDir dir;
    std::string path = dir / "player0.dat";
    std::string old = bytes_of(c.old_size, 'a');
    write_file(path, old);
    std::string fresh = bytes_of(c.new_size, 'A');
    std::string err;
    int code = in_child([&] { return save_under_limit(path, fresh, c.limit, c.ignore_sigxfsz); }, &err);
    EXPECT_EQ(code, refused) << describe(code);
    EXPECT_EQ(err, "lunerra: " + path + " was not saved (File too large)\n");
    EXPECT_EQ(read_file(path), old);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"player0.dat"});
}

INSTANTIATE_TEST_SUITE_P(
    Limits, SaveOnAFullDisk,
    ::testing::Values(
        // Not one byte fits.
        FullDisk{"NothingFits", 604, 0, 604, true}, FullDisk{"NothingFitsDefaultSignal", 604, 0, 604, false},
        // Cut inside stdio's buffer: the failure shows at the flush.
        FullDisk{"CutAtTheFlush", 604, 16, 604, true}, FullDisk{"CutAtTheFlushDefaultSignal", 604, 16, 604, false},
        // Cut after several buffers: the writer's own writes fail.
        FullDisk{"CutInTheWriter", 30000, 10000, 100000, true},
        FullDisk{"CutInTheWriterDefaultSignal", 30000, 10000, 100000, false},
        // One byte short, with a limit above the old file's size.
        FullDisk{"OneByteShort", 300, 603, 604, true}, FullDisk{"OneByteShortDefaultSignal", 300, 603, 604, false}),
    [](::testing::TestParamInfo<FullDisk> const& info) { return std::string(info.param.name); });

TEST(SaveOnANearlyFullDisk, AFileThatJustFitsIsSavedWhole) {
    TempDir dir;
    std::string path = dir / "options.dat";
    write_file(path, "old");
    std::string fresh = bytes_of(604, 'z');
    int code = in_child([&] { return save_under_limit(path, fresh, fresh.size(), false); });
    EXPECT_EQ(code, saved) << describe(code);
    EXPECT_EQ(read_file(path), fresh);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"options.dat"});
}

extern "C" void count_sigxfsz(int) {}

// A save may change how SIGXFSZ is handled while it writes, but leaves the process's own
// choice in place afterwards, whether it failed or not.
TEST(SaveOnAFullDisk, LeavesTheSignalDispositionAsItWas) {
    TempDir dir;
    std::string path = dir / "highscores.dat";
    auto disposition = [] {
        struct sigaction now {};
        sigaction(SIGXFSZ, nullptr, &now);
        return now.sa_handler;
    };
    int code = in_child([&] {
        std::signal(SIGXFSZ, SIG_DFL);
        if (save(path, "fits") != saved || disposition() != SIG_DFL) return setup_failed;
        std::signal(SIGXFSZ, count_sigxfsz);
        rlimit lim{2, 2};
        if (setrlimit(RLIMIT_FSIZE, &lim) != 0) return setup_failed;
        if (save(path, "does not fit") != refused) return saved;
        return disposition() == count_sigxfsz ? refused : setup_failed;
    });
    EXPECT_EQ(code, refused) << describe(code);
    EXPECT_EQ(read_file(path), "fits");
}

// A folder that this user cannot write: root drops to an unprivileged user first, since
// it may write anywhere.
int as_user_without_write_access(std::string const& folder, std::function<int()> const& body) {
    if (geteuid() == 0) {
        gid_t const nobody = 65534;
        if (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0) return cannot_test;
    }
    if (access(folder.c_str(), W_OK) == 0) return cannot_test;
    return body();
}

TEST(SaveInAnUnwritableFolder, FailsAndKeepsTheOldFile) {
    TempDir dir;
    chmod(dir.path().c_str(), 0755);
    std::string folder = dir / "Lunerra Solitaire";
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    std::string path = folder + "/player3.dat";
    std::string old = bytes_of(604, 'q');
    write_file(path, old);
    chmod(path.c_str(), 0666);  // the file itself could be written in place
    ASSERT_EQ(symlink((folder + "/player2.dat").c_str(), (dir / "player2.dat").c_str()), 0);
    ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
    std::string err;
    int code = in_child(
        [&] {
            return as_user_without_write_access(folder, [&] {
                // A record that could not be read cannot be moved aside here either.
                E2::io::record_unreadable(path, "damaged");
                int first = save(path, bytes_of(604, 'Q'));
                first = first == save(path, bytes_of(604, 'R')) ? first : saved;  // told once
                // A file that does not exist yet is not made either, nor one a link leads to.
                int second = save(folder + "/player4.dat", "new");
                int third = save(dir / "player2.dat", "new");
                return first == refused && second == refused && third == refused ? refused : saved;
            });
        },
        &err);
    chmod(folder.c_str(), 0755);
    if (code == cannot_test) GTEST_SKIP() << "no user without write access to the folder";
    EXPECT_EQ(code, refused) << describe(code);
    EXPECT_NE(err.find(path + " was not saved (Permission denied)"), std::string::npos) << err;
    EXPECT_EQ(err.find(path + " was not saved"), err.rfind(path + " was not saved")) << err;
    EXPECT_NE(err.find(folder + "/player4.dat was not saved (Permission denied)"), std::string::npos) << err;
    EXPECT_NE(err.find(folder + "/player2.dat was not saved (Permission denied)"), std::string::npos) << err;
    EXPECT_EQ(read_file(path), old);
    EXPECT_EQ(TempDir::entries_of(folder), std::vector<std::string>{"player3.dat"});
}

// The temporary is written but cannot be renamed over the target: the target stays and
// the temporary goes.
TEST(SaveOverSomethingThatIsNoFile, FailsAndRemovesTheTemporary) {
    TempDir dir;
    std::string path = dir / "player1.dat";
    ASSERT_EQ(mkdir(path.c_str(), 0755), 0);
    write_file(path + "/inside", "kept");
    EXPECT_EQ(save(path, bytes_of(604, 'p')), refused);
    EXPECT_EQ(read_file(path + "/inside"), "kept");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"player1.dat"});
}

// How the save's locks go (`lock`: every one fails with it; EINTR: each is interrupted once)
// and what else happens in the folder meanwhile (`race`): 1, the save's temporary is removed
// between its open and its lock; 2, a stale temporary is made again by a live save between
// the clean-up's open and its lock. The names' random parts are drawn in turn from fedcba...10.
struct Beside {
    char const* name;
    int lock, race;
} beside;
std::string racing;  // the temporary the race is about
int raced, live;     // the live save's temporary a race makes
bool interrupted;
std::uint64_t draw;

void PrintTo(Beside const& b, std::ostream* os) { *os << b.name; }

class SaveAfterAKilledRun : public ::testing::TestWithParam<Beside> {};

// A run killed mid-save leaves its temporary: the next save of that file removes those whose
// lock it can take, and nothing else. A live save holds the lock, whatever its pid (in
// another pid namespace it may be this one's), also against a clean-up that runs mid-save;
// where locks are refused, the save holds and only temporaries over a day old are removed.
// The save's first name is a live save's temporary: it is never opened over.
TEST_P(SaveAfterAKilledRun, RemovesOnlyTheTemporariesNoSaveHolds) {
    Beside const& r = GetParam();
    TempDir dir;
    std::string const pid = std::to_string(getpid()), path = dir / "player2.dat";
    std::string const stale = "player2.dat.tmp" + pid, stale_random = "player2.dat.0123456789abcdef.tmp" + pid;
    std::string const held = "player2.dat.fedcba9876543210.tmp" + pid, other_file = "player3.dat.tmp" + pid;
    for (std::string name : {stale, stale_random, held, other_file, std::string("player2.dat.tmpx"),
                             std::string("player2.dat.tmp")})
        write_file(dir / name, "partial");
    timespec const two_days_ago[2] = {{time(nullptr) - 2 * 86400, 0}, {time(nullptr) - 2 * 86400, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, (dir / stale).c_str(), two_days_ago, 0), 0);
    int fd = open((dir / held).c_str(), O_RDONLY);
    ASSERT_EQ(flock(fd, LOCK_EX), 0);
    beside = r, raced = 0, live = -1, interrupted = false, draw = 0xfedcba9876543210u;
    racing = r.race == 1 ? path + ".fedcba9876543211.tmp" + pid : dir / stale_random;
    E2::io::save_calls().flock = [](int f, int op) {
        struct stat a {}, b {};
        bool const on = fstat(f, &a) == 0 && stat(racing.c_str(), &b) == 0 && a.st_ino == b.st_ino;
        if (beside.race && on && (beside.race == 1) == !(op & LOCK_NB) && !raced++) {
            unlink(racing.c_str());
            if (beside.race == 2) flock(live = open(racing.c_str(), O_RDWR | O_CREAT, 0600), LOCK_EX);
        }
        if (beside.lock && (beside.lock != EINTR || (interrupted = !interrupted))) return errno = beside.lock, -1;
        return flock(f, op | LOCK_NB);
    };
    E2::io::save_calls().getrandom = [](void* to, std::size_t n, unsigned) -> ssize_t {
        std::memcpy(to, &draw, n), ++draw;
        return static_cast<ssize_t>(n);
    };
    testing::internal::CaptureStderr();
    bool const saves = r.lock != EINVAL, ok = E2::io::save_file_atomically(path, [&path](FILE* f) {
        E2::io::open_record(path);  // a clean-up mid-save
        std::fputs("whole", f);
    });
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              saves ? "" : "lunerra: " + path + " was not saved (Invalid argument)\n");
    E2::io::save_calls() = E2::io::real_save_calls();
    close(fd), close(live);
    EXPECT_EQ(ok, saves);
    std::vector<std::string> left = dir.entries();
    std::sort(left.begin(), left.end());
    std::vector<std::string> expected{"player2.dat.tmp", held, "player2.dat.tmpx", other_file};
    expected.push_back(saves ? "player2.dat" : stale);
    if (!saves || r.lock == ENOLCK || r.race == 2) expected.push_back(stale_random);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(left, expected);
    EXPECT_EQ(read_file(path), saves ? "whole" : "");
    EXPECT_EQ(read_file(dir / held), "partial");
}

INSTANTIATE_TEST_SUITE_P(
    Locks, SaveAfterAKilledRun,
    ::testing::Values(Beside{"AsFound", 0, 0}, Beside{"Interrupted", EINTR, 0}, Beside{"Refused", ENOLCK, 0},
                      Beside{"Failing", EINVAL, 0}, Beside{"OwnRemovedBeforeItsLock", 0, 1},
                      Beside{"StaleMadeAgainBeforeTheCleanUpsLock", 0, 2}),
    [](::testing::TestParamInfo<Beside> const& info) { return std::string(info.param.name); });

}  // namespace
