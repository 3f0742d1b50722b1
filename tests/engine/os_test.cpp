#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "os.h"
#include "temp_dir.h"

namespace {

E2::OS& the_os() { return *E2::os(); }

bool is_dir(std::string const& p) {
    struct stat st;
    return stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

TEST(OsPathTest, MergeDirnameAndKind) {
    E2::OS& os = the_os();
    EXPECT_EQ(os.filepath_merge("", "x"), "x");
    EXPECT_EQ(os.filepath_merge("a", ""), "a");
    EXPECT_EQ(os.filepath_merge("a/", "b"), "a//b");
    EXPECT_EQ(os.filepath_merge("a", "b"), "a/b");

    EXPECT_EQ(os.filepath_dirname("a/b/c"), "a/b");
    EXPECT_EQ(os.filepath_dirname("/a/b"), "/a");
    EXPECT_EQ(os.filepath_dirname("/a"), "");
    EXPECT_EQ(os.filepath_dirname("abc"), "");

    EXPECT_FALSE(os.filepath_is_relative(""));
    EXPECT_FALSE(os.filepath_is_absolute(""));
    EXPECT_TRUE(os.filepath_is_relative("a/b"));
    EXPECT_FALSE(os.filepath_is_absolute("a/b"));
    EXPECT_TRUE(os.filepath_is_absolute("/a"));
    EXPECT_FALSE(os.filepath_is_relative("/a"));
}

TEST(OsPathTest, EmptyPathsFail) {
    E2::OS& os = the_os();
    EXPECT_FALSE(os.filepath_mkdir(""));
    EXPECT_FALSE(os.filepath_mkdir_recursive(""));
    EXPECT_FALSE(os.filepath_remove(""));
    EXPECT_FALSE(os.filepath_rename("", "x"));
    EXPECT_FALSE(os.filepath_rename("x", ""));
}

TEST(OsPathTest, FileOperationsInTempFolder) {
    TempDir dir;
    E2::OS& os = the_os();
    std::string a = dir / "a", b = dir / "b";
    write_file(a, "1");
    EXPECT_TRUE(os.filepath_exists(a));
    EXPECT_TRUE(os.filepath_rename(a, b));
    EXPECT_FALSE(os.filepath_exists(a));
    os.filepath_set_utime(b, 1000000000L);
    struct stat st;
    ASSERT_EQ(stat(b.c_str(), &st), 0);
    EXPECT_EQ(st.st_mtime, 1000000000L);
    EXPECT_TRUE(os.filepath_remove(b));
    EXPECT_FALSE(os.filepath_remove(b));
}

TEST(OsPathTest, MkdirRecursiveReportsWhetherItMadeTheFolder) {
    TempDir dir;
    E2::OS& os = the_os();
    std::string deep = dir / "x/y/z";
    EXPECT_TRUE(os.filepath_mkdir_recursive(deep));
    EXPECT_TRUE(is_dir(deep));
    EXPECT_FALSE(os.filepath_mkdir_recursive(deep));  // already there
    EXPECT_TRUE(is_dir(deep));
    EXPECT_TRUE(os.filepath_mkdir_recursive(dir / "x/y/w"));  // beside an existing level
    write_file(dir / "file", "");
    EXPECT_FALSE(os.filepath_mkdir_recursive(dir / "file"));
    EXPECT_FALSE(os.filepath_mkdir_recursive(dir / "file/sub"));
}

// The save folder under a temporary home, never the real one.
class ConfDirTest : public ::testing::Test {
protected:
    TempDir home;
    ScopedEnv home_env{"HOME", home.path().c_str()};
    ScopedEnv xdg_env{"XDG_CONFIG_HOME", nullptr};
};

TEST_F(ConfDirTest, CreatesBothLevelsUnderConfig) {
    ASSERT_EQ(mkdir((home / ".config").c_str(), 0755), 0);
    std::string dir = the_os().conf_dir("Quorlan Games/Lunerra Solitaire");
    EXPECT_EQ(dir, home / ".config/Quorlan Games/Lunerra Solitaire");
    EXPECT_TRUE(is_dir(home / ".config/Quorlan Games"));
    EXPECT_TRUE(is_dir(dir));
    EXPECT_EQ(the_os().filepath_merge(dir, "options.dat"), dir + "/options.dat");
}

TEST_F(ConfDirTest, CreatesConfigItselfWhenMissing) {
    std::string dir = the_os().conf_dir("Quorlan Games/Lunerra Solitaire");
    EXPECT_TRUE(is_dir(dir));
}

TEST_F(ConfDirTest, ExistingFolderIsLeftAlone) {
    std::string dir = the_os().conf_dir("Maker/App");
    write_file(dir + "/keep.dat", "data");
    EXPECT_EQ(the_os().conf_dir("Maker/App"), dir);
    EXPECT_EQ(read_file(dir + "/keep.dat"), "data");
    EXPECT_EQ(TempDir::entries_of(dir).size(), 1u);
}

TEST_F(ConfDirTest, AbsoluteXdgConfigHomeWinsRelativeIsIgnored) {
    TempDir xdg;
    {
        ScopedEnv set("XDG_CONFIG_HOME", xdg.path().c_str());
        EXPECT_EQ(the_os().application_data_dir(), xdg.path());
        EXPECT_EQ(the_os().conf_dir("M/A"), xdg / "M/A");
    }
    ScopedEnv relative("XDG_CONFIG_HOME", "relative/cfg");
    EXPECT_EQ(the_os().application_data_dir(), home / ".config");
}

TEST(OsEnvTest, HomeFallsBackToUserDatabase) {
    ScopedEnv home("HOME", "");
    std::string dir = the_os().home_dir();
    EXPECT_TRUE(dir.empty() || dir[0] == '/');
    ScopedEnv set("HOME", "/some/where");
    EXPECT_EQ(the_os().home_dir(), "/some/where");
}

TEST(OsEnvTest, EnvSetAndTmpDir) {
    // Left set: putenv keeps the copy, which must stay reachable.
    the_os().env_set("LUNERRA_TEST_KEY", "1");
    ASSERT_NE(getenv("LUNERRA_TEST_KEY"), nullptr);
    EXPECT_STREQ(getenv("LUNERRA_TEST_KEY"), "1");

    ScopedEnv unset("TMPDIR", nullptr);
    EXPECT_EQ(the_os().tmp_dir(), "/tmp");
    ScopedEnv empty("TMPDIR", "");
    EXPECT_EQ(the_os().tmp_dir(), "/tmp");
    ScopedEnv set("TMPDIR", "/var/tmp");
    EXPECT_EQ(the_os().tmp_dir(), "/var/tmp");
}

TEST(OsExeTest, FindsProgramsOnPathOnly) {
    TempDir dir;
    std::string tool = dir / "tool", plain = dir / "plain";
    write_file(tool, "#!/bin/sh\n");
    write_file(plain, "");
    chmod(tool.c_str(), 0700);
    chmod(plain.c_str(), 0600);
    E2::OS& os = the_os();
    EXPECT_TRUE(os.path_is_exe(tool));
    EXPECT_FALSE(os.path_is_exe(plain));
    EXPECT_FALSE(os.path_is_exe(dir.path()));  // folders are not programs

    ScopedEnv path("PATH", ("/nonexistent:" + dir.path()).c_str());
    std::string found;
    EXPECT_TRUE(os.find_exe("tool", found));
    EXPECT_EQ(found, tool);
    EXPECT_FALSE(os.find_exe("plain", found));
    EXPECT_TRUE(os.find_exe(tool, found));
    found.clear();
    EXPECT_TRUE(os.find_first_exe({"missing", "plain", "tool"}, found));
    EXPECT_EQ(found, tool);
    ScopedEnv no_path("PATH", nullptr);
    EXPECT_FALSE(os.find_exe("tool", found));
}

TEST(OsProcessTest, ExecStartsProgramAndEndsCaller) {
    TempDir dir;
    std::string mark = dir / "mark";
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        E2::os()->exec("/bin/sh", {"-c", "echo started > '" + mark + "'"});
        _exit(3);  // exec returned: wrong
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    for (int i = 0; i < 200 && read_file(mark).empty(); ++i) usleep(10000);
    EXPECT_EQ(read_file(mark), "started\n");
}

TEST(OsMiscTest, OneObjectAndASystemReport) {
    EXPECT_EQ(E2::os(), E2::os());
    EXPECT_NE(the_os().sysinfo_blob().find("release: "), std::string::npos);
}

}  // namespace
