#pragma once
// The archive's built-in index rows, generated at build time together with data/q.dat.

#include <cstddef>
#include <cstdint>

struct QDataRow {
    const char* name;  // index name without the leading dot, e.g. "i/menu/title_bg.jpg"
    uint32_t offset;   // from the end of the 16-byte header
    uint32_t size;
    uint32_t crc;      // zlib's crc32 of the member's bytes
};

// The archive's first 16 bytes as the packer wrote them.
extern const unsigned char qdata_header[16];

// In byte order of their names.
extern const QDataRow qdata_rows[];
extern const size_t qdata_row_count;
