#include "save_file.h"

#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace E2 {
namespace io {

namespace {

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

}  // namespace

bool save_file_atomically(std::string const& path, std::function<void(FILE*)> const& write) {
    if (path.empty()) return false;
    long const pid = static_cast<long>(getpid());
    remove_stale_temporaries(path, pid);
    std::string tmp = path + ".tmp" + std::to_string(pid);
    FileSizeSignalIgnored no_sigxfsz;
    int fd = open_temp(tmp);
    if (fd < 0) return false;
    FILE* f = fdopen(fd, "wb");
    if (!f) {
        close(fd);
        unlink(tmp.c_str());
        return false;
    }
    try {
        write(f);
    } catch (...) {
        std::fclose(f);
        unlink(tmp.c_str());
        throw;
    }
    bool ok = std::fflush(f) == 0;
    ok = !std::ferror(f) && ok;
    ok = ok && fsync(fileno(f)) == 0;
    ok = std::fclose(f) == 0 && ok;
    ok = ok && std::rename(tmp.c_str(), path.c_str()) == 0;
    if (!ok) {
        unlink(tmp.c_str());
        return false;
    }
    sync_folder(folder_of(path));
    return true;
}

}  // namespace io
}  // namespace E2
