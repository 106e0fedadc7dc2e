#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "Fields.h"
#include "MemoryDialog.h"
#include "StartupFile.h"
#include "Document.h"
#include "Walks.h"

using namespace params;
namespace fs = std::filesystem;

namespace {

constexpr std::ptrdiff_t kModeOffset = 12 + 5 * 8;  // after twelve bytes and five two-character names

class SaveLoad : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("quillet-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        ApplyDefaults(dlg_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Path(const char* name) const { return (dir_ / name).string(); }
    Bytes Saved(MemoryDialog& dlg) {
        (void)Document().Save(Path("out.prm"), dlg);
        EXPECT_EQ(dlg.messages.back(), kSaveDone);
        Bytes b;
        EXPECT_TRUE(ReadFilePrefix(Path("out.prm"), 1 << 20, b));
        return b;
    }
    void Write(const char* name, const Bytes& bytes) { ASSERT_TRUE(WriteFileAtomically(Path(name), bytes)); }

    fs::path dir_;
    MemoryDialog dlg_;
};

TEST_F(SaveLoad, StartupValuesGiveThe118And170ByteFiles) {
    const Bytes base = Saved(dlg_);
    EXPECT_EQ(base.size(), 118u);
    EXPECT_EQ(base, kStartupBase);

    dlg_.SetChecked(IDC_ADVANCED_ENABLED, true);
    const Bytes full = Saved(dlg_);
    EXPECT_EQ(full.size(), 170u);
    EXPECT_EQ(full, kStartupFull);
}

TEST_F(SaveLoad, StartupStateOfTheChoices) {
    EXPECT_EQ(dlg_.At(IDC_USE_PORTRAIT).items, (std::vector<std::string>{"否", "是"}));
    EXPECT_EQ(dlg_.GetChoiceSelection(IDC_USE_PORTRAIT), 1);
    EXPECT_EQ(dlg_.At(IDC_HERO_ANIMATION_MODE).items.size(), 5u);
    EXPECT_EQ(dlg_.GetChoiceSelection(IDC_HERO_ANIMATION_MODE), 4);
    EXPECT_FALSE(dlg_.IsChecked(IDC_ADVANCED_ENABLED));
    EXPECT_EQ(dlg_.At(IDC_EQUIP_SLOT0).limit, 4);
    EXPECT_EQ(dlg_.At(IDC_PARTY_MAX_SIZE).limit, 1);
}

TEST_F(SaveLoad, TextsAreConvertedAsSavingSays) {
    dlg_.SetText(IDC_LEVELUP_HP0, "300");
    dlg_.SetText(IDC_LEVELUP_HP1, "-5");
    dlg_.SetText(IDC_LEVELUP_HP2, "abc");
    dlg_.SetText(IDC_EQUIP_SLOT0, "");
    dlg_.SelectChoiceItem(IDC_HERO_ANIMATION_MODE, -1);
    dlg_.SelectChoiceItem(IDC_USE_PORTRAIT, -1);
    const Bytes b = Saved(dlg_);
    EXPECT_EQ(b[0], 44);
    EXPECT_EQ(b[1], 251);
    EXPECT_EQ(b[2], 0);
    EXPECT_EQ(b[12], 0);
    EXPECT_EQ(b[13], 0);  // empty name: 00 00
    EXPECT_EQ(b.size(), 118u - 6);
    EXPECT_EQ(Bytes(b.begin() + 52 - 6, b.begin() + 59 - 6), Str("4*2*4"));  // the mode after five names
    EXPECT_EQ(b[b.size() - 3], 0);  // usePortrait without a selection
}

TEST_F(SaveLoad, VariedValuesRoundTripByteForByte) {
    dlg_.SetChecked(IDC_ADVANCED_ENABLED, true);
    dlg_.SetText(IDC_EQUIP_SLOT0, "");
    dlg_.SetText(IDC_EQUIP_SLOT1, "Sword of a long name");
    dlg_.SetText(IDC_ATTRIBUTE_NAME2, "风火雷电");
    dlg_.SetText(IDC_MENU_POS_X, "999");
    dlg_.SetText(IDC_INFO_DELAY, "-1");
    dlg_.SelectChoiceItem(IDC_HERO_ANIMATION_MODE, 3);
    dlg_.SelectChoiceItem(IDC_USE_PORTRAIT, 0);
    dlg_.SetColor(IDC_SLIDER_COLOR, 0xFF123456);  // a top byte only a file can bring
    dlg_.SetColor(IDC_ADVANCED_COLOR2, Rgb(1, 2, 3));
    dlg_.SetRows(IDC_SPRITE_TABLE, {{"0", "魔法", "x0", "300"}, {"100", "道具", "x1", "300"}, {"200", "魔法", "x2", "300"}});
    const Bytes first = Saved(dlg_);
    EXPECT_EQ(first.size(), 118u - 6 + 14 + 6 + 52 + 12);

    MemoryDialog fresh;
    ApplyDefaults(fresh);
    fresh.SetChecked(IDC_ADVANCED_ENABLED, true);
    (void)Document().Load(Path("out.prm"), fresh);
    EXPECT_EQ(fresh.messages.back(), kLoadDone);
    EXPECT_EQ(fresh.GetText(IDC_MENU_POS_X), "231");
    EXPECT_EQ(fresh.GetText(IDC_INFO_DELAY), "255");
    EXPECT_EQ(fresh.GetText(IDC_ATTRIBUTE_NAME2), "风火雷电");
    EXPECT_EQ(fresh.GetChoiceSelection(IDC_HERO_ANIMATION_MODE), 3);
    EXPECT_EQ(fresh.GetChoiceSelection(IDC_USE_PORTRAIT), 0);
    EXPECT_EQ(fresh.GetColor(IDC_SLIDER_COLOR), 0xFF123456u);
    ASSERT_EQ(fresh.GetRowCount(IDC_SPRITE_TABLE), 3);
    EXPECT_EQ(fresh.GetRows(IDC_SPRITE_TABLE)[2][0], "200");
    EXPECT_EQ(fresh.GetRows(IDC_SPRITE_TABLE)[1][1], "道具");
    EXPECT_EQ(fresh.GetRows(IDC_SPRITE_TABLE)[1][2], "0");
    EXPECT_EQ(fresh.GetRows(IDC_SPRITE_TABLE)[0][3], "44");
    EXPECT_EQ(Saved(fresh), first);
}

TEST_F(SaveLoad, BaseOnlyFileLeavesTheAdvancedControlsAndTableAlone) {
    Write("base.prm", kStartupBase);
    dlg_.SetChecked(IDC_ADVANCED_ENABLED, true);
    dlg_.SetText(IDC_DOUBLE_ATTACK, "77");
    dlg_.InsertRow(IDC_SPRITE_TABLE, 0, {"9"});
    dlg_.SetText(IDC_LEVELUP_HP0, "50");
    (void)Document().Load(Path("base.prm"), dlg_);
    EXPECT_EQ(dlg_.messages.back(), kLoadDone);
    EXPECT_EQ(dlg_.GetText(IDC_LEVELUP_HP0), "6");
    EXPECT_EQ(dlg_.GetText(IDC_DOUBLE_ATTACK), "77");
    EXPECT_EQ(dlg_.GetRowCount(IDC_SPRITE_TABLE), 1);
}

TEST_F(SaveLoad, AdvancedBlockIsSkippedWhileTheBoxIsClear) {
    Bytes full = kStartupFull;
    full[118] = 99;  // doubleAttack
    Write("full.prm", full);
    (void)Document().Load(Path("full.prm"), dlg_);
    EXPECT_EQ(dlg_.messages.back(), kLoadDone);
    EXPECT_EQ(dlg_.GetText(IDC_DOUBLE_ATTACK), "10");
}

TEST_F(SaveLoad, OpeningANamedFileTakesAllOfItWhateverTheSwitch) {
    Bytes full = kStartupFull;
    full[118] = 99;  // doubleAttack
    full.back() = 1;
    full.insert(full.end(), {3, 1, 5, 6});
    Write("full.prm", full);
    ASSERT_TRUE(Document().OpenWhole(Path("full.prm"), dlg_));
    EXPECT_TRUE(dlg_.messages.empty());  // success is silent: the caption names the file
    EXPECT_TRUE(dlg_.IsChecked(IDC_ADVANCED_ENABLED));
    EXPECT_EQ(dlg_.GetText(IDC_DOUBLE_ATTACK), "99");
    EXPECT_EQ(BytesToSave(dlg_), full);

    Write("base.prm", kStartupBase);
    ASSERT_TRUE(Document().OpenWhole(Path("base.prm"), dlg_));
    EXPECT_FALSE(dlg_.IsChecked(IDC_ADVANCED_ENABLED));
    EXPECT_EQ(BytesToSave(dlg_), kStartupBase);

    dlg_.SetChecked(IDC_ADVANCED_ENABLED, true);  // nothing of full.prm's advanced block and rows is left
    EXPECT_EQ(BytesToSave(dlg_), kStartupFull);
    EXPECT_FALSE(Document().OpenWhole(Path("none.prm"), dlg_));
    EXPECT_EQ(dlg_.messages, std::vector<std::string>{std::string(kLoadError)});
    EXPECT_TRUE(dlg_.IsChecked(IDC_ADVANCED_ENABLED));
}

TEST_F(SaveLoad, ModeNamesAndOddCodesLoadAsTheEditorShowsThem) {
    Bytes b = kStartupBase;
    b[b.size() - 3] = 2;  // usePortrait out of range
    Bytes mode = Str("4*2*3");
    std::copy(mode.begin(), mode.end(), b.begin() + kModeOffset);
    Bytes withRows = Cat({b, kStartupAdvanced});
    withRows.back() = 2;
    withRows.insert(withRows.end(), {5, 7, 1, 2, 6, 1, 3, 4});
    Write("odd.prm", withRows);
    dlg_.SetChecked(IDC_ADVANCED_ENABLED, true);
    (void)Document().Load(Path("odd.prm"), dlg_);
    EXPECT_EQ(dlg_.messages.back(), kLoadDone);
    EXPECT_EQ(dlg_.GetChoiceSelection(IDC_HERO_ANIMATION_MODE), 3);
    EXPECT_EQ(dlg_.GetChoiceSelection(IDC_USE_PORTRAIT), -1);
    EXPECT_EQ(dlg_.GetRows(IDC_SPRITE_TABLE)[0][1], "7");  // unknown category shows its code
    EXPECT_EQ(dlg_.GetRows(IDC_SPRITE_TABLE)[1][1], "道具");
    dlg_.SelectChoiceItem(IDC_USE_PORTRAIT, 1);
    const Bytes again = Saved(dlg_);
    EXPECT_EQ(again[again.size() - 7], 7);  // and survives a save

    for (std::string_view name : {"9", ""}) {
        Bytes other = kStartupBase;
        other.erase(other.begin() + kModeOffset, other.begin() + kModeOffset + 7);
        const Bytes s = Str(name);
        other.insert(other.begin() + kModeOffset, s.begin(), s.end());
        Write("mode.prm", other);
        dlg_.SelectChoiceItem(IDC_HERO_ANIMATION_MODE, 2);
        (void)Document().Load(Path("mode.prm"), dlg_);
        EXPECT_EQ(dlg_.messages.back(), kLoadDone);
        EXPECT_EQ(dlg_.GetChoiceSelection(IDC_HERO_ANIMATION_MODE), -1) << name;
    }
}

// Every cut of a valid file either is one of the complete lengths, or is
// refused with "读取错误" and not a single control changed.
TEST_F(SaveLoad, TruncatedFilesAreRefusedWithNothingChanged) {
    Bytes full = kStartupFull;
    full.back() = 2;
    full.insert(full.end(), {2, 0, 1, 1, 3, 1, 5, 6});
    for (bool checked : {false, true}) {
        for (std::size_t len = 0; len <= full.size(); ++len) {
            MemoryDialog dlg;
            ApplyDefaults(dlg);
            dlg.SetChecked(IDC_ADVANCED_ENABLED, checked);
            dlg.SetText(IDC_LEVELUP_HP0, "marker");
            dlg.InsertRow(IDC_SPRITE_TABLE, 0, {"row"});
            const MemoryDialog before = dlg;
            Write("cut.prm", Bytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(len)));
            (void)Document().Load(Path("cut.prm"), dlg);
            const bool complete = len == full.size() || len == kStartupBase.size() || (!checked && len > 118);
            if (complete) {
                EXPECT_EQ(dlg.messages.back(), kLoadDone) << len;
                EXPECT_EQ(dlg.GetText(IDC_LEVELUP_HP0), "6");
            } else {
                ASSERT_EQ(dlg.messages.back(), kLoadError) << "length " << len << " checked " << checked;
                for (const ParamDesc& p : Catalogue()) {
                    EXPECT_EQ(dlg.GetText(p.id), before.GetText(p.id)) << len << p.name;
                    EXPECT_EQ(dlg.GetColor(p.id), before.GetColor(p.id)) << len << p.name;
                    EXPECT_EQ(dlg.GetChoiceSelection(p.id), before.GetChoiceSelection(p.id)) << len << p.name;
                }
                EXPECT_EQ(dlg.GetRowCount(IDC_SPRITE_TABLE), 1);
                EXPECT_EQ(dlg.GetRows(IDC_SPRITE_TABLE)[0][0], "row");
            }
        }
    }
}

