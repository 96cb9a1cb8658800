#include "core/Opener.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tuple>

#include "tests/support/FakeShell.h"

namespace yomorina {
namespace {

using ::testing::ElementsAre;
using namespace yomorina::testing;

SplitCommandLine Split(std::string_view commandLine, std::set<std::string> existing,
                       std::vector<std::string>* asked = nullptr) {
    return SplitFileAndParameters(commandLine, [&](std::string_view name) {
        if (asked) asked->emplace_back(name);
        return existing.count(std::string(name)) != 0;
    });
}

TEST(SplitFileAndParameters, TheLongestExistingPrefixEndingAtASpaceIsTheFileAndTheRestItsParameters) {
    const std::string program = "C:\\Program Files\\Editor\\ed.exe";
    struct Case {
        std::string commandLine;
        std::set<std::string> existing;
        SplitCommandLine split;
    };
    const Case cases[] = {
        {"C:\\Tools\\edit.exe", {"C:\\Tools\\edit.exe"}, {"C:\\Tools\\edit.exe", std::nullopt, true}},
        {"C:\\Tools\\edit.exe ", {"C:\\Tools\\edit.exe"}, {"C:\\Tools\\edit.exe", "", true}},
        {"C:\\Nothing\\gone.exe", {}, {"C:\\Nothing\\gone.exe", std::nullopt}},
        {"C:\\Program Files\\gone.exe C:\\a.txt", {}, {"C:\\Program Files\\gone.exe C:\\a.txt", std::nullopt}},
        // An unquoted path must not run C:\Program with the rest as its arguments.
        {program + " C:\\a.txt", {"C:\\Program", program}, {program, "C:\\a.txt", true}},
        {program, {"C:\\Program", program}, {program, std::nullopt, true}},
        {"C:\\Tools\\a b.exe c d", {"C:\\Tools\\a", "C:\\Tools\\a b.exe c"}, {"C:\\Tools\\a b.exe c", "d", true}},
        // A full-width space (U+3000) is part of the name.
        {"C:\\ゴミ　箱.exe", {"C:\\ゴミ　箱.exe"}, {"C:\\ゴミ　箱.exe", std::nullopt, true}},
        // A leading space is never a split point; runs of spaces stay in the parameters.
        {" x", {""}, {" x", std::nullopt}},
        {"C:\\a.exe  b", {"C:\\a.exe"}, {"C:\\a.exe", " b", true}},
        {"a  ", {"a"}, {"a", " ", true}},
    };
    for (const auto& [commandLine, existing, split] : cases) EXPECT_EQ(Split(commandLine, existing), split) << commandLine;
}

TEST(SplitFileAndParameters, CandidatesAreTriedFromTheRightmostSpaceLeftwardsAtRealSpacesOnly) {
    // 表 and ソ end in the byte 0x5C in Shift-JIS; in UTF-8 nothing looks like a separator or a space.
    const std::string program = "C:\\ソフト\\表計算 ツール.exe";
    const std::string document = "D:\\資料\\予算 案.txt";
    std::vector<std::string> asked;
    EXPECT_EQ(Split(program + " " + document, {program, document}, &asked), (SplitCommandLine{program, document, true}));
    EXPECT_THAT(asked, ElementsAre(program + " " + document, program + " D:\\資料\\予算", program));
    asked.clear();
    Split(" x", {""}, &asked);
    EXPECT_THAT(asked, ElementsAre(" x"));
}

// Written out by the rules programs split their command line with; RecordArguments reads them back for real.
TEST(QuotedParameters, DoublesBackslashesOnlyBeforeAQuoteSoThatProgramsReadTheArgumentBackWhole) {
    const std::pair<std::string, std::string> cases[] = {
        {R"(C:\My Documents\a b.txt)", R"("C:\My Documents\a b.txt")"},
        {R"(D:\)", R"("D:\\")"},
        {R"(C:\資料 フォルダ\)", R"("C:\資料 フォルダ\\")"},
        {R"(\\server\share\\)", R"("\\server\share\\\\")"},
        {R"(say "hi")", R"("say \"hi\"")"},
        {R"(a\"b)", R"("a\\\"b")"},
        {R"(表\ソ)", R"("表\ソ")"},
        {"", R"("")"},
    };
    for (const auto& [parameters, quoted] : cases) {
        EXPECT_EQ(QuotedParameters(parameters), quoted);
    }
    EXPECT_EQ(QuotedParameters(std::nullopt), "");
}

class OpenerTest : public ::testing::Test {
protected:
    bool Open(std::string_view commandLine, ShowState show = ShowState::Normal, WindowHandle owner = 0) {
        std::optional<bool> opened;
        Opener(shell).Open(std::string(commandLine), show, owner, [&](bool started) { opened = started; });
        shell.FinishSearches();
        return opened.value();
    }

