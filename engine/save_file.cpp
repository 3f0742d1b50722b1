#include "save_file.h"
#include "save_file_calls.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <set>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace E2 {
namespace io {

namespace {

// rename(2) with renameat2's flags (RENAME_NOREPLACE, RENAME_EXCHANGE); paths as rename takes them.
int rename_with_flags(char const* from, char const* to, unsigned flags) {
    return renameat2(AT_FDCWD, from, AT_FDCWD, to, flags);
}

SaveCalls& calls() {
    static SaveCalls c = real_save_calls();
    return c;
}

std::string folder_of(std::string const& path) {
    std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

bool same_file(struct stat const& a, struct stat const& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// Whether the file at `name` is still the one `fd` is open on.
bool names(std::string const& name, int fd) {
    struct stat held {}, named {};
    return fstat(fd, &held) == 0 && lstat(name.c_str(), &named) == 0 && same_file(held, named);
}

// flock, again where a signal interrupted it: 0, or -1 with errno.
int lock(int fd, int operation) {
    int r;
    while ((r = calls().flock(fd, operation)) != 0 && errno == EINTR) {
    }
    return r;
}

// Whether a lock failed because the file system takes none: saves then go on without.
bool locks_refused(int e) { return e == ENOLCK || e == EOPNOTSUPP || e == ENOSYS; }

// Whether `entry` is a temporary of the file `name`: "<name>.<16 hex digits>.tmp<pid>", or
// "<name>.tmp<pid>" as earlier versions named them.
bool is_temporary(std::string const& entry, std::string const& name) {
    if (entry.compare(0, name.size() + 1, name + ".") != 0) return false;
    std::string rest = entry.substr(name.size() + 1);
    if (rest.size() > 17 && rest[16] == '.' && rest.find_first_not_of("0123456789abcdef") == 16) rest.erase(0, 17);
    return rest.size() > 3 && rest.compare(0, 3, "tmp") == 0 &&
           rest.find_first_not_of("0123456789", 3) == std::string::npos;
}

// A save holds a lock on each temporary it makes until the temporary is renamed in or
// removed, so one whose lock can be taken belongs to no live save, in this pid namespace or
// any other: a run killed mid-save left it. Only those are removed; where the file system
// refuses locks, only those untouched for a day, longer than any save lasts. One that another
// clean-up took, or that was made again under its name, after the open is left alone.
void remove_stale_temporaries(std::string const& target) {
    std::time_t const a_day = 24 * 60 * 60;
    std::string const folder = folder_of(target), name = target.substr(target.rfind('/') + 1);
    DIR* d = opendir(folder.c_str());
    if (!d) return;
    while (dirent const* e = readdir(d)) {
        if (!is_temporary(e->d_name, name)) continue;
        std::string const tmp = folder + "/" + e->d_name;
        int fd = open(tmp.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat st {};
        bool const free = lock(fd, LOCK_EX | LOCK_NB) == 0 ||
                          (locks_refused(errno) && fstat(fd, &st) == 0 && std::time(nullptr) - st.st_mtime > a_day);
        if (free && names(tmp, fd)) unlink(tmp.c_str());
        close(fd);
    }
    closedir(d);
}

// An open descriptor, closed when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) close(fd_);
    }
    Descriptor(Descriptor const&) = delete;
    Descriptor& operator=(Descriptor const&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// A file this save made: removed when the save ends, unless its name was cleared (it was
// renamed in, or took a name it keeps). `lock` holds its lock until then.
struct Temporary {
    std::string name;
    int lock = -1;
    Temporary() = default;
    Temporary(Temporary const&) = delete;
    Temporary& operator=(Temporary const&) = delete;
    ~Temporary() {
        if (!name.empty()) unlink(name.c_str());
        if (lock >= 0) close(lock);
    }
};

// Makes `t` beside `target` under a name no other process holds (pid and random bits, never
// over an existing name) and locks it (where the file system refuses locks, the clean-up goes
// by age instead): a descriptor to write it through, or -1 with errno.
int make_temporary(Temporary& t, std::string const& target, mode_t mode) {
    for (int tries = 0; tries < 100; ++tries) {
        std::uint64_t r = 0;
        if (calls().getrandom(&r, sizeof r, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof r))
            r = static_cast<std::uint64_t>(std::clock()) * 0x9E3779B97F4A7C15u + static_cast<unsigned>(tries);
        char bits[17];
        std::snprintf(bits, sizeof bits, "%016llx", static_cast<unsigned long long>(r));
        std::string const name = target + "." + bits + ".tmp" + std::to_string(static_cast<long>(getpid()));
        int fd = open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) return -1;
        // A clean-up may have taken it between the open and the lock: then it is no longer ours.
        int const unlocked = (lock(fd, LOCK_EX) == 0 || locks_refused(errno)) ? 0 : errno;
        if (names(name, fd)) {
            t.name = name;
            t.lock = fd;
            if (!unlocked) return dup(fd);
            errno = unlocked;
            return -1;
        }
        close(fd);
    }
    errno = EEXIST;
    return -1;
}

// While it lives, a write past the file-size limit fails with EFBIG instead of ending the
// process with SIGXFSZ. A handler or disposition the program chose itself is left alone.
class FileSizeSignalIgnored {
public:
    FileSizeSignalIgnored() {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        changed_ = sigaction(SIGXFSZ, nullptr, &old_) == 0 && old_.sa_handler == SIG_DFL &&
                   sigaction(SIGXFSZ, &ignore, nullptr) == 0;
    }
    ~FileSizeSignalIgnored() {
        if (changed_) sigaction(SIGXFSZ, &old_, nullptr);
    }
    FileSizeSignalIgnored(FileSizeSignalIgnored const&) = delete;
    FileSizeSignalIgnored& operator=(FileSizeSignalIgnored const&) = delete;

private:
    struct sigaction old_ {};
    bool changed_ = false;
};

// Paths of records whose last read found them unreadable, and those already told about.
struct UnreadableRecords {
    std::set<std::string> marked, told;
};

UnreadableRecords& unreadable_records() {
    static UnreadableRecords* r = new UnreadableRecords;
    return *r;
}

// The mode and owner of the file being replaced go to the new one. Changing the owner needs
// privileges the process may lack; the mode is kept either way.
void keep_mode_and_owner(int fd, struct stat const& old) {
    if (old.st_uid != geteuid() || old.st_gid != getegid()) {
        if (fchown(fd, old.st_uid, old.st_gid) != 0) {
            // Not permitted: the file becomes the user's, with the old mode.
        }
    }
    if (fchmod(fd, old.st_mode & 07777) != 0) {
        // The file keeps the user's default mode.
    }
}

// The file that saving `path` replaces: the path itself or, where it is a symbolic link,
// the file the links lead to (which need not exist yet). False for a loop of links.
bool link_target(std::string const& path, std::string& target) {
    target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
        char to[4096];
        ssize_t n = readlink(target.c_str(), to, sizeof to);
        if (n == static_cast<ssize_t>(sizeof to)) errno = ENAMETOOLONG;
        if (n <= 0 || n == static_cast<ssize_t>(sizeof to)) return false;
        std::string const next(to, static_cast<std::size_t>(n));
        target = next[0] == '/' ? next : folder_of(target) + "/" + next;
    }
    errno = ELOOP;
    return false;
}

// Copies the bytes of `from` to the new temporary `copy` with `from`'s mode (and owner, where
// the process may set it), synced and closed: 0, or the reason of the first step that failed.
int copy_to_temporary(std::string const& from, Temporary& copy) {
    int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return errno;
    struct stat st {};
    int out = fstat(in, &st) == 0 ? make_temporary(copy, from, 0600) : -1;
    int err = out < 0 ? errno : 0;
    char buf[65536];
    for (ssize_t n; !err && (n = read(in, buf, sizeof buf)) != 0;) {
        if (n < 0 && errno != EINTR) err = errno;
        for (ssize_t done = 0; !err && done < n;) {
            ssize_t w = write(out, buf + done, static_cast<std::size_t>(n - done));
            if (w > 0) done += w;
            else if (w == 0 || errno != EINTR) err = w == 0 ? EIO : errno;
        }
    }
    close(in);
    if (!err) keep_mode_and_owner(out, st);
    if (!err && calls().fsync(out) != 0) err = errno;
    if (out >= 0 && calls().close(out) != 0 && !err) err = errno;
    return err;
}

std::string aside_name(std::string const& target, int n) {
    return target + ".unreadable" + (n ? "." + std::to_string(n) : std::string());
}

// Keeps the record at `target` under the first free aside name ("<target>.unreadable", then
// ".unreadable.1" and on), never over one, so that an aside name only ever holds a whole
// record: a second link where the file system allows, else a copy written and synced under
// a temporary name first (a copy that fails fails the save). A record that may be neither
// linked nor read is itself moved (`moved`): the new file `tmp` takes the aside name and is
// exchanged with it in one step, so the path holds the old bytes or the new ones throughout
// (`tmp` is then in); where the file system cannot exchange, the record is moved aside just
// before `tmp` is renamed in. The aside name, or "" with errno set.
std::string keep_aside(std::string const& target, Temporary& tmp, bool& moved) {
    Temporary copy;
    int copied = -1;  // not tried yet
    bool exchange = true;
    for (int n = 0; n < 10000; ++n) {
        std::string const aside = aside_name(target, n);
        if (calls().link(target.c_str(), aside.c_str()) == 0) return aside;
        if (errno == EEXIST) continue;
        if (copied < 0) copied = copy_to_temporary(target, copy);
        if (copied == 0) {
            // Linked, else (where the file system has no links) renamed; never over an aside.
            if (calls().link(copy.name.c_str(), aside.c_str()) == 0) return aside;
            if (errno != EEXIST && calls().rename(copy.name.c_str(), aside.c_str(), RENAME_NOREPLACE) == 0) {
                copy.name.clear();
                return aside;
            }
            if (errno == EEXIST) continue;
            return std::string();
        }
        errno = copied;
        if (copied != EACCES && copied != EPERM) return std::string();
        if (exchange) {
            std::string const own = tmp.name;
            if (calls().rename(own.c_str(), aside.c_str(), RENAME_NOREPLACE) != 0) {
                if (errno == EEXIST) continue;
                return std::string();
            }
            tmp.name = aside;
            if (calls().rename(aside.c_str(), target.c_str(), RENAME_EXCHANGE) == 0) {
                tmp.name.clear();
                moved = true;
                return aside;
            }
            int const e = errno;
            if (calls().rename(aside.c_str(), own.c_str(), RENAME_NOREPLACE) == 0) tmp.name = own;
            errno = e;
            if (tmp.name != own || (e != EINVAL && e != ENOSYS && e != EOPNOTSUPP)) return std::string();
            exchange = false;
        }
        if (calls().rename(target.c_str(), aside.c_str(), RENAME_NOREPLACE) == 0) {
            moved = true;
            return aside;
        }
        if (errno != EEXIST) return std::string();
    }
    errno = EEXIST;
    return std::string();
}

// The save itself: "" or the reason it failed; `where`, where the old record was left aside
// when it could not be put back. `target` is the file it writes (or tried to).
std::string save_through(std::string const& path, std::function<void(FILE*)> const& write, std::string& target,
                         std::string& where) {
    // Resolve the target: through links, the file they lead to.
    if (!link_target(path, target)) {
        target = path;
        return std::strerror(errno);
    }
    // Decide what stands there: nothing, a plain file the user may write (its mode and owner
    // pass to the new file), or a record whose last read found it unreadable, to keep aside.
    struct stat old {};
    bool const exists = stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) return "not a plain file";
    bool const aside = exists && is_record_unreadable(path);
    if (exists && !aside && access(target.c_str(), W_OK) != 0) return std::strerror(errno);
    // A record to keep aside is held open while the save lasts, so that the roll-back's look at
    // the path never takes another file for it (a freed file's number may be given again).
    Descriptor const held(aside ? open(target.c_str(), O_PATH | O_CLOEXEC) : -1);

    // Write and sync the temporary: until it is renamed in, the path keeps what it held.
    remove_stale_temporaries(target);
    FileSizeSignalIgnored no_sigxfsz;
    Temporary tmp;
    int fd = make_temporary(tmp, target, 0666);
    if (fd < 0) return std::strerror(errno);
    if (exists && !aside) keep_mode_and_owner(fd, old);
    FILE* f = fdopen(fd, "wb");
    if (!f) {
        close(fd);
        return std::strerror(errno);
    }
    errno = 0;
    try {
        write(f);
    } catch (...) {
        std::fclose(f);
        throw;
    }
    int err = 0;  // the first step that fails gives the reason
    auto done = [&err](bool ok) {
        if (!ok && err == 0) err = errno ? errno : EIO;
        return ok;
    };
    bool ok = done(!std::ferror(f)) && done(std::fflush(f) == 0) && done(calls().fsync(fileno(f)) == 0);
    ok = done(std::fclose(f) == 0) && ok;
    if (!ok) return std::strerror(err);

    // Keep a marked record aside before the new file takes its path, so that a kill at any
    // point leaves a record at the path (or, between a move and the rename in, aside).
    std::string kept;
    bool moved = false;
    if (aside) {
        kept = keep_aside(target, tmp, moved);
        if (kept.empty()) return std::string("it cannot be read and could not be moved aside: ") + std::strerror(errno);
    }

    // Rename in; where that fails, roll back: a moved record goes back unless something else
    // took the path meanwhile, and a copy or second link goes while the record still stands.
    if (!tmp.name.empty()) {
        if (calls().rename(tmp.name.c_str(), target.c_str(), 0) != 0) {
            int const e = errno;
            bool const back = moved ? calls().rename(kept.c_str(), target.c_str(), RENAME_NOREPLACE) == 0
                                    : kept.empty() || (names(target, held.get()) && unlink(kept.c_str()) == 0);
            if (!back) where = kept;
            return std::strerror(e);
        }
        tmp.name.clear();
    }

    // Tell: the rename is made durable (where the folder cannot be synced, the new record
    // stands but may not outlast a power cut: told once per path), and a record kept aside is
    // told with its new name.
    int dir = open(folder_of(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    int const unsynced = (dir < 0 || calls().fsync(dir) != 0) ? errno : 0;
    if (dir >= 0) close(dir);
    static std::set<std::string>* told = new std::set<std::string>;
    if (unsynced && told->insert(path).second)
        std::fprintf(stderr,
                     "lunerra: %s was saved, but its folder could not be synced (%s); the new record may not outlast "
                     "a power cut\n",
                     target.c_str(), std::strerror(unsynced));
    if (!kept.empty()) {
        unreadable_records().marked.erase(path);
        std::fprintf(stderr, "lunerra: %s could not be read; it was moved to %s\n", path.c_str(), kept.c_str());
    }
    return std::string();
}

}  // namespace

SaveCalls& save_calls() { return calls(); }

SaveCalls real_save_calls() { return SaveCalls{::link, rename_with_flags, ::fsync, ::close, ::flock, ::getrandom}; }

std::string bytes_of(std::function<void(FILE*)> const& write) {
    char* buf = nullptr;
    std::size_t size = 0;
    FILE* f = open_memstream(&buf, &size);
    if (!f) return std::string();
    write(f);
    bool const whole = !std::ferror(f) && std::fclose(f) == 0;
    std::string out = whole ? std::string(buf, size) : std::string();
    std::free(buf);
    return out;
}

bool save_file_atomically(std::string const& path, std::function<void(FILE*)> const& write) {
    if (path.empty()) return false;
    std::string target, where;
    std::string const why = save_through(path, write, target, where);
    if (why.empty()) return true;
    // Told once per path in a run, naming the file that could not be written (through a
    // link, the one it leads to); a failure that leaves the old record aside, every time.
    static std::set<std::string>* told = new std::set<std::string>;
    if (!told->insert(path).second && where.empty()) return false;
    if (!where.empty()) where = "; the old record is at " + where;
    std::fprintf(stderr, "lunerra: %s was not saved (%s)%s\n", target.c_str(), why.c_str(), where.c_str());
    return false;
}

FILE* open_record(std::string const& path, RecordState* state, std::string const& kept_until) {
    RecordState ignored;
    RecordState& st = state ? *state : ignored;
    st = RecordState::missing;
    if (path.empty()) return nullptr;
    // A record that is read and then found unchanged is not saved again: the temporaries
    // that killed runs left beside it (or beside the file its links lead to) go here.
    std::string target;
    remove_stale_temporaries(link_target(path, target) ? target : path);
    // A look first, so that a device is never opened; the descriptor's own type is what
    // counts, since the path may change in between.
    struct stat look {};
    if (stat(path.c_str(), &look) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) return nullptr;
        st = RecordState::unreadable;
        record_unreadable(path, std::strerror(errno), kept_until);
        return nullptr;
    }
    char const* why = "not a plain file";
    int fd = -1;
    if (S_ISREG(look.st_mode)) {
        fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) {
            if (errno == ENOENT) return nullptr;
            why = std::strerror(errno);
        } else if (fstat(fd, &look) != 0 || !S_ISREG(look.st_mode)) {
            close(fd);
            fd = -1;
        }
    }
    FILE* f = nullptr;
    if (fd >= 0) {
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        f = fdopen(fd, "rb");
        if (!f) {
            why = std::strerror(errno);
            close(fd);
        }
    }
    if (!f) {
        st = RecordState::unreadable;
        record_unreadable(path, why, kept_until);
        return nullptr;
    }
    st = RecordState::opened;
    unreadable_records().marked.erase(path);
    return f;
}

void record_unreadable(std::string const& path, std::string const& why, std::string const& kept_until) {
    UnreadableRecords& r = unreadable_records();
    r.marked.insert(path);
    if (!r.told.insert(path).second) return;
    std::fprintf(stderr, "lunerra: %s cannot be read (%s); it is kept as it is until %s\n", path.c_str(),
                 why.c_str(), kept_until.c_str());
}

bool is_record_unreadable(std::string const& path) { return unreadable_records().marked.count(path) != 0; }

}  // namespace io
}  // namespace E2
