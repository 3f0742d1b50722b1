#include "qdata.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <utility>

namespace {

using Index = std::map<std::string, std::pair<uint32_t, uint32_t>>;

const long header_size = 16;

struct Archive {
    Index* index = nullptr;
    std::string path = "data/q.dat";
    FILE* file = nullptr;
};

Archive& archive() {
    static Archive* a = new Archive;
    return *a;
}

void close_archive() {
    Archive& a = archive();
    if (a.file) {
        fclose(a.file);
        a.file = nullptr;
    }
}

Index* build_index(QDataRow const* rows, size_t count) {
    auto* index = new Index;
    for (size_t i = 0; i < count; ++i)
        index->emplace(rows[i].name, std::make_pair(rows[i].offset, rows[i].size));
    return index;
}

Index& index() {
    Archive& a = archive();
    if (!a.index) {
        a.index = build_index(qdata_rows, qdata_row_count);
        atexit(close_archive);
    }
    return *a.index;
}

// A memory stream whose close also frees the buffer it reads.
int owned_mem_close(SDL_RWops* rw) {
    if (rw) {
        free(rw->hidden.mem.base);
        SDL_FreeRW(rw);
    }
    return 0;
}

SDL_RWops* owned_mem_stream(void* buffer, size_t size) {
    SDL_RWops* rw = SDL_RWFromMem(buffer, static_cast<int>(size));
    if (!rw) {
        free(buffer);
        return nullptr;
    }
    rw->close = owned_mem_close;
    return rw;
}

}  // namespace

SDL_RWops* qdata_find(std::string const& name) {
    Index& idx = index();
    auto it = idx.find(name);
    if (it == idx.end() && !name.empty() && name[0] == '.') it = idx.find(name.substr(1));
    if (it == idx.end()) return nullptr;

    Archive& a = archive();
    if (!a.file) {
        a.file = fopen(a.path.c_str(), "rb");
        if (!a.file) return nullptr;
    }
    uint32_t offset = it->second.first;
    uint32_t size = it->second.second;
    if (fseek(a.file, header_size + static_cast<long>(offset), SEEK_SET) != 0) return nullptr;
    void* buffer = malloc(size ? size : 1);
    if (!buffer) return nullptr;
    size_t got = fread(buffer, 1, size, a.file);
    if (got < size) clearerr(a.file);
    if (got == 0) {
        free(buffer);
        return nullptr;
    }
    return owned_mem_stream(buffer, got);
}

void qdata_use(QDataRow const* rows, size_t count, std::string const& archive_path) {
    index();  // the exit-time close is registered once
    Archive& a = archive();
    close_archive();
    delete a.index;
    a.index = build_index(rows, count);
    a.path = archive_path;
}

void qdata_use_builtin() { qdata_use(qdata_rows, qdata_row_count, "data/q.dat"); }
