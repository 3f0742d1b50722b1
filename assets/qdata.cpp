#include "qdata.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <utility>
#include <vector>

namespace {

struct Member {
    uint32_t offset;
    uint32_t size;
    uint32_t crc;
    bool loose = false;  // damaged or cut in the archive: the loose file at its dotted name stands in
};

using Index = std::map<std::string, Member>;

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
        index->emplace(rows[i].name, Member{rows[i].offset, rows[i].size, rows[i].crc});
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
    if (it == idx.end() || it->second.loose) return nullptr;

    Archive& a = archive();
    if (!a.file) {
        a.file = fopen(a.path.c_str(), "rb");
        if (!a.file) return nullptr;
    }
    uint32_t offset = it->second.offset;
    uint32_t size = it->second.size;
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

namespace {

// The end of a member in the archive file.
unsigned long long end_of(Member const& m) { return header_size + 0ull + m.offset + m.size; }

// Opens the archive for the lookups and tells its size, or what keeps it from being read.
std::string open_archive(Archive& a, unsigned long long* have) {
    *have = 0;
    struct stat st {};
    if (a.file) {
        if (fstat(fileno(a.file), &st) == 0) *have = static_cast<unsigned long long>(st.st_size);
        return std::string();
    }
    std::string wrong;
    int fd = open(a.path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        wrong = errno == ENOENT ? "is missing" : std::string("cannot be read (") + std::strerror(errno) + ")";
    } else if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        wrong = "is not a file";
    } else {
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        a.file = fdopen(fd, "rb");
        if (a.file) fd = -1;
        else wrong = "cannot be read";
        *have = static_cast<unsigned long long>(st.st_size);
    }
    if (fd >= 0) close(fd);
    return wrong;
}

bool read_at(int fd, void* buffer, size_t size, unsigned long long at) {
    auto* p = static_cast<char*>(buffer);
    while (size > 0) {
        ssize_t got = pread(fd, p, size, static_cast<off_t>(at));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        p += got;
        size -= static_cast<size_t>(got);
        at += static_cast<unsigned long long>(got);
    }
    return true;
}

// Whether the member lies whole in the archive with the bytes it was packed with.
bool member_whole(int fd, unsigned long long have, Member const& m, std::vector<char>& buffer) {
    if (end_of(m) > have) return false;
    buffer.resize(std::max<size_t>(buffer.size(), m.size));
    return read_at(fd, buffer.data(), m.size, header_size + 0ull + m.offset) &&
           crc32(0, reinterpret_cast<Bytef const*>(buffer.data()), m.size) == m.crc;
}

}  // namespace

std::string qdata_check() {
    Index& idx = index();
    Archive& a = archive();
    unsigned long long needed = 0;
    for (auto const& m : idx) needed = std::max(needed, end_of(m.second));

    unsigned long long have = 0;
    std::string wrong = open_archive(a, &have);
    if (wrong.empty() && have < needed)
        wrong = have == 0 ? "is empty"
                          : "is cut short: it holds " + std::to_string(have) + " of its " + std::to_string(needed) +
                                " bytes";
    int const fd = a.file ? fileno(a.file) : -1;
    unsigned char header[header_size];
    bool const header_whole = fd < 0 || have < needed ||
                              (read_at(fd, header, sizeof header, 0) &&
                               std::memcmp(header, qdata_header, sizeof header) == 0);

    // Members that are not whole count as missing in an archive that is not there or cut
    // short, else as damaged, unless a loose file stands in for them.
    unsigned bad = 0;
    std::string first;
    std::vector<char> buffer;
    for (auto& m : idx) {
        m.second.loose = false;
        if (fd >= 0 && member_whole(fd, have, m.second, buffer)) continue;
        // Only images are ever read from loose files; a sound has no stand-in.
        std::string loose = "." + m.first;
        if (m.first.compare(0, 2, "i/") == 0 && access(loose.c_str(), R_OK) == 0) {
            m.second.loose = true;
            continue;
        }
        if (bad++ == 0) first = loose;
    }
    if (bad == 0 && header_whole) return std::string();

    char cwd[4096];
    std::string where = a.path + (getcwd(cwd, sizeof cwd) ? std::string(" in ") + cwd : std::string());
    std::string const what_to_do = " Reinstall the game, or rebuild it to make its data again.";
    if (!header_whole)
        return where + " is damaged: its first " + std::to_string(header_size) +
               " bytes are not the header it was packed with." + what_to_do;
    std::string count = std::to_string(bad) + " of the game's " + std::to_string(idx.size()) + " images and sounds";
    if (wrong.empty())
        return where + " is damaged: " + count +
               (bad == 1 ? " does not hold the bytes it was" : " do not hold the bytes they were") +
               " packed with (the first: " + first + ")." + what_to_do;
    return where + " " + wrong + ", so " + count + " are missing (the first: " + first + ")." + what_to_do;
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
