#include <gtest/gtest.h>

#include "md5.h"

namespace {

std::string md5(std::string const& s) {
    E2::MD5 m;
    m.append(s);
    m.finish();
    return m.hex();
}

TEST(MD5Test, RfcVectors) {
    EXPECT_EQ(md5(""), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(md5("a"), "0cc175b9c0f1b6a831c399e269772661");
    EXPECT_EQ(md5("abc"), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(md5("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
    EXPECT_EQ(md5("abcdefghijklmnopqrstuvwxyz"), "c3fcd3d76192e4007dfb496cca67e13b");
    EXPECT_EQ(md5("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
              "d174ab98d277d9f5a5611c2c9f419d9f");
    EXPECT_EQ(md5("1234567890123456789012345678901234567890123456789012345678901234567890123456789"
                  "0"),
              "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(MD5Test, IncrementalAppendAcrossBlocks) {
    std::string text;
    for (int i = 0; i < 300; ++i) text += static_cast<char>('a' + i % 26);
    for (std::size_t cut : {1u, 55u, 56u, 63u, 64u, 65u, 200u}) {
        E2::MD5 m;
        m.append(text.substr(0, cut));
        m.append(text.data() + cut, text.size() - cut);
        m.finish();
        EXPECT_EQ(m.hex(), md5(text)) << cut;
    }
    // Padding edge lengths: 55 bytes fit one block, 56 need two.
    EXPECT_EQ(md5(std::string(55, 'a')), "ef1772b6dff9a122358552954ad0df65");
    EXPECT_EQ(md5(std::string(56, 'a')), "3b0c8ac703f828b04c6c197006d17218");
}

TEST(MD5Test, FinishIsFinal) {
    E2::MD5 m;
    m.append("abc");
    m.finish();
    m.append("more");
    m.finish();
    EXPECT_EQ(m.hex(), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(m.digest()[0], 0x90);
}

}  // namespace
