#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include "io.h"
#include "save_file.h"
#include "save_file_calls.h"
#include "temp_dir.h"

namespace {

void write_record(FILE* f) {
    E2::io::write_ui32(f, 0x8B901886u);
    E2::io::write_string(f, std::string(200, 'n'));
}

// The helper's calls, watched: before each a record stands at `path` (unless `may_empty`),
// "<path>.unreadable" (".unreadable.1" where an earlier record, `taken`, holds that name) is
// missing or holds `old` whole (where that is given), it is missing at each file's sync and
// there before the new file is renamed in. The calls chosen fail with their errno: `link` the
// record's links (every link with `links`), `fsync_from` EIO from that file's sync on (1: the
// new file's), `folder` the folder's. `other` is put at the path as the (first) rename in fails.
struct Watch {
    std::string path;
    int link, exchange, rename_in;
    bool may_empty;
    std::string other;
    int fsync_from, close;
    bool links;
    std::string old;
    int folder = 0;
    std::string taken = "";
} watch;
bool broken;
int syncs;

int look(bool in, int fail, bool sync = false) {
    struct stat st {};
    std::string const aside = watch.path + ".unreadable" + (watch.taken.empty() ? "" : ".1");
    bool const kept = lstat(aside.c_str(), &st) == 0;
    broken |= (!watch.may_empty && lstat(watch.path.c_str(), &st) != 0) || (in && !kept) || (sync && kept) ||
              (kept && !watch.old.empty() && read_file(aside) != watch.old);
    if (in && fail) {
        if (!watch.other.empty()) unlink(watch.path.c_str()), write_file(watch.path, watch.other);
        watch.rename_in = 0;  // the roll-back's own rename is not failed
    }
    errno = fail;
    return fail ? -1 : 0;
}

struct Watched {
    explicit Watched(Watch const& w) {
        watch = w;
        broken = false;
        syncs = 0;
        E2::io::save_calls() = {
            [](char const* a, char const* b) {
                return look(false, watch.links || watch.path == a ? watch.link : 0) ? -1 : link(a, b);
            },
            [](char const* a, char const* b, unsigned flags) {
                bool const in = flags == 0 && watch.path == b;
                int fail = 0;
                if (watch.path == b) fail = flags == RENAME_EXCHANGE ? watch.exchange : in ? watch.rename_in : 0;
                return look(in, fail) ? -1 : E2::io::real_save_calls().rename(a, b, flags);
            },
            [](int fd) {
                struct stat st {};
                bool const file = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
                int const fail = !file ? watch.folder : watch.fsync_from && ++syncs >= watch.fsync_from ? EIO : 0;
                return look(false, fail, file) ? -1 : fsync(fd);
            },
            [](int fd) { return look(false, watch.close) | close(fd) ? -1 : 0; }, flock, getrandom};
    }
    ~Watched() { E2::io::save_calls() = E2::io::real_save_calls(); }
};

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
    // Reading the record removes them too: a record found unchanged is not saved again.
    write_file(path + ".tmp999999999", "left by a killed run");
    FILE* f = E2::io::open_record(path);
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"a.dat"});
}

