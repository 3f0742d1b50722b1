#include <gtest/gtest.h>

#include <unistd.h>

#include "io_streams.h"

namespace {

using Bytes = std::vector<unsigned char>;

TEST(IoStreamsTest, DataStreamWritesBigEndian) {
    E2::io::ByteArrayOutputStream sink;
    E2::io::DataOutputStream data(&sink);
    EXPECT_TRUE(data.write_ui32(0x8B901886u));
    EXPECT_TRUE(data.write_i32(-2));
    EXPECT_TRUE(data.write_ui16(0x1234));
    EXPECT_TRUE(data.write_bool(true));
    EXPECT_TRUE(data.write_bool(false));
    EXPECT_EQ(sink.bytes(), (Bytes{0x8B, 0x90, 0x18, 0x86, 0xFF, 0xFF, 0xFF, 0xFE, 0x12, 0x34, 1, 0}));
}

TEST(IoStreamsTest, BufferedStreamPassesOnWhenFullOrFlushed) {
    E2::io::ByteArrayOutputStream sink;
    {
        E2::io::BufferedOutputStream buffered(&sink);
        std::vector<unsigned char> chunk(300, 7);
        EXPECT_TRUE(buffered.write(chunk.data(), chunk.size()));
        EXPECT_TRUE(sink.bytes().empty());
        EXPECT_TRUE(buffered.write(chunk.data(), chunk.size()));
        EXPECT_EQ(sink.bytes().size(), 512u);
        EXPECT_TRUE(buffered.flush());
        EXPECT_EQ(sink.bytes().size(), 600u);
        EXPECT_TRUE(buffered.write_byte(9));
    }
    ASSERT_EQ(sink.bytes().size(), 601u);  // drained when destroyed
    EXPECT_EQ(sink.bytes().back(), 9);
}

TEST(IoStreamsTest, FileDescriptorStreamAndDisownedClose) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    E2::io::FD_OutputStream out(fds[1], true);
    E2::io::DisownedOutputStream guard(&out);
    EXPECT_TRUE(guard.write("hi", 2));
    EXPECT_TRUE(guard.close());     // leaves the descriptor open
    EXPECT_TRUE(out.write("!", 1));
    EXPECT_TRUE(out.close());
    EXPECT_FALSE(out.write("x", 1));
    char buf[8] = {};
    EXPECT_EQ(read(fds[0], buf, sizeof buf), 3);
    EXPECT_STREQ(buf, "hi!");
    close(fds[0]);
}

TEST(IoStreamsTest, FileStreamsRoundTrip) {
    FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    E2::io::C_FILE_OutputStream out(f, false);
    EXPECT_TRUE(out.write("abc", 3));
    EXPECT_TRUE(out.close());  // not owned: only flushed
    std::rewind(f);
    E2::io::C_FILE_InputStream in(f, true);
    char buf[4] = {};
    EXPECT_EQ(in.read(buf, 4), 3u);
    EXPECT_STREQ(buf, "abc");
    EXPECT_EQ(in.read(buf, 4), 0u);
}

}  // namespace
