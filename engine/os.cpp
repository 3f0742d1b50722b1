#include "os.h"

#include <cstdio>

#include "os_posix.h"

namespace E2 {

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

// Climbs while a level cannot be made, then makes the levels below on the way back.
// True only when the last level was made now: a folder that exists already gives false.
bool OS::filepath_mkdir_recursive(std::string const& path) {
    if (path.empty()) return false;
    if (filepath_mkdir(path)) return true;
    std::string parent = filepath_dirname(path);
    if (parent.empty()) return false;
    if (!filepath_mkdir_recursive(parent)) return false;
    return filepath_mkdir(path);
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