mode_t mode_of(std::string const& path) {
    struct stat st {};
    EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

// A replaced file keeps its permission bits; a new one gets the user's default mode.
TEST(SaveFileTest, ReplacedFileKeepsItsModeAndANewOneFollowsTheUmask) {
    TempDir dir;
    for (mode_t mode : {0600, 0640, 0604}) {
        std::string path = dir / ("m" + std::to_string(mode) + ".dat");
        write_file(path, "old");
        ASSERT_EQ(chmod(path.c_str(), mode), 0);
        ASSERT_TRUE(E2::io::save_file_atomically(path, write_record));
        EXPECT_EQ(mode_of(path), mode) << std::oct << mode;
        EXPECT_NE(read_file(path), "old");
    }
    for (mode_t mask : {022, 077}) {
        mode_t old = umask(mask);
        std::string path = dir / ("u" + std::to_string(mask) + ".dat");
        bool ok = E2::io::save_file_atomically(path, write_record);
        umask(old);
        ASSERT_TRUE(ok);
        EXPECT_EQ(mode_of(path), 0666 & ~mask) << std::oct << mask;
    }
}

// Things at a record's path that cannot be read as a file: each is refused at once (a FIFO
// with no writer would block a plain open), reported, and never written over; a file put
// there afterwards is read and written again.
TEST(SaveFileTest, ARecordThatCannotBeReadIsNeverWrittenOver) {
    std::string skipped;
    struct Case {
        char const* what;
        std::function<void(std::string const&)> make;
    };
    Case const cases[] = {
        {"a FIFO", [](std::string const& p) { ASSERT_EQ(mkfifo(p.c_str(), 0644), 0); }},
        {"a folder", [](std::string const& p) { ASSERT_EQ(mkdir(p.c_str(), 0755), 0); }},
        // A node with /dev/null's numbers, made here; no system file is touched.
        {"a device", [&skipped](std::string const& p) {
             if (mknod(p.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
                 skipped = std::string("the device row: mknod is refused here (") + std::strerror(errno) + ")";
         }},
    };
    for (Case const& c : cases) {
        TempDir dir;
        std::string path = dir / "player0.dat";
        c.make(path);
        if (dir.entries().empty()) continue;
        E2::io::RecordState state = E2::io::RecordState::opened;
        EXPECT_EQ(E2::io::open_record(path, &state), nullptr) << c.what;
        EXPECT_EQ(state, E2::io::RecordState::unreadable) << c.what;
        EXPECT_TRUE(E2::io::is_record_unreadable(path)) << c.what;
        EXPECT_FALSE(E2::io::save_file_atomically(path, write_record)) << c.what;
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"player0.dat"}) << c.what;
        std::filesystem::remove_all(path);
        write_file(path, "held");
        FILE* f = E2::io::open_record(path, &state);
        ASSERT_NE(f, nullptr) << c.what;
        std::fclose(f);
        EXPECT_EQ(state, E2::io::RecordState::opened);
        EXPECT_TRUE(E2::io::save_file_atomically(path, write_record)) << c.what;
    }
    TempDir dir;
    E2::io::RecordState state = E2::io::RecordState::opened;
    EXPECT_EQ(E2::io::open_record(dir / "absent.dat", &state), nullptr);
    EXPECT_EQ(state, E2::io::RecordState::missing);
    EXPECT_FALSE(E2::io::is_record_unreadable(dir / "absent.dat"));
    // A damaged record keeps its path until the new file takes it: where the new file is
    // not renamed in (its temporary gone, as a kill there leaves it), the old bytes stand
    // at the path and no copy stays aside; the next save keeps them aside.
    std::string const damaged = dir / "player1.dat";
    write_file(damaged, "damaged");
    E2::io::record_unreadable(damaged, "damaged");
    EXPECT_FALSE(E2::io::save_file_atomically(damaged, [&dir](FILE* f) {
        write_record(f);
        for (std::string const& e : dir.entries())
            if (e != "player1.dat") unlink((dir / e).c_str());
    }));
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"player1.dat"});
    EXPECT_EQ(read_file(damaged), "damaged");
    EXPECT_TRUE(E2::io::save_file_atomically(damaged, write_record));
    EXPECT_EQ(read_file(damaged + ".unreadable"), "damaged");
    EXPECT_EQ(read_file(damaged).size(), 4u + 4 + 201);
    // Kept by a second link, else by a copy with the old mode, synced under a temporary name
    // before it takes the aside name (linked, else renamed; never over an earlier record,
    // `taken`); a copy or a new file that cannot be synced or closed fails the save. Where the
    // rename in fails and another's record took the path meanwhile, the old one stays aside.
    // After an earlier failure of the path, only the one that leaves the record aside is told.
    struct Aside {
        char const* what;
        int link;
        bool links;
        int fsync_from, close, rename_in = 0, folder = 0;
        bool taken = false;
    };
    for (Aside const& c : {Aside{"linked", 0, false, 0, 0}, Aside{"copied", EPERM, false, 0, 0},
                           Aside{"copied, no links", EPERM, true, 0, 0}, Aside{"new file not synced", 0, false, 1, 0},
                           Aside{"copy not synced", EPERM, false, 2, 0},
                           Aside{"copy not closed", EPERM, false, 0, EIO},
                           Aside{"linked, name taken", 0, false, 0, 0, 0, 0, true},
                           Aside{"copied, name taken", EPERM, false, 0, 0, 0, 0, true},
                           Aside{"copied, no links, name taken", EPERM, true, 0, 0, 0, 0, true},
                           Aside{"linked, path taken", 0, false, 0, 0, EIO},
                           Aside{"copied, path taken", EPERM, false, 0, 0, EIO},
                           Aside{"folder not synced", 0, false, 0, 0, 0, EIO}}) {
        TempDir d;
        std::string const p = d / "player2.dat", old(70000, 'd'), kept = p + ".unreadable" + (c.taken ? ".1" : "");
        bool const fails = c.fsync_from || c.close || c.rename_in, aside = !fails || c.rename_in;
        write_file(p, old);
        ASSERT_EQ(chmod(p.c_str(), 0640), 0);
        if (c.taken) write_file(p + ".unreadable", "earlier");
        E2::io::record_unreadable(p, "damaged");
        testing::internal::CaptureStderr();
        {
            Watched earlier({p, 0, 0, 0, false, "", 1, 0, false, ""});
            EXPECT_FALSE(E2::io::save_file_atomically(p, write_record));
        }
        Watched w({p, c.link, 0, c.rename_in, false, c.rename_in ? "another's" : "", c.fsync_from, c.close, c.links,
                   old, c.folder, c.taken ? "earlier" : ""});
        EXPECT_EQ(E2::io::save_file_atomically(p, write_record), !fails) << c.what;
        std::string const not_saved = "lunerra: " + p + " was not saved (Input/output error)";
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  not_saved + "\n" + (c.rename_in ? not_saved + "; the old record is at " + kept + "\n" : "") +
                      (c.folder ? "lunerra: " + p + " was saved, but its folder could not be synced (Input/output " +
                                      "error); the new record may not outlast a power cut\n" : "") +
                      (fails ? "" : "lunerra: " + p + " could not be read; it was moved to " + kept + "\n"))
            << c.what;
        EXPECT_FALSE(broken) << c.what;
        EXPECT_TRUE(read_file(aside ? kept : p) == old) << c.what;
        EXPECT_EQ(mode_of(aside ? kept : p), 0640u) << c.what;
        EXPECT_TRUE(read_file(p + ".unreadable") == (c.taken ? "earlier" : aside ? old : "")) << c.what;
        EXPECT_EQ(d.entries().size(), 1u + aside + c.taken) << c.what;
    }
    if (!skipped.empty()) GTEST_SKIP() << skipped;
}

