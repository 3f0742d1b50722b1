#include "save_file.h"
#include "save_file_calls.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <mutex>
#include <set>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace E2 {
namespace io {

namespace {

int rename_in_cwd(char const* from, char const* to, unsigned flags) {
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

std::string name_of(std::string const& path) {
    std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The pid in "<name>.tmp<pid>", or 0 when `entry` is no temporary of `name`.
long temporary_pid(std::string const& entry, std::string const& name) {
    std::string const prefix = name + ".tmp";
    if (entry.size() <= prefix.size() || entry.size() > prefix.size() + 9 ||
        entry.compare(0, prefix.size(), prefix) != 0)
        return 0;
    long pid = 0;
    for (std::string::size_type i = prefix.size(); i < entry.size(); ++i) {
        if (entry[i] < '0' || entry[i] > '9') return 0;
        pid = pid * 10 + (entry[i] - '0');
    }
    return pid;
}

// A run killed mid-save leaves its temporary behind: those of processes that no longer
// exist are removed. One whose process still runs may be another instance's save.
void remove_stale_temporaries(std::string const& path, long own_pid) {
    std::string const folder = folder_of(path), name = name_of(path);
    DIR* d = opendir(folder.c_str());
    if (!d) return;
    while (dirent const* e = readdir(d)) {
        long pid = temporary_pid(e->d_name, name);
        if (pid <= 0 || pid == own_pid) continue;
        if (kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
        unlink((folder + "/" + e->d_name).c_str());
    }
    closedir(d);
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

// Creates the temporary with the same permissions fopen("wb") would give.
int open_temp(std::string const& tmp) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        int fd = open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
        unlink(tmp.c_str());  // left over by an earlier run with the same pid
    }
    return -1;
}

// Makes the rename itself durable; the new file is in place either way.
void sync_folder(std::string const& folder) {
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// Paths of records whose last read found them unreadable, those already told about, and
// those whose failed save was told.
struct UnreadableRecords {
    std::mutex lock;
    std::set<std::string> marked, told, failed;
};

UnreadableRecords& unreadable_records() {
    static UnreadableRecords* r = new UnreadableRecords;
    return *r;
}

void clear_unreadable(std::string const& path) {
    UnreadableRecords& r = unreadable_records();
    std::lock_guard<std::mutex> hold(r.lock);
    r.marked.erase(path);
}

// A save that failed is told once per path in a run, naming the file that could not be
// written (through a link, the one it leads to).
void tell_failed_save(std::string const& path, std::string const& target, std::string const& why) {
    UnreadableRecords& r = unreadable_records();
    std::lock_guard<std::mutex> hold(r.lock);
    if (r.failed.insert(path).second)
        std::fprintf(stderr, "lunerra: %s was not saved (%s)\n", target.c_str(), why.c_str());
}

// The mode and owner of the file being replaced go to the temporary. Changing the owner
// needs privileges the process may lack; the mode is kept either way.
void keep_mode_and_owner(int fd, struct stat const& old) {
    if (old.st_uid != geteuid() || old.st_gid != getegid()) {
        if (fchown(fd, old.st_uid, old.st_gid) != 0) {
            // Not permitted: the file becomes the user's, with the old mode.
        }
    }
    if (fchmod(fd, old.st_mode & 07777) != 0) {
        // The temporary keeps the user's default mode.
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

// Copies the bytes of `from` to a new file `to` (never over one) with `from`'s mode (and
// owner, where the process may set it) and syncs it: 0, or the reason of the first step that
// failed, leaving no partial copy. `unread`: `from` may not be opened for reading.
int copy_to_new(std::string const& from, std::string const& to, bool& unread) {
    int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
    unread = in < 0 && (errno == EACCES || errno == EPERM);
    if (in < 0) return errno;
    int out = open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    int err = out < 0 ? errno : 0;
    struct stat st {};
    if (!err && fstat(in, &st) != 0) err = errno;
    char buf[65536];
    for (ssize_t n; !err && (n = read(in, buf, sizeof buf)) != 0;) {
        if (n < 0 && errno != EINTR) err = errno;
        for (ssize_t done = 0; !err && done < n;) {
            ssize_t w = calls().write(out, buf + done, static_cast<std::size_t>(n - done));
            if (w > 0) done += w;
            else if (w == 0 || errno != EINTR) err = w == 0 ? EIO : errno;
        }
    }
    if (!err) keep_mode_and_owner(out, st);
    if (!err && fsync(out) != 0) err = errno;
    close(in);
    if (out >= 0 && close(out) != 0 && !err) err = errno;
    if (out >= 0 && err) unlink(to.c_str());
    return err;
}

std::string aside_name(std::string const& target, int n) {
    return target + ".unreadable" + (n ? "." + std::to_string(n) : std::string());
}

// How the unreadable bytes were kept aside.
enum class Kept { no, linked_or_copied, exchanged, moved };

// For a file that may be neither linked nor read: the new file (`tmp`) takes the first free
// aside name and is exchanged with the file at `target` in one step, so the path holds the
// old bytes or the new ones throughout and the aside name holds only whole bytes. Where the
// file system has no exchange, the old file is moved aside and the new one is to be renamed
// in after it (`moved`). The aside path, or "" with errno set.
std::string exchange_aside(std::string const& target, std::string const& tmp, int n, Kept& how) {
    bool exchange = true;
    for (; n < 10000; ++n) {
        std::string const aside = aside_name(target, n);
        if (exchange) {
            if (calls().rename(tmp.c_str(), aside.c_str(), RENAME_NOREPLACE) != 0) {
                if (errno == EEXIST) continue;
                return std::string();
            }
            if (calls().rename(aside.c_str(), target.c_str(), RENAME_EXCHANGE) == 0) {
                how = Kept::exchanged;
                return aside;
            }
            int const e = errno;
            bool const back = calls().rename(aside.c_str(), tmp.c_str(), RENAME_NOREPLACE) == 0;
            if (!back) unlink(aside.c_str());
            errno = e;
            if (!back || (e != EINVAL && e != ENOSYS && e != EOPNOTSUPP)) return std::string();
            exchange = false;
        }
        if (calls().rename(target.c_str(), aside.c_str(), RENAME_NOREPLACE) == 0) {
            how = Kept::moved;
            return aside;
        }
        if (errno != EEXIST) return std::string();
    }
    errno = EEXIST;
    return std::string();
}

// Keeps the bytes at `target` under "<target>.unreadable", or ".unreadable.1" and on where
// that is taken, never over an earlier one, while `target` itself stays in place until the
// new file is renamed over it: a second link where the file system allows, else a copy. A
// copy that fails fails the save; only a file that may be neither linked nor read is
// exchanged with the new file (see exchange_aside). The kept path, or "" with errno set.
std::string keep_aside(std::string const& target, std::string const& tmp, Kept& how) {
    for (int n = 0; n < 10000; ++n) {
        std::string const aside = aside_name(target, n);
        how = Kept::linked_or_copied;
        if (calls().link(target.c_str(), aside.c_str()) == 0) return aside;
        bool unread = false;
        int const e = errno == EEXIST ? EEXIST : copy_to_new(target, aside, unread);
        if (e == 0) return aside;
        if (e == EEXIST) continue;
        if (unread) return exchange_aside(target, tmp, n, how);
        errno = e;
        return std::string();
    }
    errno = EEXIST;
    return std::string();
}

// What stands at `target` may be replaced: nothing, or a plain file the user may write, or
// a record whose last read found it unreadable (`aside`: it is to be moved aside first).
// The reason when it may not.
bool may_replace(std::string const& path, std::string const& target, struct stat& old, bool& replacing, bool& aside,
                 std::string& why) {
    replacing = stat(target.c_str(), &old) == 0;
    aside = false;
    if (!replacing) return true;
    if (!S_ISREG(old.st_mode)) {
        why = "not a plain file";
        return false;
    }
    if (is_record_unreadable(path)) {
        aside = true;
        replacing = false;  // the new file does not take the unreadable one's mode
        return true;
    }
    if (access(target.c_str(), W_OK) != 0) {
        why = std::strerror(errno);
        return false;
    }
    return true;
}

// The save itself; false with the reason. `target` is the file it writes (or tried to).
bool save_through(std::string const& path, std::function<void(FILE*)> const& write, std::string& target,
                  std::string& why) {
    if (!link_target(path, target)) {
        why = std::strerror(errno);
        target = path;
        return false;
    }
    struct stat old {};
    bool replacing = false, aside = false;
    if (!may_replace(path, target, old, replacing, aside, why)) return false;
    long const pid = static_cast<long>(getpid());
    remove_stale_temporaries(target, pid);
    std::string tmp = target + ".tmp" + std::to_string(pid);
    FileSizeSignalIgnored no_sigxfsz;
    int fd = open_temp(tmp);
    if (fd < 0) {
        why = std::strerror(errno);
        return false;
    }
    if (replacing) keep_mode_and_owner(fd, old);
    FILE* f = fdopen(fd, "wb");
    if (!f) {
        why = std::strerror(errno);
        close(fd);
        unlink(tmp.c_str());
        return false;
    }
    errno = 0;
    try {
        write(f);
    } catch (...) {
        std::fclose(f);
        unlink(tmp.c_str());
        throw;
    }
    // The first step that fails gives the reason.
    int err = 0;
    auto done = [&err](bool ok) {
        if (!ok && err == 0) err = errno ? errno : EIO;
        return ok;
    };
    bool ok = done(!std::ferror(f)) && done(std::fflush(f) == 0) && done(fsync(fileno(f)) == 0);
    ok = done(std::fclose(f) == 0) && ok;
    // The unreadable bytes get their own name before the new file takes the path, so that
    // a kill at any point leaves a record at the path.
    std::string kept;
    Kept how = Kept::no;
    if (ok && aside) {
        kept = keep_aside(target, tmp, how);
        if (kept.empty()) {
            why = std::string("it cannot be read and could not be moved aside: ") + std::strerror(errno);
            unlink(tmp.c_str());
            return false;
        }
    }
    if (how != Kept::exchanged) ok = ok && done(calls().rename(tmp.c_str(), target.c_str(), 0) == 0);
    if (!ok) {
        // Back where it was, unless something else took the path meanwhile.
        if (how == Kept::moved) calls().rename(kept.c_str(), target.c_str(), RENAME_NOREPLACE);
        else if (how == Kept::linked_or_copied) unlink(kept.c_str());
        why = std::strerror(err);
        unlink(tmp.c_str());
        return false;
    }
    sync_folder(folder_of(target));
    if (!kept.empty()) {
        clear_unreadable(path);
        std::fprintf(stderr, "lunerra: %s could not be read; it was moved to %s\n", path.c_str(), kept.c_str());
    }
    return true;
}

}  // namespace

SaveCalls& save_calls() { return calls(); }

SaveCalls real_save_calls() { return SaveCalls{::link, rename_in_cwd, ::write}; }

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
    std::string target, why;
    if (save_through(path, write, target, why)) return true;
    tell_failed_save(path, target, why);
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
    remove_stale_temporaries(link_target(path, target) ? target : path, static_cast<long>(getpid()));
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
    clear_unreadable(path);
    return f;
}

void record_unreadable(std::string const& path, std::string const& why, std::string const& kept_until) {
    UnreadableRecords& r = unreadable_records();
    std::lock_guard<std::mutex> hold(r.lock);
    r.marked.insert(path);
    if (!r.told.insert(path).second) return;
    std::fprintf(stderr, "lunerra: %s cannot be read (%s); it is kept as it is until %s\n", path.c_str(),
                 why.c_str(), kept_until.c_str());
}

bool is_record_unreadable(std::string const& path) {
    UnreadableRecords& r = unreadable_records();
    std::lock_guard<std::mutex> hold(r.lock);
    return r.marked.count(path) != 0;
}

}  // namespace io
}  // namespace E2
