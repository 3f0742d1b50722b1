#pragma once

#include "os.h"

namespace E2 {

// The platform object on Linux and other POSIX desktops. Saves go under
// $XDG_CONFIG_HOME, or ~/.config when that is unset or relative.
class OS_Posix : public OS {
public:
    OS_Posix() = default;
    OS_Posix(OS_Posix const&) = default;
    ~OS_Posix() override;

    std::string username() override;
    std::string home_dir() override;
    std::string application_data_dir() override;
    std::string conf_dir(std::string const& name) override;
    std::string tmp_dir() override;
    void browse_to(std::string const& what) override;
    void exec(std::string const& path, std::vector<std::string> const& args) override;
    void env_set(std::string const& key, std::string const& value) override;
    void set_title_icon(std::string const& name, unsigned long id) override;
    void window_to_back() override;
    void error_dialog(std::string const& text, bool fatal) override;
    unsigned char bpp() override;
    void sleep_ms(unsigned ms) override;
    bool filepath_exists(std::string const& path) override;
    std::string filepath_dirname(std::string const& path) override;
    bool filepath_is_relative(std::string const& path) override;
    bool filepath_is_absolute(std::string const& path) override;
    std::string filepath_merge(std::string const& a, std::string const& b) override;
    bool filepath_remove(std::string const& path) override;
    void filepath_set_hidden(std::string const& path, bool hidden) override;
    bool filepath_mkdir(std::string const& path) override;
    void filepath_set_utime(std::string const& path, long t) override;
    std::string get_clipboard_text() override;
    bool registry_get(std::string const& key, std::string const& name,
                      std::string& value, unsigned long& type) override;
    bool registry_put(std::string const& key, std::string const& name,
                      std::string const& value) override;
    bool notify_other_instances(std::string const& app, std::string const& msg) override;
    bool path_is_exe(std::string const& path) override;
    bool find_exe(std::string const& name, std::string& path) override;
    std::string sysinfo_blob() override;
    OS_Posix& operator=(OS_Posix const& o) = default;
};

}  // namespace E2