// A file the user may not open (mode 000) is moved aside by the save (the new file gets the
// user's default mode), and one the user may read but not write (0444) is kept and the
// failure told. Root opens and writes anything,
// so as root the checks run in a child that has given up its privileges.
TEST(SaveFileTest, AFileThatCannotBeOpenedMovesAsideAndOneThatCannotBeWrittenStays) {
    TempDir dir, log_dir;
    ASSERT_EQ(chmod(dir.path().c_str(), 0777), 0);
    std::string path = dir / "options.dat";
    // Exchanged with the new file (never over an earlier record); moved aside first without
    // an exchange; moved back when the rename in fails, never over what another instance put
    // there meanwhile (then told where it is).
    Watch const rows[] = {{path, EPERM, 0, 0, false, "", 0, 0, false, ""},
                          {dir / "a.dat", EPERM, EINVAL, 0, true, "", 0, 0, false, ""},
                          {dir / "b.dat", EPERM, EINVAL, EIO, true, "another's", 0, 0, false, ""},
                          {dir / "c.dat", EPERM, 0, 0, false, "", 0, 0, false, "", 0, "earlier"},
                          {dir / "d.dat", EPERM, EINVAL, EIO, true, "", 0, 0, false, ""}};
    for (Watch const& r : rows) {
        write_file(r.path, "private");
        ASSERT_EQ(chmod(r.path.c_str(), 0), 0);
        if (!r.taken.empty()) write_file(r.path + ".unreadable", r.taken);
    }
    std::string read_only = dir / "player0.dat";
    write_file(read_only, "read only");
    ASSERT_EQ(chmod(read_only.c_str(), 0444), 0);
    std::string const log = log_dir / "stderr";
    write_file(log, "");
    ASSERT_EQ(chmod(log.c_str(), 0666), 0);
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        int fd = open(log.c_str(), O_WRONLY);
        if (fd < 0 || dup2(fd, 2) != 2) _exit(2);
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(2);
        E2::io::RecordState state;
        for (Watch const& r : rows) {
            if (E2::io::open_record(r.path, &state) || state != E2::io::RecordState::unreadable) _exit(3);
            Watched w(r);
            if (E2::io::save_file_atomically(r.path, write_record) != !r.rename_in || broken) _exit(4);
            FILE* g = r.rename_in ? nullptr : E2::io::open_record(r.path);
            if (!r.rename_in && !g) _exit(7);
            if (g) std::fclose(g);
        }
        FILE* f = E2::io::open_record(read_only, &state);
        if (!f) _exit(5);
        std::fclose(f);
        if (E2::io::save_file_atomically(read_only, write_record)) _exit(6);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    mode_t const mask = umask(0);
    umask(mask);
    for (Watch const& r : rows) {
        bool const back = r.rename_in && r.other.empty();
        std::string const kept = back ? r.path : r.path + ".unreadable" + (r.taken.empty() ? "" : ".1");
        EXPECT_EQ(read_file(kept), "private") << r.path;
        EXPECT_EQ(mode_of(kept), 0u) << r.path;
        EXPECT_EQ(read_file(r.path + ".unreadable"), back ? "" : r.taken.empty() ? "private" : r.taken) << r.path;
        if (back) continue;
        EXPECT_EQ(read_file(r.path).size(), r.other.empty() ? 4u + 4 + 201 : r.other.size()) << r.path;
        if (r.other.empty()) {
            EXPECT_EQ(mode_of(r.path), 0666 & ~mask) << r.path;
        }
    }
    EXPECT_EQ(read_file(read_only), "read only");
    EXPECT_EQ(mode_of(read_only), 0444u);
    std::vector<std::string> entries = dir.entries();
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"a.dat", "a.dat.unreadable", "b.dat", "b.dat.unreadable", "c.dat",
                                                 "c.dat.unreadable", "c.dat.unreadable.1", "d.dat", "options.dat",
                                                 "options.dat.unreadable", "player0.dat"}));
    std::string const told = read_file(log);
    EXPECT_NE(told.find(path + " could not be read; it was moved to " + path + ".unreadable"), std::string::npos)
        << told;
    EXPECT_NE(told.find(read_only + " was not saved (Permission denied)"), std::string::npos) << told;
    std::string const b = dir / "b.dat";
    EXPECT_NE(told.find(b + " was not saved (Input/output error); the old record is at " + b + ".unreadable\n"),
              std::string::npos)
        << told;
    EXPECT_NE(told.find(dir / "d.dat was not saved (Input/output error)\n"), std::string::npos) << told;
}

