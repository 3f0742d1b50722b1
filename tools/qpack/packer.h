#pragma once
// Packs the members of the data archive and writes its built-in index source.

#include <cstdint>
#include <string>
#include <vector>

namespace qpack {

struct Row {
    std::string name;
    uint32_t offset;  // from the end of the header
    uint32_t size;
    uint32_t crc;  // zlib's crc32 of the member's bytes
};

// The archive's 16 header bytes; the start-up check compares them.
extern const char header[16];

// Writes `archive`: the header, then the files in_dir/<name> back to back in byte order
// of the names. Returns the rows, or an empty vector with `error` set.
std::vector<Row> pack(const std::string& in_dir, std::vector<std::string> names,
                      const std::string& archive, std::string* error);

// C++ source defining qdata_header, qdata_rows and qdata_row_count for these rows.
std::string index_source(const std::vector<Row>& rows);

}  // namespace qpack
