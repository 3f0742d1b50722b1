#include "qdata.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

// A memory stream over a buffer that it owns: its close frees the bytes and the record. It is
// built on the stream's function table alone, whatever a library keeps in its own streams.
struct OwnedStream {
    SDL_RWops rw;  // first, so the library's pointer is the record's
    Uint8* base;
    size_t size;
    size_t pos;
};

OwnedStream* owned(SDL_RWops* rw) { return reinterpret_cast<OwnedStream*>(rw); }

int owned_seek(SDL_RWops* rw, int offset, int whence) {
    OwnedStream* s = owned(rw);
    long long at = offset;
    if (whence == RW_SEEK_CUR)
        at += static_cast<long long>(s->pos);
    else if (whence == RW_SEEK_END)
        at += static_cast<long long>(s->size);
    else if (whence != RW_SEEK_SET) {
        SDL_SetError("Unknown value for 'whence'");
        return -1;
    }
    if (at < 0) at = 0;
    if (at > static_cast<long long>(s->size)) at = static_cast<long long>(s->size);
    s->pos = static_cast<size_t>(at);
    return static_cast<int>(s->pos);
}

int owned_read(SDL_RWops* rw, void* ptr, int size, int num) {
    OwnedStream* s = owned(rw);
    if (size <= 0 || num <= 0) return 0;
    // What is left of the last object is read too; only whole objects are counted.
    size_t bytes = std::min(static_cast<size_t>(size) * static_cast<size_t>(num), s->size - s->pos);
    std::memcpy(ptr, s->base + s->pos, bytes);
    s->pos += bytes;
    return static_cast<int>(bytes / static_cast<size_t>(size));
}

int owned_write(SDL_RWops* rw, void const* ptr, int size, int num) {
    OwnedStream* s = owned(rw);
    if (size <= 0 || num <= 0) return 0;
    size_t n = std::min(static_cast<size_t>(num), (s->size - s->pos) / static_cast<size_t>(size));
    size_t bytes = n * static_cast<size_t>(size);
    std::memcpy(s->base + s->pos, ptr, bytes);
    s->pos += bytes;
    return static_cast<int>(n);
}

int owned_close(SDL_RWops* rw) {
    if (rw) {
        free(owned(rw)->base);
        free(owned(rw));
    }
    return 0;
}

SDL_RWops* owned_mem_stream(void* buffer, size_t size) {
    auto* s = static_cast<OwnedStream*>(calloc(1, sizeof(OwnedStream)));
    if (!s || size > static_cast<size_t>(INT_MAX)) {
        free(s);
        free(buffer);
        return nullptr;
    }
    s->rw.seek = owned_seek;
    s->rw.read = owned_read;
    s->rw.write = owned_write;
    s->rw.close = owned_close;
    s->base = static_cast<Uint8*>(buffer);
    s->size = size;
    return &s->rw;
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