TEST_F(SaveLoad, OverlongAndNegativeStringCountsAreRefused) {
    for (std::uint8_t high : {0x01, 0x7F, 0x80, 0xFF}) {
        Bytes b = kStartupBase;
        b[12] = high;
        b.resize(b.size() + 600, 'x');  // enough bytes that the count would fit
        Write("bad.prm", b);
        dlg_.SetText(IDC_LEVELUP_HP0, "keep");
        (void)Document().Load(Path("bad.prm"), dlg_);
        EXPECT_EQ(dlg_.messages.back(), kLoadError) << int(high);
        EXPECT_EQ(dlg_.GetText(IDC_LEVELUP_HP0), "keep");
    }
}

TEST_F(SaveLoad, StringsStopAtTheirFirstZeroByte) {
    Bytes b = kStartupBase;
    b[14] = 'A';
    b[15] = 0;  // "A\0" + 4 more bytes inside the 6-byte field
    Write("zero.prm", b);
    (void)Document().Load(Path("zero.prm"), dlg_);
    EXPECT_EQ(dlg_.GetText(IDC_EQUIP_SLOT0), "A");
}

// A name that is not UTF-8 (another tool's encoding) loads repaired: each bad
// byte becomes U+FFFD, and the text is cut after the last whole character
// that the field holds, so what loads is exactly what saves.
TEST_F(SaveLoad, NamesThatAreNotUtf8LoadAsTheyWillSave) {
    const std::string bad(100, '\xFF');
    const std::string mixed = "a\xC3(\xE5\x8F\x82\xF0\x9F\x98\x80\xED\xA0\x80";  // cut pair, 参, U+1F600, a surrogate
    const Bytes file = Cat({Bytes(kStartupBase.begin(), kStartupBase.begin() + 12), Str(bad), Str(mixed),
                            Bytes(kStartupBase.begin() + 28, kStartupBase.end())});
    Write("foreign.prm", file);
    (void)Document().Load(Path("foreign.prm"), dlg_);
    EXPECT_EQ(dlg_.messages.back(), kLoadDone);
    std::string replaced;
    for (int i = 0; i < 85; ++i) replaced += "\uFFFD";  // 255 bytes
    EXPECT_EQ(dlg_.GetText(IDC_EQUIP_SLOT0), replaced);
    EXPECT_EQ(dlg_.GetText(IDC_EQUIP_SLOT1), "a\uFFFD(\u53C2\U0001F600\uFFFD\uFFFD\uFFFD");
    const Bytes saved = Saved(dlg_);
    EXPECT_EQ(Bytes(saved.begin() + 12, saved.begin() + 14 + 255), Str(replaced));
}

