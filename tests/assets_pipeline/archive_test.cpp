// The generated archive and its compiled index: layout, and every image decoding
// through the media layer's image decoder at its table size.

#include "archive_file.h"
#include "members.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstring>

using assetgen::Format;
using assetgen::Member;
using assetgen::members;

namespace {

// Decodes one member; null on failure.
SDL_Surface* decode(const QDataRow& row) {
    SDL_RWops* rw = member_stream(row);
    return rw ? IMG_Load_RW(rw, 1) : nullptr;
}

bool ends_with(const std::string& s, const std::string& e) {
    return s.size() >= e.size() && s.compare(s.size() - e.size(), e.size(), e) == 0;
}

// The frame header of a JPEG is SOF0 (baseline) and comes before the first scan.
bool jpeg_is_baseline(const std::vector<uint8_t>& b) {
    size_t i = 2;
    while (i + 4 <= b.size() && b[i] == 0xff) {
        const int marker = b[i + 1];
        if (marker == 0xc0) return true;
        if ((marker >= 0xc1 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 &&
             marker != 0xcc) || marker == 0xda)
            return false;
        i += 2 + (size_t(b[i + 2]) << 8 | b[i + 3]);
    }
    return false;
}

Uint8 alpha_at(SDL_Surface* s, int x, int y) {
    const Uint8* p = static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * 4;
    Uint32 v;
    std::memcpy(&v, p, 4);
    Uint8 r, g, b, a;
    SDL_GetRGBA(v, s->format, &r, &g, &b, &a);
    return a;
}

class AssetArchive : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(archive_bytes().empty()) << "cannot read " << LUNERRA_QDAT_PATH;
    }
};

}  // namespace

TEST_F(AssetArchive, IndexHoldsTheTableInByteOrder) {
    ASSERT_EQ(qdata_row_count, members().size());
    for (size_t i = 0; i < qdata_row_count; ++i) {
        EXPECT_EQ(members()[i].name, qdata_rows[i].name);
        if (i > 0) {
            EXPECT_LT(std::strcmp(qdata_rows[i - 1].name, qdata_rows[i].name), 0);
        }
    }
}

TEST_F(AssetArchive, MembersLieBackToBackAfterTheHeader) {
    uint64_t next = 0;
    for (size_t i = 0; i < qdata_row_count; ++i) {
        EXPECT_EQ(qdata_rows[i].offset, next) << qdata_rows[i].name;
        next = uint64_t(qdata_rows[i].offset) + qdata_rows[i].size;
    }
    EXPECT_EQ(archive_bytes().size(), 16 + next);
}

TEST_F(AssetArchive, ImagesDecodeAtTheirTableSize) {
    for (const Member& m : members()) {
        if (!m.is_image()) continue;
        const QDataRow* row = index_row(m.name);
        ASSERT_NE(row, nullptr) << m.name;
        const std::vector<uint8_t> bytes = member_bytes(*row);
        ASSERT_GT(bytes.size(), 32u) << m.name;
        if (m.format() == Format::png) {
            EXPECT_EQ(0, std::memcmp(bytes.data() + 12, "IHDR", 4)) << m.name;
            EXPECT_EQ(bytes[24], 8) << m.name << ": bit depth";
            EXPECT_EQ(bytes[25], 6) << m.name << ": colour type RGBA";
            EXPECT_EQ(bytes[28], 0) << m.name << ": interlaced";
        } else {
            EXPECT_TRUE(jpeg_is_baseline(bytes)) << m.name;
        }
        SDL_Surface* s = decode(*row);
        ASSERT_NE(s, nullptr) << m.name << ": " << IMG_GetError();
        EXPECT_EQ(s->w, m.w) << m.name;
        EXPECT_EQ(s->h, m.h) << m.name;
        if (m.format() == Format::png) {
            EXPECT_EQ(s->format->BitsPerPixel, 32) << m.name;
            EXPECT_NE(s->format->Amask, 0u) << m.name;
        } else {
            EXPECT_EQ(s->format->BitsPerPixel, 24) << m.name;
        }
        SDL_FreeSurface(s);
    }
}

// The play background starts at y 48 and the window is never cleared there.
TEST_F(AssetArchive, TopBarButtonsAreOpaque) {
    for (const Member& m : members()) {
        if (m.name.rfind("i/game/", 0) != 0 || m.name.find('/', 7) != std::string::npos) continue;
        if (m.h != 48 || ends_with(m.name, "_glow.png")) continue;
        SDL_Surface* s = decode(*index_row(m.name));
        ASSERT_NE(s, nullptr) << m.name;
        ASSERT_EQ(s->format->BytesPerPixel, 4) << m.name;
        int translucent = 0;
        for (int y = 0; y < s->h; ++y)
            for (int x = 0; x < s->w; ++x) translucent += alpha_at(s, x, y) != 255;
        EXPECT_EQ(translucent, 0) << m.name;
        SDL_FreeSurface(s);
    }
}

TEST_F(AssetArchive, CardsHaveTransparentCornersAndTheGlowAnOpenCentre) {
    for (const Member& m : members()) {
        if (m.name.rfind("i/game/cards/", 0) != 0) continue;
        SDL_Surface* s = decode(*index_row(m.name));
        ASSERT_NE(s, nullptr) << m.name;
        ASSERT_EQ(s->format->BytesPerPixel, 4) << m.name;
        EXPECT_EQ(alpha_at(s, 0, 0), 0) << m.name;
        EXPECT_EQ(alpha_at(s, s->w - 1, s->h - 1), 0) << m.name;
        const int centre = ends_with(m.name, "glow.png") ? 0 : 255;
        EXPECT_EQ(alpha_at(s, s->w / 2, s->h / 2), centre) << m.name;
        SDL_FreeSurface(s);
    }
}