    Journal journal;
    FakeShell shell{journal};
};

TEST_F(OpenerTest, OpensTheSplitCommandLineThroughTheShellWithTheShowStateAndTheOwnerGiven) {
    shell.existing = {"C:\\Program Files\\Editor\\ed.exe", "C:\\Tools\\edit.exe"};
    EXPECT_TRUE(Open("C:\\Program Files\\Editor\\ed.exe C:\\My Documents\\a b.txt", ShowState::Maximized, 0x1234));
    EXPECT_TRUE(Open("C:\\Tools\\edit.exe"));
    EXPECT_THAT(journal, ElementsAre("open C:\\Program Files\\Editor\\ed.exe | \"C:\\My Documents\\a b.txt\"",
                                     "open C:\\Tools\\edit.exe | "));
    EXPECT_EQ(std::tuple(shell.opened.at(0).Show, shell.opened[0].Owner, shell.opened[1].Show, shell.opened[1].Owner),
              std::tuple(ShowState::Maximized, 0x1234u, ShowState::Normal, 0u));
}

// A missing target is false after both tries.
TEST_F(OpenerTest, WhenTheShellRefusesAFoundFileThatFileIsStartedQuotedWithItsParameterAsOneArgument) {
    // Unquoted, the system would cut the text at its first space and start C:\Program.exe.
    const std::string program = "C:\\Program Files\\x\\app.exe";
    shell.existing = {"C:\\Program", "C:\\Program.exe", program};
    shell.refused = {program};
    shell.startable = {"\"" + program + "\" \"C:\\a b.txt\"", "\"" + program + "\""};
    EXPECT_TRUE(Open(program + " C:\\a b.txt"));
    EXPECT_TRUE(Open(program));
    EXPECT_FALSE(Open(R"(C:\Nothing\gone.exe)"));
    EXPECT_THAT(journal, ElementsAre("open " + program + " | \"C:\\a b.txt\"",
                                     "start " + program + " | \"" + program + "\" \"C:\\a b.txt\"",
                                     "open " + program + " | ", "start " + program + " | \"" + program + "\"",
                                     R"(open C:\Nothing\gone.exe | )", R"(start "C:\Nothing\gone.exe")"));
}

TEST_F(OpenerTest, WhereNothingWasFoundTheSystemGetsTheProgramPartQuotedSoThatItCannotCutAPathAtASpace) {
    const std::pair<std::string, std::string> cases[] = {
        {R"(C:\My Tools\x.exe)", R"("C:\My Tools\x.exe")"},
        {R"(C:\Program Files (x86)\a C:\a b.txt)", R"("C:\Program Files (x86)\a" C:\a b.txt)"},
        {R"(\\server\My Tools\x \\server\a.txt)", R"("\\server\My Tools\x" \\server\a.txt)"},
        {R"(C:\Tools\x one two)", R"("C:\Tools\x" one two)"},
        {R"(notepad notes\a b.txt)", R"("notepad" notes\a b.txt)"},
        {R"("C:\My Tools\x" a)", R"("C:\My Tools\x" a)"},
    };
    for (const auto& [commandLine, started] : cases) {
        Open(commandLine);
        EXPECT_EQ(journal.back(), "start " + started);
    }
}

TEST_F(OpenerTest, AnEmptyCommandLineLaunchesNothing) {
    EXPECT_FALSE(Open(""));
    EXPECT_TRUE(journal.empty());
    EXPECT_TRUE(shell.lookedUp.empty());
}

}  // namespace
}  // namespace yomorina
