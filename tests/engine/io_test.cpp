#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "io.h"

namespace {

using Bytes = std::string;

// A scratch stream that is rewound for reading.
class IoTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(f, nullptr); }
    void TearDown() override {
        if (f) std::fclose(f);
    }

    Bytes written() {
        std::fflush(f);
        long end = std::ftell(f);
        std::rewind(f);
        Bytes b(static_cast<std::size_t>(end), '\0');
        EXPECT_EQ(std::fread(&b[0], 1, b.size(), f), b.size());
        return b;
    }
    void load(Bytes const& b) {
        std::fwrite(b.data(), 1, b.size(), f);
        std::rewind(f);
    }

    FILE* f = std::tmpfile();
};

TEST_F(IoTest, IntegersAreBigEndian) {
    E2::io::write_i32(f, -2);
    E2::io::write_ui32(f, 0x8B901886u);
    E2::io::write_ui16(f, 0x1234);
    E2::io::write_i16(f, -3);
    E2::io::write_ui8(f, 0xAB);
    E2::io::write_i8(f, -1);
    E2::io::write_vec2(f, E2::Vec2<int>(3, -1));
    EXPECT_EQ(written(), Bytes("\xFF\xFF\xFF\xFE"
                               "\x8B\x90\x18\x86"
                               "\x12\x34"
                               "\xFF\xFD"
                               "\xAB\xFF"
                               "\x00\x00\x00\x03\xFF\xFF\xFF\xFF",
                               22));
    std::rewind(f);
    EXPECT_EQ(E2::io::read_i32(f), -2);
    EXPECT_EQ(E2::io::read_ui32(f), 0x8B901886u);
    EXPECT_EQ(E2::io::read_ui16(f), 0x1234);
    EXPECT_EQ(E2::io::read_i16(f), -3);
    EXPECT_EQ(E2::io::read_ui8(f), 0xAB);
    EXPECT_EQ(E2::io::read_i8(f), -1);
    E2::Vec2<int> v;
    E2::io::read_vec2(f, v);
    EXPECT_EQ(v, E2::Vec2<int>(3, -1));
}

TEST_F(IoTest, ShortReadsGiveZero) {
    load(Bytes("\x01\x02\x03", 3));
    EXPECT_EQ(E2::io::read_ui32(f), 0u);
    std::rewind(f);
    EXPECT_EQ(E2::io::read_i16(f), 0x0102);
    EXPECT_EQ(E2::io::read_ui16(f), 0);
    EXPECT_EQ(E2::io::read_ui8(f), 0);
    E2::Vec2<int> v(7, 7);
    E2::io::read_vec2(f, v);
    EXPECT_EQ(v, E2::Vec2<int>(0, 0));
    EXPECT_EQ(E2::io::read_string(f), "");
}

TEST_F(IoTest, StringEncoding) {
    E2::io::write_string(f, "");
    E2::io::write_string(f, "abc");
    E2::io::write_string(f, Bytes("a\0b", 3));
    EXPECT_EQ(written(), Bytes("\0\0\0\0"
                               "\0\0\0\x04" "abc\0"
                               "\0\0\0\x04" "a\0b\0",
                               20));
    std::rewind(f);
    EXPECT_EQ(E2::io::read_string(f), "");
    EXPECT_EQ(E2::io::read_string(f), "abc");
    EXPECT_EQ(E2::io::read_string(f), Bytes("a\0b", 3));
}

TEST_F(IoTest, ReadStringCountsZeroAndOne) {
    load(Bytes("\0\0\0\0" "\0\0\0\x01\0" "\0\0\0\x02x\0", 15));
    EXPECT_EQ(E2::io::read_string(f), "");
    EXPECT_EQ(std::ftell(f), 4);
    EXPECT_EQ(E2::io::read_string(f), "");
    EXPECT_EQ(std::ftell(f), 9);
    EXPECT_EQ(E2::io::read_string(f), "x");
    EXPECT_EQ(E2::io::read_string(f), "");  // at the end
    EXPECT_EQ(E2::io::read_ui32(f), 0u);
}

TEST_F(IoTest, TruncatedStringKeepsZeroTail) {
    load(Bytes("\0\0\0\x05" "ab", 6));
    EXPECT_EQ(E2::io::read_string(f), Bytes("ab\0\0", 4));
    EXPECT_EQ(E2::io::read_ui32(f), 0u);
}

TEST_F(IoTest, DamagedCountAboveBoundIsRejected) {
    // Count just past the bound, then data that must not be read as fields.
    std::uint32_t count = E2::io::max_string_count + 1;
    E2::io::write_ui32(f, count);
    E2::io::write_ui32(f, 0x11223344);
    E2::io::write_ui32(f, 0x55667788);
    std::rewind(f);
    EXPECT_EQ(E2::io::read_string(f), "");
    EXPECT_EQ(std::ftell(f), 12);  // left at the end
    EXPECT_EQ(E2::io::read_ui32(f), 0u);
    EXPECT_EQ(E2::io::read_string(f), "");

    std::rewind(f);
    E2::io::write_ui32(f, 0xFFFFFFFFu);
    std::rewind(f);
    EXPECT_EQ(E2::io::read_string(f), "");
    EXPECT_EQ(E2::io::read_i32(f), 0);
}

TEST_F(IoTest, CountAtTheBoundIsStillRead) {
    std::string body(E2::io::max_string_count - 1, 'q');
    E2::io::write_string(f, body);
    E2::io::write_ui8(f, 9);
    std::rewind(f);
    EXPECT_EQ(E2::io::read_string(f), body);
    EXPECT_EQ(E2::io::read_ui8(f), 9);
}

TEST_F(IoTest, AlignmentTo8Bytes) {
    E2::io::padto64(f);
    EXPECT_EQ(std::ftell(f), 0);
    E2::io::write_ui8(f, 1);
    E2::io::padto64(f);
    EXPECT_EQ(std::ftell(f), 8);
    E2::io::write_ui32(f, 2);
    E2::io::write_ui32(f, 3);
    E2::io::padto64(f);
    EXPECT_EQ(written(), Bytes("\x01\0\0\0\0\0\0\0" "\0\0\0\x02\0\0\0\x03", 16));

    std::fseek(f, 3, SEEK_SET);
    E2::io::seek_next64(f);
    EXPECT_EQ(std::ftell(f), 8);
    E2::io::seek_next64(f);
    EXPECT_EQ(std::ftell(f), 8);
    EXPECT_EQ(E2::io::read_ui32(f), 2u);
}

}  // namespace
