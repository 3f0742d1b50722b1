// qpack: packs the generated members into data/q.dat and writes the index source.

#include "members.h"
#include "packer.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

const char* const usage = "usage: qpack --in DIR --archive OUT/q.dat --index OUT/qdata_index.cpp\n";

// Leaves an unchanged file untouched, so that its dependants are not rebuilt.
bool write_if_changed(const std::string& path, const std::string& text) {
    {
        std::ifstream f(path, std::ios::binary);
        if (f && std::string(std::istreambuf_iterator<char>(f), {}) == text) return true;
    }
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f << text;
    return bool(f);
}

}  // namespace

int main(int argc, char** argv) {
    std::string in, archive, index;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        std::string* slot = arg == "--in"        ? &in
                            : arg == "--archive" ? &archive
                            : arg == "--index"   ? &index
                                                 : nullptr;
        if (!slot || i + 1 >= argc) {
            std::fprintf(stderr, "qpack: bad argument %s\n%s", arg.c_str(), usage);
            return 2;
        }
        *slot = argv[++i];
    }
    if (in.empty() || archive.empty() || index.empty()) {
        std::fprintf(stderr, "%s", usage);
        return 2;
    }
    std::vector<std::string> names;
    for (const assetgen::Member& m : assetgen::members()) names.push_back(m.name);

    std::string error;
    const std::vector<qpack::Row> rows = qpack::pack(in, names, archive, &error);
    if (rows.empty()) {
        std::fprintf(stderr, "qpack: error: %s\n", error.c_str());
        return 1;
    }
    uint64_t total = 0;
    for (const qpack::Row& r : rows) {
        if (r.size == 0) std::fprintf(stderr, "qpack: warning: empty member %s\n", r.name.c_str());
        total += r.size;
    }
    if (!write_if_changed(index, qpack::index_source(rows))) {
        std::fprintf(stderr, "qpack: error: cannot write %s\n", index.c_str());
        return 1;
    }
    std::printf("qpack: %zu members, %.1f MB in %s\n", rows.size(), double(total + 16) / 1e6,
                archive.c_str());
    return 0;
}
