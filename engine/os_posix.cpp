#include "os_posix.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/utsname.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

#include "util.h"

namespace E2 {

namespace {

std::string env_or_empty(char const* key) {
    char const* v = std::getenv(key);
    return v ? std::string(v) : std::string();
}

passwd const* user_entry() {
    return getpwuid(getuid());
}

// argv for execvp, built before forking so the child only calls exec.
std::vector<char*> make_argv(std::vector<std::string>& words) {
    std::vector<char*> argv;
    for (auto& w : words) argv.push_back(&w[0]);
    argv.push_back(nullptr);
    return argv;
}

// Runs words[0] detached: the intermediate child exits at once and is
// reaped here, so the program leaves no zombie behind.
void spawn_detached(std::vector<std::string> words) {
    std::vector<char*> argv = make_argv(words);
    pid_t pid = fork();
    if (pid < 0) return;
    if (pid == 0) {
        pid_t grandchild = fork();
        if (grandchild == 0) {
            execvp(argv[0], argv.data());
            _exit(127);
        }
        _exit(grandchild < 0 ? 1 : 0);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
}

// The value after "key:" on the first line of a /proc file that starts with key.
std::string proc_field(char const* file, std::string const& key) {
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        if (!util::starts_with(line, key)) continue;
        std::string::size_type colon = line.find(':');
        if (colon == std::string::npos) continue;
        std::string::size_type b = line.find_first_not_of(" \t", colon + 1);
        return b == std::string::npos ? std::string() : line.substr(b);
    }
    return std::string();
}

}  // namespace

OS_Posix::~OS_Posix() {}

std::string OS_Posix::username() {
    passwd const* pw = user_entry();
    if (pw && pw->pw_name && *pw->pw_name) return pw->pw_name;
    std::string user = env_or_empty("USER");
    return user.empty() ? env_or_empty("USERNAME") : user;
}

std::string OS_Posix::home_dir() {
    std::string home = env_or_empty("HOME");
    if (!home.empty()) return home;
    passwd const* pw = user_entry();
    return pw && pw->pw_dir ? std::string(pw->pw_dir) : std::string();
}

std::string OS_Posix::application_data_dir() {
    std::string xdg = env_or_empty("XDG_CONFIG_HOME");
    if (filepath_is_absolute(xdg)) return xdg;
    return filepath_merge(home_dir(), ".config");
}

std::string OS_Posix::conf_dir(std::string const& name) {
    std::string path = filepath_merge(application_data_dir(), name);
    filepath_mkdir_recursive(path);
    filepath_set_hidden(path, true);
    return path;
}

std::string OS_Posix::tmp_dir() {
    std::string tmp = env_or_empty("TMPDIR");
    return tmp.empty() ? std::string("/tmp") : tmp;
}

void OS_Posix::browse_to(std::string const& what) {
    spawn_detached({"xdg-open", what});
}

void OS_Posix::exec(std::string const& path, std::vector<std::string> const& args) {
    std::vector<std::string> words{path};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv = make_argv(words);
    std::fflush(nullptr);
    pid_t pid = fork();
    if (pid < 0) return;  // nothing started: keep running
    if (pid == 0) {
        execvp(argv[0], argv.data());
        _exit(127);
    }
    std::exit(0);
}

void OS_Posix::env_set(std::string const& key, std::string const& value) {
    // putenv keeps the pointer, so the copy lives for the rest of the run.
    putenv(util::dupc_str(key + "=" + value));
}

void OS_Posix::set_title_icon(std::string const&, unsigned long) {}

void OS_Posix::window_to_back() {}

void OS_Posix::error_dialog(std::string const&, bool) {}

unsigned char OS_Posix::bpp() { return 0; }

void OS_Posix::sleep_ms(unsigned ms) {
    timespec ts;
    ts.tv_sec = static_cast<time_t>(ms / 1000);
    ts.tv_nsec = static_cast<long>(ms % 1000) * 1000000L;
    nanosleep(&ts, nullptr);
}

bool OS_Posix::filepath_exists(std::string const& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

std::string OS_Posix::filepath_dirname(std::string const& path) {
    std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos || slash == 0) return std::string();
    return path.substr(0, slash);
}

bool OS_Posix::filepath_is_relative(std::string const& path) {
    return !path.empty() && path[0] != '/';
}

bool OS_Posix::filepath_is_absolute(std::string const& path) {
    return !path.empty() && path[0] == '/';
}

std::string OS_Posix::filepath_merge(std::string const& a, std::string const& b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return a + "/" + b;
}

bool OS_Posix::filepath_remove(std::string const& path) {
    return !path.empty() && unlink(path.c_str()) == 0;
}

void OS_Posix::filepath_set_hidden(std::string const&, bool) {}

bool OS_Posix::filepath_mkdir(std::string const& path) {
    return !path.empty() && mkdir(path.c_str(), 0755) == 0;
}

void OS_Posix::filepath_set_utime(std::string const& path, long t) {
    utimbuf times;
    times.actime = static_cast<time_t>(t);
    times.modtime = static_cast<time_t>(t);
    utime(path.c_str(), &times);
}

std::string OS_Posix::get_clipboard_text() { return std::string(); }

bool OS_Posix::registry_get(std::string const&, std::string const&, std::string&,
                            unsigned long&) {
    return false;
}

bool OS_Posix::registry_put(std::string const&, std::string const&, std::string const&) {
    return false;
}

bool OS_Posix::notify_other_instances(std::string const&, std::string const&) {
    return false;
}

bool OS_Posix::path_is_exe(std::string const& path) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    return (st.st_mode & 0001) || ((st.st_mode & 0010) && st.st_gid == getgid()) ||
           ((st.st_mode & 0100) && st.st_uid == getuid());
}

bool OS_Posix::find_exe(std::string const& name, std::string& path) {
    if (filepath_is_absolute(name)) {
        if (!path_is_exe(name)) return false;
        path = name;
        return true;
    }
    std::string dirs = env_or_empty("PATH");
    if (dirs.empty()) return false;
    std::string::size_type begin = 0;
    while (begin <= dirs.size()) {
        std::string::size_type end = dirs.find(':', begin);
        if (end == std::string::npos) end = dirs.size();
        // An empty entry stands for the working folder.
        std::string candidate = filepath_merge(dirs.substr(begin, end - begin), name);
        if (path_is_exe(candidate)) {
            path = candidate;
            return true;
        }
        begin = end + 1;
    }
    return false;
}

std::string OS_Posix::sysinfo_blob() {
    std::string out;
    utsname u;
    if (uname(&u) == 0) {
        out += std::string(u.sysname) + "\n";
        out += std::string("release: ") + u.release + "\n";
        out += std::string("version: ") + u.version + "\n";
        out += std::string("machine: ") + u.machine + "\n";
    } else {
        out += "unknown system\n";
    }
    std::string memory = proc_field("/proc/meminfo", "MemTotal");
    if (!memory.empty()) out += "memory: " + memory + "\n";
    std::string cpu = proc_field("/proc/cpuinfo", "model name");
    if (!cpu.empty()) out += "processor: " + cpu + "\n";
    return out;
}

}  // namespace E2
