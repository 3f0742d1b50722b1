#pragma once

#include <list>
#include <string>
#include <vector>

namespace E2 {

// The engine's interface to the operating system: user folders, the
// per-user configuration folder, path operations, environment, processes
// and sleeping. Reached only through os().
class OS {
public:
    OS() = default;
    OS(OS const&) = default;
    OS& operator=(OS const& o) = default;
    virtual ~OS();

    virtual std::string username() = 0;
    virtual std::string home_dir() = 0;
    virtual std::string application_data_dir() = 0;
    // The folder `name` under application_data_dir(), created when missing.
    virtual std::string conf_dir(std::string const& name) = 0;
    virtual std::string tmp_dir() = 0;
    virtual void browse_to(std::string const& what) = 0;
    // Starts `path` with `args` in a child process, then ends this process.
    virtual void exec(std::string const& path, std::vector<std::string> const& args) = 0;
    virtual void env_set(std::string const& key, std::string const& value) = 0;
    virtual void set_title_icon(std::string const& name, unsigned long id) = 0;
    virtual void window_to_back() = 0;
    virtual void error_dialog(std::string const& text, bool fatal) = 0;
    virtual unsigned char bpp() = 0;
    // bpp() on the first call, the cached value afterwards.
    virtual unsigned char bpp_once();
    virtual void sleep_ms(unsigned ms) = 0;
    virtual bool filepath_exists(std::string const& path) = 0;
    virtual std::string filepath_dirname(std::string const& path) = 0;
    virtual bool filepath_is_relative(std::string const& path) = 0;
    virtual bool filepath_is_absolute(std::string const& path) = 0;
    virtual std::string filepath_merge(std::string const& a, std::string const& b) = 0;
    virtual bool filepath_remove(std::string const& path) = 0;
    virtual bool filepath_rename(std::string const& from, std::string const& to);
    virtual void filepath_set_hidden(std::string const& path, bool hidden) = 0;
    virtual bool filepath_mkdir(std::string const& path) = 0;
    // Makes `path` and any missing parents; true when `path` itself was made now (false
    // for a folder that already exists).
    virtual bool filepath_mkdir_recursive(std::string const& path);
    virtual void filepath_set_utime(std::string const& path, long t) = 0;
    virtual std::string get_clipboard_text() = 0;
    virtual bool registry_get(std::string const& key, std::string const& name,
                              std::string& value, unsigned long& type) = 0;
    virtual bool registry_put(std::string const& key, std::string const& name,
                              std::string const& value) = 0;
    virtual bool notify_other_instances(std::string const& app, std::string const& msg) = 0;
    virtual bool path_is_exe(std::string const& path) = 0;
    virtual bool find_exe(std::string const& name, std::string& path) = 0;
    virtual bool find_first_exe(std::list<std::string> const& names, std::string& path);
    virtual std::string sysinfo_blob() = 0;

protected:
    bool bpp_cached_ = false;
    unsigned char bpp_value_ = 0;
};

// The one platform object, created on first use and never destroyed.
OS* os();

}  // namespace E2
