// Start-up glue: the working folder becomes the one that holds the game's data, then
// the media layer's entry runs.

#include <unistd.h>

#include <climits>
#include <string>

#include "orb_main.h"

namespace {

std::string exe_dir() {
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return std::string();
    std::string path(buf, static_cast<std::size_t>(n));
    std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool has_data(std::string const& dir) { return access((dir + "/data/q.dat").c_str(), R_OK) == 0; }

// The executable's folder when the archive lies beside it (the build tree), else the
// installed data folder next to bin/.
void enter_data_folder() {
    std::string dir = exe_dir();
    if (dir.empty()) return;
    std::string installed = dir + "/../share/lunerra";
    std::string const& target = !has_data(dir) && has_data(installed) ? installed : dir;
    if (chdir(target.c_str()) != 0) {
        // Assets are then looked up relative to the folder the program was started in.
    }
}

}  // namespace

int main(int argc, char** argv) {
    enter_data_folder();
    return SDL_main(argc, argv);
}