TEST_F(SaveLoad, MissingFileIsAReadError) {
    (void)Document().Load(Path("none.prm"), dlg_);
    EXPECT_EQ(dlg_.messages.back(), kLoadError);
}

TEST_F(SaveLoad, FailedSaveKeepsTheOldFileAndSaysSo) {
    Write("keep.prm", {1, 2, 3});
    dlg_.SetChecked(IDC_ADVANCED_ENABLED, true);
    for (int i = 0; i < 256; ++i) dlg_.InsertRow(IDC_SPRITE_TABLE, i, {"1"});
    (void)Document().Save(Path("keep.prm"), dlg_);
    EXPECT_EQ(dlg_.messages.back(), kSaveError);
    Bytes b;
    ASSERT_TRUE(ReadFilePrefix(Path("keep.prm"), 100, b));
    EXPECT_EQ(b, (Bytes{1, 2, 3}));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);  // no temporary left

    dlg_.SetText(IDC_EQUIP_SLOT3, std::string(256, 'x'));  // a count the file cannot hold
    dlg_.DeleteRow(IDC_SPRITE_TABLE, 0);
    (void)Document().Save(Path("keep.prm"), dlg_);
    EXPECT_EQ(dlg_.messages.back(), kSaveError);
    ASSERT_TRUE(ReadFilePrefix(Path("keep.prm"), 100, b));
    EXPECT_EQ(b, (Bytes{1, 2, 3}));

    dlg_.SetText(IDC_EQUIP_SLOT3, std::string(255, 'x'));  // 255 bytes and 255 rows fit
    const Bytes full = Saved(dlg_);
    EXPECT_EQ(full.size(), 170u + 255 - 6 + 4 * 255);
}

