#include "archive_file.h"

#include <fstream>
#include <iterator>

const std::vector<uint8_t>& archive_bytes() {
    static const std::vector<uint8_t> bytes = [] {
        std::ifstream f(LUNERRA_QDAT_PATH, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(f),
                                    std::istreambuf_iterator<char>());
    }();
    return bytes;
}

const QDataRow* index_row(const std::string& name) {
    for (size_t i = 0; i < qdata_row_count; ++i)
        if (name == qdata_rows[i].name) return &qdata_rows[i];
    return nullptr;
}

SDL_RWops* member_stream(const QDataRow& row) {
    const std::vector<uint8_t>& a = archive_bytes();
    if (a.size() < 16 + size_t(row.offset) + row.size) return nullptr;
    return SDL_RWFromConstMem(a.data() + 16 + row.offset, int(row.size));
}

std::vector<uint8_t> member_bytes(const QDataRow& row) {
    const std::vector<uint8_t>& a = archive_bytes();
    if (a.size() < 16 + size_t(row.offset) + row.size) return {};
    auto first = a.begin() + 16 + row.offset;
    return std::vector<uint8_t>(first, first + row.size);
}
