#include "corvix/function/filename.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "corvix/function/valblank.h"
#include "corvix/runtime/args.h"
#include "corvix/runtime/calllevel.h"
#include "corvix/runtime/datetime.h"

namespace corvix {
namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class LogFileTest : public testing::Test {
protected:
    void SetUp() override {
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        path_ = std::string(dir) + "corvix_log_" + std::to_string(GetCurrentProcessId()) + ".txt";
        DeleteFileA(path_.c_str());
    }
    void TearDown() override { DeleteFileA(path_.c_str()); }
    std::string path_;
};

TEST_F(LogFileTest, OneValueToAMissingFileMakesOneLineToTheByte) {
    LOGFILE(path_, {123});
    const std::string text = ReadAll(path_);
    EXPECT_TRUE(std::regex_match(text, std::regex(R"(\d\d/\d\d/\d\d \d\d:\d\d:\d\d: 123\t\r\n)"))) << text;
    EXPECT_EQ(text.substr(0, 8), DateToText(Today()));
}

TEST_F(LogFileTest, CallsAppendAndNeverTruncate) {
    LOGFILE(path_, {1});
    LOGFILE(path_, {2});
    const std::string text = ReadAll(path_);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2);
    EXPECT_NE(text.find(": 1\t\r\n"), std::string::npos);
    EXPECT_NE(text.find(": 2\t\r\n"), std::string::npos);
    EXPECT_LT(text.find(": 1\t"), text.find(": 2\t"));
}

TEST_F(LogFileTest, EveryValueIsFollowedByATab) {
    LOGFILE(path_, {"a", true, Value(), 0.5, -7});
    const std::string text = ReadAll(path_);
    EXPECT_EQ(text.substr(17), ": a\t.T.\t\t0.5\t-7\t\r\n");
    LOGFILE(path_, {});
    EXPECT_EQ(ReadAll(path_).substr(text.size() + 17), ":\x20\r\n");
}

TEST_F(LogFileTest, UTF8TextsAreWrittenAsGiven) {
    const std::string text = "\xD0\x96\xCF\x89\xE6\xBB\xA1";  // Cyrillic, Greek, Chinese
    LOGFILE(path_, {text});
    EXPECT_EQ(ReadAll(path_).substr(17), ": " + text + "\t\r\n");
}

TEST_F(LogFileTest, AnUnwritableNameReturnsQuietly) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    LOGFILE(dir, {1});                                       // a directory
    LOGFILE("Z:\\no\\such\\folder\\x.txt", {1});              // a bad path
    LOGFILE(path_, {1});
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_READONLY);
    LOGFILE(path_, {2});                                     // read-only
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    const std::string text = ReadAll(path_);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1);
}

TEST(ValToCharTest, EachTypeHasItsText) {
    EXPECT_EQ(CVALTOCHAR("x"), "x");
    EXPECT_EQ(CVALTOCHAR(false), ".F.");
    EXPECT_EQ(CVALTOCHAR(-12), "-12");
    EXPECT_EQ(CVALTOCHAR(2.25), "2.25");
    EXPECT_EQ(CVALTOCHAR(Array{1}), "{ ... }");
    EXPECT_EQ(CVALTOCHAR(Callback([](Args) { return Value(); })), "{|| ... }");
    EXPECT_EQ(CVALTOCHAR(std::make_shared<Object>()), "Object");
    EXPECT_EQ(CVALTOCHAR(Value()), "");
    EXPECT_EQ(CVALTOCHAR(Date{2026, 12, 7}), "12/07/26");
}

TEST(ValToCharTest, DecimalsAreAlwaysPlainDecimalText) {
    const struct {
        double value;
        const char* text;
    } cases[] = {{100000.0, "100000"}, {0.0001, "0.0001"}, {-1.5, "-1.5"}, {1e21, "1000000000000000000000"},
                 {0.1 + 0.2, "0.30000000000000004"}, {0.0, "0"}};
    for (const auto& c : cases) EXPECT_EQ(CVALTOCHAR(c.value), c.text);
}

// Date and time come from one clock reading, so the line before midnight
// and the one after never mix two days.
TEST(LogLineTest, DateAndTimeComeFromTheSameReading) {
    const SYSTEMTIME beforeMidnight{2026, 12, 4, 31, 23, 59, 59, 999};
    const SYSTEMTIME midnight{2027, 1, 5, 1, 0, 0, 0, 0};
    EXPECT_EQ(LogLine(beforeMidnight, {"x"}), "12/31/26 23:59:59: x\t\r\n");
    EXPECT_EQ(LogLine(midnight, {"x", 2}), "01/01/27 00:00:00: x\t2\t\r\n");
}

TEST(DateFormatTest, TheFormatCanChange) {
    EXPECT_EQ(DateFormat(), "mm/dd/yy");
    SetDateFormat("dd.mm.yyyy");
    EXPECT_EQ(DateToText({2026, 3, 9}), "09.03.2026");
    EXPECT_EQ(DateToText({}), "  .  .    ");
    SetDateFormat("mm/dd/yy");
}

TEST(LogStackTest, WritesTheHeaderTheProceduresByNameThenTheFrames) {
    DeleteFileA("stack.txt");
    RunAtLevel(CallLevel::At(std::source_location::current()), [] { LOGSTACK(); });
    const std::string text = ReadAll("stack.txt");
    EXPECT_NE(text.find(": \t\r\n"), std::string::npos);
    EXPECT_NE(text.find("LogStackTest_WritesTheHeaderTheProceduresByNameThenTheFrames_Test::TestBody\t\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(": LogStack() called\t\r\n"), std::string::npos);
    EXPECT_NE(text.find(": =================\t\r\n"), std::string::npos);
    EXPECT_NE(text.find(".exe+0x"), std::string::npos);
    DeleteFileA("stack.txt");
}

}  // namespace
}  // namespace corvix