// Unsaved means a save would write other bytes than right after the last
// load or save: an edit and its undo cancel, "006" is 6, advanced values do
// not count while "使用" is clear, and "使用" itself does. Another program's
// change on disk is seen by its bytes.
TEST_F(SaveLoad, ADocumentIsModifiedExactlyWhenASaveWouldWriteOtherBytes) {
    Document doc;
    doc.Clear(dlg_);
    EXPECT_FALSE(doc.IsModified(dlg_));
    EXPECT_EQ(doc.Path(), "");
    dlg_.SetText(IDC_LEVELUP_HP0, "7");
    EXPECT_TRUE(doc.IsModified(dlg_));
    dlg_.SetText(IDC_LEVELUP_HP0, "006");
    EXPECT_FALSE(doc.IsModified(dlg_));
    dlg_.SetText(IDC_DOUBLE_ATTACK, "99");
    EXPECT_FALSE(doc.IsModified(dlg_));
    dlg_.SetChecked(IDC_ADVANCED_ENABLED, true);
    EXPECT_TRUE(doc.IsModified(dlg_));

    ASSERT_TRUE(doc.Save(Path("doc.prm"), dlg_));
    EXPECT_FALSE(doc.IsModified(dlg_));
    EXPECT_EQ(doc.Path(), Path("doc.prm"));
    EXPECT_FALSE(doc.ChangedOnDisk());
    Bytes b;
    ASSERT_TRUE(ReadFilePrefix(Path("doc.prm"), 1 << 20, b));
    b[0] = 9;
    Write("doc.prm", b);
    EXPECT_TRUE(doc.ChangedOnDisk());
    ASSERT_TRUE(doc.Load(Path("doc.prm"), dlg_));
    EXPECT_FALSE(doc.ChangedOnDisk());
    EXPECT_FALSE(doc.IsModified(dlg_));
    EXPECT_FALSE(doc.Load(Path("none.prm"), dlg_));  // a failed load keeps the document as it was
    EXPECT_EQ(doc.Path(), Path("doc.prm"));

    for (const char* value : {"8", "9"}) {  // each save lets go of the file it replaced
        dlg_.SetText(IDC_LEVELUP_HP0, value);
        ASSERT_TRUE(doc.Save(Path("doc.prm"), dlg_)) << value;
    }
    ASSERT_TRUE(ReadFilePrefix(Path("doc.prm"), 1 << 20, b));
    EXPECT_EQ(b[0], 9);
    fs::remove(Path("doc.prm"));
    EXPECT_TRUE(doc.ChangedOnDisk());
}

