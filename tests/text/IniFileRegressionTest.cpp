#include "text/IniFile.h"

#include <gtest/gtest.h>

namespace {

// Found by fuzzing resource.ini: a file marked as UTF-8 that holds Shift-JIS bytes gave a name that
// was not UTF-8. Each stray byte now becomes '?', as it does in the thread files.
TEST(IniFileRegressionTest, StrayBytesInAFileMarkedUtf8BecomeQuestionMarks)
{
    const std::string ini = "\xEF\xBB\xBF[NAME]\r\nName8=\x8C\xE4\x98V\r\nName1=a\xFF\xC3x\xE3\x81\r\n"
                            "Name2=\xE5\x90\x8D\r\n";
    EXPECT_EQ(FindIniValue(ini, "NAME", "Name8"), "???V");
    EXPECT_EQ(FindIniValue(ini, "NAME", "Name1"), "a??x??");
    EXPECT_EQ(FindIniValue(ini, "NAME", "Name2"), "名");
}

} // namespace
