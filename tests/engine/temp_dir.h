#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// A fresh folder under /tmp, removed with everything in it at the end.
class TempDir {
public:
    TempDir() {
        char tmpl[] = "/tmp/lunerra_test_XXXXXX";
        char* made = mkdtemp(tmpl);
        path_ = made ? made : "";
    }
    ~TempDir() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    TempDir(TempDir const&) = delete;
    TempDir& operator=(TempDir const&) = delete;

    std::string const& path() const { return path_; }
    std::string operator/(std::string const& name) const { return path_ + "/" + name; }

    std::vector<std::string> entries() const { return entries_of(path_); }

    static std::vector<std::string> entries_of(std::string const& folder) {
        std::vector<std::string> names;
        for (auto const& e : std::filesystem::directory_iterator(folder))
            names.push_back(e.path().filename().string());
        return names;
    }

private:
    std::string path_;
};

// Sets (or, with a null value, unsets) an environment variable until the end of the scope.
class ScopedEnv {
public:
    ScopedEnv(char const* key, char const* value) : key_(key) {
        char const* old = std::getenv(key);
        had_ = old != nullptr;
        if (had_) old_ = old;
        if (value) setenv(key, value, 1);
        else unsetenv(key);
    }
    ~ScopedEnv() {
        if (had_) setenv(key_.c_str(), old_.c_str(), 1);
        else unsetenv(key_.c_str());
    }
    ScopedEnv(ScopedEnv const&) = delete;
    ScopedEnv& operator=(ScopedEnv const&) = delete;

private:
    std::string key_, old_;
    bool had_ = false;
};

inline std::string read_file(std::string const& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void write_file(std::string const& path, std::string const& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}