// A symbolic link at a record's path stays; the file it leads to (through a relative or an
// absolute link, a chain of two, or none yet) is replaced in its own folder.
TEST(SaveFileTest, ALinkedRecordIsSavedThroughTheLink) {
    TempDir dir, kept;
    struct Case {
        char const* name;
        std::string link_to, target;
        bool exists;
    };
    Case const cases[] = {
        {"player0.dat", "../" + kept.path().substr(5) + "/p0.dat", kept / "p0.dat", true},
        {"options.dat", kept / "o.dat", kept / "o.dat", true},
        {"highscores.dat", kept / "new.dat", kept / "new.dat", false},
        {"player1.dat", dir / "player0.dat", kept / "p0.dat", true},
    };
    for (Case const& c : cases) {
        if (c.exists) write_file(c.target, "old");
        ASSERT_EQ(symlink(c.link_to.c_str(), (dir / c.name).c_str()), 0) << c.name;
    }
    for (Case const& c : cases) {
        ASSERT_TRUE(E2::io::save_file_atomically(dir / c.name, write_record)) << c.name;
        struct stat st {};
        ASSERT_EQ(lstat((dir / c.name).c_str(), &st), 0);
        EXPECT_TRUE(S_ISLNK(st.st_mode)) << c.name;
        EXPECT_EQ(read_file(c.target), read_file(dir / "player0.dat")) << c.name;
        EXPECT_EQ(read_file(c.target).size(), 4u + 4 + 201) << c.name;
    }
    EXPECT_EQ(dir.entries().size(), 4u);
    EXPECT_EQ(kept.entries().size(), 3u);
}

}  // namespace
