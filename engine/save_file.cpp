#include "save_file.h"

#include <cerrno>
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
    std::string tmp = path + ".tmp" + std::to_string(static_cast<long>(getpid()));
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
