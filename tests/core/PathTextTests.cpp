#include "core/PathText.h"

#include <gtest/gtest.h>

namespace yomorina {
namespace {

TEST(PathText, JoiningAddsABackslashOnlyWhereTheFolderLacksOne) {
    EXPECT_EQ(JoinFolderAndName("C:\\Tools", "help.html"), "C:\\Tools\\help.html");
    EXPECT_EQ(JoinFolderAndName("C:\\", "help.html"), "C:\\help.html");
    EXPECT_EQ(JoinFolderAndName("C:\\ソフト", "filelist.txt"), "C:\\ソフト\\filelist.txt");
}

TEST(PathText, TheTextAfterTheLastBackslashIsTheName) {
    EXPECT_EQ(TextAfterLastBackslash("C:\\Tools\\app.exe"), "app.exe");
    EXPECT_EQ(TextAfterLastBackslash("C:\\Data"), "Data");
    EXPECT_EQ(TextAfterLastBackslash("D:\\"), "");
    EXPECT_EQ(TextAfterLastBackslash("app.exe"), "app.exe");
    // In Shift-JIS the second byte of 表 is "\"; in our UTF-8 text it is not.
    EXPECT_EQ(TextAfterLastBackslash("C:\\表計算\\表.xls"), "表.xls");
}

}  // namespace
}  // namespace yomorina
