#include <gtest/gtest.h>

#include "qdata.h"
#include "support.h"

namespace {

struct QData : ::testing::Test {
    test::TempDir dir;
    test::Archive archive{{{"a/menu.ogg", "OggS-track"},
                           {"i/menu/title_bg.jpg", "JPEG-bytes-of-title"},
                           {"i/menu/z.png", "z"}}};
    std::string path = dir.file("data/q.dat");

    void SetUp() override {
        archive.write(path);
        archive.use(path);
    }
    void TearDown() override { qdata_use_builtin(); }
};

TEST_F(QData, DottedAndUndottedNamesFindTheSameMember) {
    EXPECT_EQ(test::drain(qdata_find(".i/menu/title_bg.jpg")), "JPEG-bytes-of-title");
    EXPECT_EQ(test::drain(qdata_find("i/menu/title_bg.jpg")), "JPEG-bytes-of-title");
    EXPECT_EQ(test::drain(qdata_find(".a/menu.ogg")), "OggS-track");
    // Members on both sides of one another come out exactly.
    EXPECT_EQ(test::drain(qdata_find(".i/menu/z.png")), "z");
}

TEST_F(QData, ComparisonIsExactAndBytewise) {
    EXPECT_EQ(qdata_find(".I/menu/title_bg.jpg"), nullptr);
    EXPECT_EQ(qdata_find(".i/menu/title_bg.jpgx"), nullptr);
    EXPECT_EQ(qdata_find(".i/menu/title_bg.jp"), nullptr);
    EXPECT_EQ(qdata_find("./i/menu/title_bg.jpg"), nullptr);
    // Only one leading dot is dropped.
    EXPECT_EQ(qdata_find("..i/menu/title_bg.jpg"), nullptr);
}

TEST_F(QData, EmptyAndSingleDotNamesFindNothing) {
    test::Archive with_empty{{{"", "empty-named"}, {"i/x.png", "x"}}};
    with_empty.write(path);
    with_empty.use(path);
    // The empty name is looked up as it is; a single dot retries with the empty name.
    EXPECT_EQ(test::drain(qdata_find("")), "empty-named");
    EXPECT_EQ(test::drain(qdata_find(".")), "empty-named");

    archive.use(path);
    archive.write(path);
    EXPECT_EQ(qdata_find(""), nullptr);
    EXPECT_EQ(qdata_find("."), nullptr);
}

TEST_F(QData, EachLookupHasItsOwnBuffer) {
    SDL_RWops* a = qdata_find(".i/menu/title_bg.jpg");
    SDL_RWops* b = qdata_find(".i/menu/title_bg.jpg");
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    // Reading or writing one does not move or change the other.
    char c;
    ASSERT_EQ(SDL_RWread(a, &c, 1, 1), 1);
    SDL_RWseek(a, 0, RW_SEEK_SET);
    ASSERT_EQ(SDL_RWwrite(a, "!", 1, 1), 1);
    EXPECT_EQ(SDL_RWtell(a), 1);
    EXPECT_EQ(SDL_RWtell(b), 0);
    SDL_RWseek(a, 0, RW_SEEK_SET);
    EXPECT_EQ(test::drain(a), "!PEG-bytes-of-title");
    // Closing one frees only its own bytes.
    EXPECT_EQ(test::drain(b), "JPEG-bytes-of-title");
}

TEST_F(QData, MissingArchiveIsRetriedOnEveryLookup) {
    std::string later = dir.file("later/q.dat");
    archive.use(later);
    EXPECT_EQ(qdata_find(".a/menu.ogg"), nullptr);
    EXPECT_EQ(qdata_find(".a/menu.ogg"), nullptr);
    archive.write(later);
    EXPECT_EQ(test::drain(qdata_find(".a/menu.ogg")), "OggS-track");
    // Once open the file stays open: a replaced path on disk is not reopened.
    std::remove(later.c_str());
    EXPECT_EQ(test::drain(qdata_find(".i/menu/z.png")), "z");
}

TEST_F(QData, ShortMemberYieldsOnlyTheBytesOnDisk) {
    // The file ends 5 bytes into the title image and before z.png.
    long keep = 16 + static_cast<long>(archive.rows()[1].offset) + 5;
    archive.write(path, keep);
    archive.use(path);
    SDL_RWops* rw = qdata_find(".i/menu/title_bg.jpg");
    ASSERT_NE(rw, nullptr);
    EXPECT_EQ(SDL_RWseek(rw, 0, RW_SEEK_END), 5);
    SDL_RWseek(rw, 0, RW_SEEK_SET);
    EXPECT_EQ(test::drain(rw), "JPEG-");
    EXPECT_EQ(qdata_find(".i/menu/z.png"), nullptr);
    // A short read does not spoil the next lookup.
    EXPECT_EQ(test::drain(qdata_find(".a/menu.ogg")), "OggS-track");
}

TEST_F(QData, ArchiveIsFoundRelativeToTheWorkingFolder) {
    archive.use("data/q.dat");
    EXPECT_EQ(qdata_find(".a/menu.ogg"), nullptr);
    {
        test::InFolder in(dir.path());
        EXPECT_EQ(test::drain(qdata_find(".a/menu.ogg")), "OggS-track");
    }
}

TEST_F(QData, BuiltInIndexReadsDataQDat) {
    ASSERT_GT(qdata_row_count, 0u);
    QDataRow const& row = qdata_rows[0];
    ASSERT_EQ(row.offset, 0u);
    std::string bytes(row.size, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>('a' + i % 26);
    dir.write("data/q.dat", std::string(16, 'H') + bytes);

    qdata_use_builtin();
    test::InFolder in(dir.path());
    EXPECT_EQ(test::drain(qdata_find(std::string(".") + row.name)), bytes);
    EXPECT_EQ(test::drain(qdata_find(row.name)), bytes);
}

TEST(QDataIndex, RowsAreInByteOrderOfNames) {
    for (size_t i = 1; i < qdata_row_count; ++i) {
        EXPECT_LT(std::string(qdata_rows[i - 1].name), std::string(qdata_rows[i].name));
        EXPECT_EQ(qdata_rows[i].offset, qdata_rows[i - 1].offset + qdata_rows[i - 1].size);
    }
}

}  // namespace
