#include <windows.h>

#include <gtest/gtest.h>

#include "core/ListFile.h"
#include "platform/win32/SingleInstance.h"
#include "platform/win32/Win32CodePage932.h"
#include "platform/win32/Win32ProcessInfo.h"
#include "platform/win32/WideText.h"

namespace yomorina {
namespace {

TEST(Win32CodePage932, ConvertsJapaneseBothWaysWithBackslashTrailBytes) {
    win32::Win32CodePage932 codePage;
    EXPECT_EQ(codePage.FromUtf8("表ソ"), std::string("\x95\x5C\x83\x5C"));
    EXPECT_EQ(codePage.FromUtf8("ｶﾀｶﾅ ABC ゴミ箱"), std::string("\xB6\xC0\xB6\xC5 ABC \x83\x53\x83\x7E\x94\xA0"));
    EXPECT_EQ(codePage.ToUtf8("\x95\x5C\x8C\x76\x8E\x5A"), "表計算");
    EXPECT_EQ(codePage.FromUtf8(""), std::string());
}

TEST(Win32CodePage932, RefusesTextThatWouldTurnIntoQuestionMarks) {
    win32::Win32CodePage932 codePage;
    EXPECT_FALSE(codePage.FromUtf8("한국어").has_value());
    EXPECT_FALSE(codePage.FromUtf8("C:\\emoji😀").has_value());
    // A best-fit lookalike would silently name a different file.
    EXPECT_FALSE(codePage.FromUtf8("café").has_value());
}

TEST(Win32CodePage932, TheDefaultListFileRoundTripsThroughTheRealCodec) {
    win32::Win32CodePage932 codePage;
    LaunchList list;
    list[0] = {"メモ帳", "C:\\ソフト\\表.exe"};
    const std::string bytes = EncodeListFile({100, 5, 1, 0}, list, codePage);
    ScatterSettings settings;
    LaunchList reread;
    DecodeListFile(bytes, settings, reread, codePage);
    EXPECT_EQ(reread, list);
    EXPECT_EQ(bytes.substr(0, 3), " 10");
}

TEST(SingleInstance, OnlyTheFirstHolderInASessionIsFirst) {
    win32::SingleInstance first;
    ASSERT_TRUE(first.IsFirst());
    win32::SingleInstance second;
    EXPECT_FALSE(second.IsFirst());
}

TEST(Win32ProcessInfo, TheFolderOfTheExecutableHasNoTrailingBackslash) {
    win32::Win32ProcessInfo process;
    const std::string folder = process.ExecutableFolder();
    ASSERT_GE(folder.size(), 3u);
    EXPECT_EQ(folder[1], ':');
    if (folder.size() > 3) {
        EXPECT_NE(folder.back(), '\\');
    }
    wchar_t module[MAX_PATH];
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    EXPECT_EQ(win32::ToUtf8(module).rfind(folder, 0), 0u);
}

}  // namespace
}  // namespace yomorina
