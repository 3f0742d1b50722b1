#include "os.h"

#include <cstdio>
#include <sys/stat.h>

#include "os_posix.h"

namespace E2 {

namespace {

bool is_directory(std::string const& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

OS& OS::operator=(OS const& o) {
    bpp_cached_ = o.bpp_cached_;
    bpp_value_ = o.bpp_value_;
    return *this;
}

OS::~OS() {}

unsigned char OS::bpp_once() {
    if (!bpp_cached_) {
        bpp_value_ = bpp();
        bpp_cached_ = true;
    }
    return bpp_value_;
}

bool OS::filepath_rename(std::string const& from, std::string const& to) {
    return !from.empty() && !to.empty() && std::rename(from.c_str(), to.c_str()) == 0;
}

// Climbs only as far as the first level that can be made or already exists,
// then makes the levels below it on the way back.
bool OS::filepath_mkdir_recursive(std::string const& path) {
    if (path.empty()) return false;
    if (filepath_mkdir(path) || is_directory(path)) return true;
    std::string parent = filepath_dirname(path);
    if (parent.empty()) return false;
    if (!filepath_mkdir_recursive(parent)) return false;
    return filepath_mkdir(path) || is_directory(path);
}

bool OS::find_first_exe(std::list<std::string> const& names, std::string& path) {
    for (auto const& name : names)
        if (find_exe(name, path)) return true;
    return false;
}

OS* os() {
    static OS* const the_os = new OS_Posix();
    return the_os;
}

}  // namespace E2
