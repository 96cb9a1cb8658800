#include "core/ListFile.h"

#include <gtest/gtest.h>

#include "tests/support/CodePage932Cases.h"
#include "tests/support/Fakes.h"
#include "tests/support/IconvCodePage932.h"

namespace yomorina {
namespace {

using testing::FakeFileStore;
using testing::FakeExecutableFolder;
using testing::IconvCodePage932;

const IconvCodePage932 codePage;
const std::string ListPath = "C:\\Tools\\Yomorina\\filelist.txt";

std::string Lines(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (auto line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

// The 64 lines of a file with the given numbers and texts, texts already in the file's encoding.
std::string FileWith(std::string_view distance, const std::vector<std::string>& texts, std::string_view pattern) {
    std::string file = Lines({distance, " 5 ", " 1 "});
    for (int i = 0; i < 60; ++i) file += (i < static_cast<int>(texts.size()) ? texts[i] : std::string()) + "\r\n";
    file += std::string(pattern) + "\r\n";
    return file;
}

struct Decoded {
    ScatterSettings settings;
    LaunchList list;
};

Decoded Decode(std::string_view bytes) {
    Decoded decoded;
    DecodeListFile(bytes, decoded.settings, decoded.list, codePage);
    return decoded;
}

// The file a new copy writes: 142 bytes.
std::string NewFile() {
    std::string file = "\x20\x31\x30\x30\x20\x0D\x0A\x20\x35\x20\x0D\x0A\x20\x31\x20\x0D\x0A";
    for (int i = 0; i < 60; ++i) file += "\x0D\x0A";
    return file + "\x20\x30\x20\x0D\x0A";
}

TEST(ListFileFormat, DefaultFileIsTheExact142Bytes) {
    const std::string& bytes = DefaultListFileBytes();
    EXPECT_EQ(bytes, NewFile());

    const auto decoded = Decode(bytes);
    EXPECT_EQ(decoded.settings, (ScatterSettings{100, 5, 1, 0}));
    EXPECT_EQ(decoded.list, LaunchList{});
}

TEST(ListFileFormat, NumberLinesHaveALeadingSpaceOrSignAndATrailingSpaceAndAreReadLeniently) {
    for (const auto& [value, line] : {std::pair<std::int16_t, std::string_view>{100, " 100 "}, {0, " 0 "}, {-5, "-5 "},
                                      {-32768, "-32768 "}, {32767, " 32767 "}}) {
        EXPECT_EQ(FormatNumberLine(value), line);
    }
    for (const auto& [line, value] : {std::pair<std::string_view, int>{" 100 ", 100}, {"7", 7}, {"-12 ", -12},
                                      {"+3", 3}, {" 32767", 32767}, {"-32768", -32768}, {"00012", 12}}) {
        EXPECT_EQ(ParseNumberLine(line), value) << line;
    }
    for (std::string_view unreadable : {"40000", "-32769", "", "   ", "abc", "12abc", "1 2", "-",
                                        "99999999999999999999", "--150", "+-5", "-+5", "++5", "- 5"}) {
        EXPECT_FALSE(ParseNumberLine(unreadable).has_value()) << unreadable;
    }
}

TEST(ListFileFormat, UnreadableValuesKeepWhatTheyHadAndShortFilesLeaveTheRestUntouched) {
    Decoded unreadable;
    unreadable.settings = {11, 22, 33, 3};
    DecodeListFile(Lines({"40000", "seven", " 4 "}), unreadable.settings, unreadable.list, codePage);
    EXPECT_EQ(unreadable.settings, (ScatterSettings{11, 22, 4, 3}));
    EXPECT_EQ(Decode(FileWith("7", {}, "x")).settings, (ScatterSettings{7, 5, 1, 0}));

    // Ends after slot 9's path: slots 10 to 29 and the pattern are never reached.
    std::string file = Lines({" 100 ", " 5 ", " 1 "});
    for (int slot = 0; slot < 10; ++slot) file += Lines({"name" + std::to_string(slot), "C:\\p" + std::to_string(slot)});
    const auto decoded = Decode(file);
    EXPECT_EQ(decoded.list[9].Path, "C:\\p9");
    EXPECT_EQ(decoded.list[10], LaunchEntry{});
    EXPECT_EQ(decoded.settings.BackgroundPattern, 0);

    // A last line without its line end is still a line; lone line feeds and carriage returns end lines too.
    EXPECT_EQ(Decode(" 123").settings.MoveDistance, 123);
    const auto lone = Decode(" 10 \n 2\r 3 \r\nname\npath\r");
    EXPECT_EQ(lone.settings, (ScatterSettings{10, 2, 3, 0}));
    EXPECT_EQ(lone.list[0], (LaunchEntry{"name", "path"}));
}

// Line 65 holds the call key, and only when one is set; lines past it are ignored.
TEST(ListFileFormat, TheCallKeyIsALineOfItsOwnAfterTheSixtyFourAndNoKeyIsNoLine) {
    const struct {
        const char* line65;  // null: the file ends after line 64
        std::int16_t key;
    } cases[] = {
        {nullptr, 0},   {" 1625 ", 1625}, {"1625", 1625}, {" 4095 ", 4095}, {" 65 ", 65},   {" 0 ", 0},
        {" 4096 ", 0},  {" 256 ", 0},     {" 1536 ", 0},  {"-5 ", 0},        {"Ctrl+Y", 0}, {"", 0},
        {"99999", 0},   {" 3 \r\n 1625 \r\nmore", 3},
    };
    const std::string list64 = FileWith(" 100 ", {"a", "b"}, " 2 ");
    for (const auto& c : cases) {
        Decoded decoded;
        decoded.settings.CallKey = 1625;  // missing or bad is no key, not the key the caller had
        const std::string file = c.line65 ? list64 + c.line65 + "\r\n" : list64;
        DecodeListFile(file, decoded.settings, decoded.list, codePage);
        EXPECT_EQ(decoded.settings, (ScatterSettings{100, 5, 1, 2, c.key})) << (c.line65 ? c.line65 : "(none)");
        EXPECT_EQ(decoded.list[0], (LaunchEntry{"a", "b"}));
    }

    ScatterSettings settings{100, 5, 1, 0};
    EXPECT_EQ(EncodeListFile(settings, LaunchList{}, codePage), NewFile()) << "no key, no line";
    settings.CallKey = 1625;  // Ctrl + Alt + Y
    EXPECT_EQ(EncodeListFile(settings, LaunchList{}, codePage), NewFile() + " 1625 \r\n");
    settings.CallKey = 0x1000;  // no key the control can report
    EXPECT_EQ(EncodeListFile(settings, LaunchList{}, codePage).size(), 142u);
}

TEST(ListFileFormat, TextsSurviveVerbatimAndSlotsKeepTheirPlaces) {
    ScatterSettings settings{120, 3, 2, 1};
    LaunchList list;
    list[0] = {"Word, Excel", "\"C:\\Office\\winword.exe\""};
    list[1] = {"  spaced  ", " C:\\a b\\c.exe "};
    list[4] = {"after a gap", "C:\\Tools\\edit.exe"};

    const std::string bytes = EncodeListFile(settings, list, codePage);
    std::string expected = Lines({" 120 ", " 3 ", " 2 ", "Word, Excel", "\"C:\\Office\\winword.exe\"", "  spaced  ",
                                  " C:\\a b\\c.exe "});
    expected += Lines({"", "", "", "", "after a gap", "C:\\Tools\\edit.exe"});
    for (int i = 0; i < 50; ++i) expected += "\r\n";
    expected += " 1 \r\n";
    EXPECT_EQ(bytes, expected);

    const auto decoded = Decode(bytes);
    EXPECT_EQ(decoded.settings, settings);
    EXPECT_EQ(decoded.list, list);
}

TEST(ListFileEncoding, JapaneseTextsAreCodePage932EvenWhenATrailByteIsABackslash) {
    LaunchList list;
    list[0] = {"表計算", "C:\\ソフト\\表.exe"};
    const std::string bytes = EncodeListFile(ScatterSettings{100, 5, 1, 0}, list, codePage);

    // 表 is 95 5C and ソ is 83 5C in Shift-JIS.
    EXPECT_NE(bytes.find("\x95\x5C\x8C\x76\x8E\x5A\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("C:\\\x83\x5C\x83\x74\x83\x67\\\x95\x5C.exe\r\n"), std::string::npos);
    EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(Decode(bytes).list, list);
}

// The stand-in for the system's conversion, held to what Windows does.
TEST(ListFileEncoding, TheCodePageReadsAndWritesAsWindowsDoes) {
    for (const auto& [bytes, text] : testing::CodePage932Readings) EXPECT_EQ(codePage.ToUtf8(bytes), text) << text;
    for (const auto& [text, bytes] : testing::CodePage932Writings) EXPECT_EQ(codePage.FromUtf8(text), bytes) << text;
}

TEST(ListFileEncoding, OnlyUtf8WithJapaneseIsTakenForUtf8NeverCodePage932OrAscii) {
    for (std::string_view text : {"メモ帳", "C:\\ソフト\\表.exe", "年賀状作成ソフト", "写真の整理　新しいフォルダー",
                                  "ｱﾌﾟﾘｹｰｼｮﾝ", "①②ⅢＡＢＣ"}) {
        EXPECT_FALSE(IsUtf8Text(*codePage.FromUtf8(text))) << text;
        EXPECT_TRUE(IsUtf8Text(text)) << text;
    }
    // ASCII, an overlong form, a surrogate, a character cut short.
    for (std::string_view other : {"C:\\notepad.exe", "\xC0\xAF", "\xED\xA0\x80", "\xE3\x81"}) EXPECT_FALSE(IsUtf8Text(other));

    // As Notepad saves it: no mark.
    EXPECT_EQ(Decode(FileWith(" 100 ", {"表計算", "C:\\表.exe"}, " 0 ")).list[0], (LaunchEntry{"表計算", "C:\\表.exe"}));
    // Half-width "ﾂ｡" is C2 A1 in code page 932, which is also UTF-8: saved with the mark to read back the same.
    LaunchList list;
    list[0] = {"ﾂ｡", "C:\\ﾂ｡.exe"};
    EXPECT_EQ(Decode(EncodeListFile(DefaultSettings, list, codePage)).list, list);
}

TEST(ListFileEncoding, TextsOutsideCodePage932SwitchTheWholeFileToUtf8WithAByteOrderMark) {
    LaunchList list;
    list[0] = {"表", "C:\\ソフト"};
    list[1] = {"Ελληνικά 😀", "C:\\Users\\한국어\\app.exe"};
    const std::string bytes = EncodeListFile(ScatterSettings{100, 5, 1, 2}, list, codePage);

    ASSERT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(bytes.find('?'), std::string::npos);
    EXPECT_NE(bytes.find("表\r\nC:\\ソフト\r\n"), std::string::npos);
    const auto decoded = Decode(bytes);
    EXPECT_EQ(decoded.list, list);
    EXPECT_EQ(decoded.settings, (ScatterSettings{100, 5, 1, 2}));
}

class ListFileOnDisk : public ::testing::Test {
protected:
    FakeFileStore store;
    FakeExecutableFolder executableFolder;
    ListFile listFile{store, codePage, executableFolder};
    Model model;
};

TEST_F(ListFileOnDisk, TheFileLiesBesideTheProgramWithOneBackslashEvenAtADriveRoot) {
    EXPECT_EQ(listFile.Path(), "C:\\Tools\\Yomorina\\filelist.txt");
    executableFolder.path = "D:\\";
    EXPECT_EQ(listFile.Path(), "D:\\filelist.txt");
}

TEST_F(ListFileOnDisk, AMissingFileIsCreatedWithTheDefaultsAndRead) {
    model.List[3] = {"stale", "stale"};
    model.Settings.BackgroundPattern = 3;
    EXPECT_FALSE(listFile.Load(model).has_value());
    EXPECT_EQ(store.files.at("C:\\Tools\\Yomorina\\filelist.txt"), NewFile());
    EXPECT_EQ(model.Settings, (ScatterSettings{100, 5, 1, 0}));
    EXPECT_EQ(model.List, LaunchList{});
}

// Beside a whole file it is an old failure, and goes; beside one cut short it stays.
TEST_F(ListFileOnDisk, AMissingFileIsTakenBackFromAWholeInterruptedSaveAndTheUserIsTold) {
    const std::string saved = "\xEF\xBB\xBF" + FileWith(" 300 ", {"memo", "C:\\memo.exe"}, " 2 ") + " 1625 \r\n";
    const std::string whole = FileWith(" 250 ", {}, " 0 ");
    // Whole, cut short mid-line, cut short after a line, beside the file itself cut short and whole.
    for (const auto& [interrupted, there] : {std::pair{saved, ""}, {saved.substr(0, saved.size() - 3), ""},
                                            {saved.substr(0, saved.find(" 2 ")), ""}, {saved, " 250 \r\n"},
                                            {saved, whole.c_str()}}) {
        store = FakeFileStore{};
        store.interrupted[ListPath] = interrupted;
        if (*there) store.files[ListPath] = there;
        const auto notice = listFile.Load(model);
        const bool takenBack = interrupted == saved && !*there;
        EXPECT_EQ(store.files.at(ListPath), takenBack ? saved : *there ? there : NewFile());
        EXPECT_EQ(model.Settings.MoveDistance, takenBack ? 300 : *there ? 250 : 100);
        EXPECT_EQ(store.interrupted.count(ListPath), std::string(there) == " 250 \r\n" ? 1u : 0u);
        EXPECT_EQ(notice.has_value(), takenBack);
        if (!notice) continue;
        EXPECT_EQ(notice->title, "メッセージ") << "a notice with OK alone";
        EXPECT_EQ(notice->text, "設定ファイル filelist.txt の保存が途中で終わっていたため、保存中だった内容から戻しました。\r\n" +
                                    ListPath);
    }
}

TEST_F(ListFileOnDisk, ValuesThatCannotBeReadKeepANewFilesValuesAndTheFileIsLeftAlone) {
    const std::string cutShort[] = {"", Lines({" 250 "}), Lines({"x", " 3 ", "", "a", "b"})};
    const ScatterSettings expected[] = {{100, 5, 1, 0}, {250, 5, 1, 0}, {100, 3, 1, 0}};
    for (int i = 0; i < 3; ++i) {
        store.files[ListPath] = cutShort[i];
        EXPECT_FALSE(listFile.Load(model).has_value());
        EXPECT_EQ(model.Settings, expected[i]) << i;
        EXPECT_EQ(store.files.at(ListPath), cutShort[i]);
    }
    EXPECT_EQ(model.List[0], (LaunchEntry{"a", "b"}));
    EXPECT_EQ(store.writes, 0);
}

TEST_F(ListFileOnDisk, AFileThatCannotBeReadIsReportedRunsAsNewAndIsNeverWrittenUntilRead) {
    store.files[ListPath] = FileWith(" 300 ", {"メモ", "C:\\memo.exe"}, " 2 ");
    store.unreadable[ListPath] = "別のプロセスが使用中のため、プロセスはファイルにアクセスできません。 (32)";
    model.Settings = {};
    const auto failure = listFile.Load(model);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->title, "エラー");
    EXPECT_EQ(failure->text, "設定ファイル filelist.txt を読み込めませんでした。ファイルはそのままにして、初期設定で動作します。\r\n" +
                            ListPath + "\r\n別のプロセスが使用中のため、プロセスはファイルにアクセスできません。 (32)");
    EXPECT_EQ(store.lastPatience, std::chrono::seconds(5));
    EXPECT_EQ(model.Settings, (ScatterSettings{100, 5, 1, 0}));
    EXPECT_EQ(store.writes, 0);
    EXPECT_EQ(listFile.ReloadIfChanged(model), ReloadOutcome::NotReadable);
    EXPECT_EQ(store.lastPatience, std::chrono::milliseconds(0)) << "a reread never waits on the program's thread";

    store.unreadable.clear();
    EXPECT_EQ(listFile.CompareWithDisk(), DiskState::NeverRead) << "readable, but not yet read";
    EXPECT_EQ(listFile.ReloadIfChanged(model), ReloadOutcome::Taken);
    EXPECT_EQ(model.Settings, (ScatterSettings{300, 5, 1, 2}));
    EXPECT_EQ(listFile.CompareWithDisk(), DiskState::AsLastSeen);
}

TEST_F(ListFileOnDisk, AHandEditIsAChangeAndOurOwnSaveIsNot) {
    model.List[0] = {"ours", "C:\\ours.exe"};
    ASSERT_FALSE(listFile.Save(model).has_value());
    EXPECT_EQ(listFile.CompareWithDisk(), DiskState::AsLastSeen);
    EXPECT_EQ(listFile.ReloadIfChanged(model), ReloadOutcome::Unchanged);

    store.files[ListPath] = FileWith(" 100 ", {"手で", "C:\\hand.exe"}, " 0 ");
    EXPECT_EQ(listFile.CompareWithDisk(), DiskState::ChangedSinceRead);
    EXPECT_EQ(listFile.ReloadIfChanged(model), ReloadOutcome::Taken);
    EXPECT_EQ(model.List[0], (LaunchEntry{"手で", "C:\\hand.exe"}));
    store.files.erase(ListPath);
    EXPECT_EQ(listFile.CompareWithDisk(), DiskState::AsLastSeen) << "nothing on disk to lose";
}

TEST_F(ListFileOnDisk, AFailedCreationIsReportedAndTheProgramRunsOnWithTheDefaults) {
    store.failWrites = true;
    const auto failure = listFile.Load(model);
    ASSERT_TRUE(failure.has_value());
    EXPECT_NE(failure->text.find("C:\\Tools\\Yomorina\\filelist.txt"), std::string::npos);
    EXPECT_NE(failure->text.find("アクセスが拒否されました。"), std::string::npos);
    EXPECT_EQ(model.Settings, (ScatterSettings{100, 5, 1, 0}));
}

TEST_F(ListFileOnDisk, SaveWritesTheWholeModelAndAFailedSaveSaysWhy) {
    model.Settings = {150, 2, 3, 1};
    model.List[2] = {"メモ帳", "C:\\Windows\\notepad.exe"};
    EXPECT_FALSE(listFile.Save(model).has_value());

    Model reread;
    listFile.Load(reread);
    EXPECT_EQ(reread.Settings, model.Settings);
    EXPECT_EQ(reread.List, model.List);

    store.failWrites = true;
    model.Settings.MoveDistance = 10;
    const auto failure = listFile.Save(model);
    ASSERT_TRUE(failure.has_value());
    EXPECT_NE(failure->find("保存できませんでした"), std::string::npos);
}

}  // namespace
}  // namespace yomorina
