#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

#include "traffic/TrafficLog.h"

using namespace orvane;
namespace fs = std::filesystem;

namespace {

class TrafficLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("orvane-log-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir);
    }
    static std::string Read(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    TrafficLog::LocalClock FixedClock() {
        return [this] { return now; };
    }
    fs::path dir;
    TrafficTime now{2024, 3, 7, 14, 5, 12, 420};
};

TEST_F(TrafficLogTest, NamedByTheLocalTimeInTheFirstFolder) {
    TrafficLog log({dir.string()}, FixedClock());
    ASSERT_TRUE(log.Open()) << log.Error();
    EXPECT_EQ(log.FileName(), (dir / "2024_03_07_140512_log.txt").string());
    EXPECT_FALSE(log.UsingFallbackFolder());
}

TEST_F(TrafficLogTest, EachLineIsOnDiskWithCrLfBeforeTheNextIsWritten) {
    TrafficLog log({dir.string()}, FixedClock());
    ASSERT_TRUE(log.Open());
    ASSERT_TRUE(log.LogWriteItem("14:05:12  Tx : \\0538007905<CR>"));
    // Read while the file is still open: nothing waits in a buffer.
    EXPECT_EQ(Read(log.FileName()), "14:05:12  Tx : \\0538007905<CR>\r\n");
    ASSERT_TRUE(log.LogWriteItem("14:05:12  Tx :  = GA 5 On"));
    EXPECT_EQ(Read(log.FileName()), "14:05:12  Tx : \\0538007905<CR>\r\n14:05:12  Tx :  = GA 5 On\r\n");
}

TEST_F(TrafficLogTest, RollsOverAfterTheLimitWithoutOverwritingTheFullFile) {
    TrafficLog log({dir.string()}, FixedClock());
    log.SetLinesPerFile(3);
    ASSERT_TRUE(log.Open());
    const std::string first = log.FileName();
    for (int i = 1; i <= 7; ++i) ASSERT_TRUE(log.LogWriteItem("line " + std::to_string(i)));
    // Same second for every file: the later ones get a number.
    EXPECT_EQ(Read(first), "line 1\r\nline 2\r\nline 3\r\n");
    EXPECT_EQ(Read((dir / "2024_03_07_140512_2_log.txt").string()), "line 4\r\nline 5\r\nline 6\r\n");
    EXPECT_EQ(Read((dir / "2024_03_07_140512_3_log.txt").string()), "line 7\r\n");
    EXPECT_EQ(log.LineCount(), 1);
}

TEST_F(TrafficLogTest, RollOverTakesTheTimeOfTheChange) {
    TrafficLog log({dir.string()}, FixedClock());
    log.SetLinesPerFile(2);
    ASSERT_TRUE(log.Open());
    log.LogWriteItem("a");
    now.second = 59;
    log.LogWriteItem("b");
    EXPECT_EQ(log.FileName(), (dir / "2024_03_07_140559_log.txt").string());
}

TEST_F(TrafficLogTest, TheDefaultLimitIsOneHundredThousandLines) {
    TrafficLog log({dir.string()}, FixedClock());
    ASSERT_TRUE(log.Open());
    const std::string first = log.FileName();
    for (int i = 0; i < kLogLinesPerFile - 1; ++i) log.LogWriteItem("x");
    EXPECT_EQ(log.FileName(), first);
    log.LogWriteItem("x");  // the 100,000th line is the last of the first file
    EXPECT_NE(log.FileName(), first);
    EXPECT_EQ(log.LineCount(), 0);
    EXPECT_EQ(fs::file_size(first), static_cast<uintmax_t>(kLogLinesPerFile) * 3);
}

TEST_F(TrafficLogTest, AnUnwritableFolderFallsBackToTheNext) {
    // A "folder" that is a plain file cannot take a log, whoever runs the test.
    std::ofstream(dir / "program") << "not a folder";
    fs::create_directories(dir / "user");
    TrafficLog log({(dir / "program").string(), (dir / "user").string()}, FixedClock());
    ASSERT_TRUE(log.Open());
    EXPECT_TRUE(log.UsingFallbackFolder());
    EXPECT_EQ(log.Folder(), (dir / "user").string());
}

TEST_F(TrafficLogTest, NoFolderAtAllIsAnErrorNotACrash) {
    TrafficLog log({(dir / "missing" / "deeper").string()}, FixedClock());
    EXPECT_FALSE(log.Open());
    EXPECT_FALSE(log.Error().empty());
    EXPECT_FALSE(log.LogWriteItem("x"));
}

}  // namespace