// The file last loaded or saved by whatever name reaches it; a new file
// another program put in its place keeps only its folder and name.
TEST_F(SaveLoad, EveryNameOfTheLastFileIsThatFile) {
    Document doc;
    ASSERT_TRUE(doc.Save(Path("doc.prm"), dlg_));
    Write("other.prm", {1});
    fs::create_hard_link(Path("doc.prm"), Path("hard.prm"));
#ifdef _WIN32  // where letter case makes no other name; Wine makes no links, the MinGW library none on Windows
    const char* linked = "HARD.PRM";
    fs::create_directory(Path("linked"));
#else
    const char* linked = "linked/hard.prm";
    fs::create_directory_symlink(dir_, Path("linked"));
#endif
    for (const char* name : {"doc.prm", "hard.prm", linked}) EXPECT_TRUE(doc.IsLastFile(Path(name))) << name;
    for (const char* name : {"other.prm", "linked/other.prm", "new.prm"}) EXPECT_FALSE(doc.IsLastFile(Path(name))) << name;
    Document loaded;  // knows the file by the handle it read through
    ASSERT_TRUE(loaded.Load(Path("hard.prm"), dlg_));
    EXPECT_TRUE(loaded.IsLastFile(Path("doc.prm")));

#ifndef _WIN32
    fs::remove(Path("doc.prm"));
    Write("doc.prm", {2});
    EXPECT_TRUE(doc.IsLastFile(Path("linked/doc.prm")));
#endif
}

}  // namespace
