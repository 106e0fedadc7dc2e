#include <nlohmann/json.hpp>

#include "Catalogue.h"
#include "Varied.h"

namespace {

using Json = nlohmann::ordered_json;

bool HasLine(const std::string& text, const std::string& line) {
    return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

std::size_t LineCount(const std::string& text) { return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')); }

}  // namespace

using New = ToolTest;

TEST_F(New, WritesTheStartupValues) {
    ASSERT_EQ(Run({"new", "a.prm"}).status, 0);
    EXPECT_EQ(Read("a.prm"), kStartupBase);
    ASSERT_EQ(Run({"new", "--advanced", "b.prm"}).status, 0);
    EXPECT_EQ(Read("b.prm"), kStartupFull);
}

TEST_F(New, NeverReplacesAnythingNorLeavesAPartialFile) {
    Write("a.prm", {1, 2, 3});
    std::filesystem::create_directory(Path("folder.prm"));
    std::filesystem::create_symlink("nowhere.prm", Path("dangling.prm"));
    std::filesystem::create_symlink("loop.prm", Path("loop.prm"));
    for (const char* name : {"a.prm", "folder.prm", "dangling.prm", "loop.prm"}) {
        const Outcome o = Run({"new", name});
        EXPECT_EQ(o.status, 1) << name;
        EXPECT_EQ(o.err, "prmtool: " + std::string(name) + ": already exists; new never replaces anything\n");
    }
    EXPECT_EQ(Read("a.prm"), (Bytes{1, 2, 3}));
    EXPECT_TRUE(std::filesystem::is_empty(Path("folder.prm")));

    EXPECT_EQ(Run({"new", "no-such-folder/b.prm"}).status, 1);
    if (ToolIsForWindows()) {  // a device's name in every folder
        const Outcome device = Run({"new", "Aux.prm"});
        EXPECT_NE(device.err.find("the name of a device"), std::string::npos) << device.err;
        EXPECT_EQ(Run({"new", "a?.prm"}).err, "prmtool: a?.prm: cannot create the file: Invalid argument\n");
    }
    // A link that leads round in a circle is named as one.
    EXPECT_EQ(Run({"show", "loop.prm"}).err, "prmtool: loop.prm: cannot read the file: Too many levels of symbolic links\n");
    EXPECT_EQ(Listing(), (std::vector<std::string>{"a.prm", "dangling.prm", "folder.prm", "loop.prm"}));
}

TEST_F(New, ChinesePathsAndArguments) {
    std::filesystem::create_directory(dir_ / std::u8string(u8"参数"));
    ASSERT_EQ(Run({"new", "参数/新.prm"}).status, 0);
    EXPECT_EQ(Read("参数/新.prm"), kStartupBase);
    ASSERT_EQ(Run({"set", "参数/新.prm", "equipSlotName[0]=长剑"}).status, 0);
    const Outcome o = Run({"show", "--json", "参数/新.prm"});
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(Json::parse(o.out)["equipSlotName[0]"], "长剑");  // UTF-8 bytes down a pipe
}

using Show = ToolTest;

TEST_F(Show, TextFormHasOneLinePerParameterInFileOrder) {
    Write("v.prm", Cat({kVariedBase, kVariedAdvanced}));
    const Outcome o = Run({"show", "v.prm"});
    ASSERT_EQ(o.status, 0) << o.err;
    for (const char* line : {"levelUpHp[0] = 200", "equipSlotName[0] = \"剑\"", "equipSlotName[1] = \"\"",
                             "equipSlotName[2] = \"Helm\"", "heroAnimationMode = 4*2*3", "textColor.b = 30",
                             "usePortrait = 否", "advancedEnabled = true", "advancedColor[0] = #FFDF00",
                             "advancedColor[1] = #7FC0E840", "levelUpStat[2].magicDefence = 12",
                             "spriteAttributeTable[0] = 2, 魔法, 1, 1", "spriteAttributeTable[1] = 9, 7, 3, 4"})
        EXPECT_TRUE(HasLine(o.out, line)) << line << "\n" << o.out;
    // Every parameter but the table, then one line per row.
    EXPECT_EQ(LineCount(o.out), params::Catalogue().size() - 1 + 2);
    EXPECT_EQ(o.out.rfind("levelUpHp[0] = ", 0), 0u);
    EXPECT_LT(o.out.find("emoteCount"), o.out.find("advancedEnabled"));
}

TEST_F(Show, JsonFormKeysTypesAndOrder) {
    Write("v.prm", Cat({kVariedBase, kVariedAdvanced}));
    const Outcome o = Run({"show", "--json", "v.prm"});
    ASSERT_EQ(o.status, 0) << o.err;
    const Json j = Json::parse(o.out);
    EXPECT_EQ(j.size(), params::Catalogue().size());
    EXPECT_EQ(j.begin().key(), "levelUpHp[0]");
    EXPECT_TRUE(j["levelUpHp[0]"].is_number_integer());
    EXPECT_EQ(j["levelUpHp[0]"], 200);
    EXPECT_EQ(j["equipSlotName[0]"], "剑");
    EXPECT_EQ(j["equipSlotName[1]"], "");
    EXPECT_EQ(j["heroAnimationMode"], "4*2*3");
    EXPECT_EQ(j["usePortrait"], "否");
    EXPECT_EQ(j["advancedEnabled"], true);
    EXPECT_EQ(j["menuTextColor"], "#000000");
    EXPECT_EQ(j["advancedColor[1]"], "#7FC0E840");  // 7F 40 E8 C0: red C0 is the low byte
    EXPECT_EQ(j["backgroundColor"], "#FFFFFF");
    EXPECT_EQ(j["spriteAttributeTable"], Json::parse(R"([
        {"level": 2, "category": "魔法", "itemId": 1, "spriteAttributeId": 1},
        {"level": 9, "category": 7, "itemId": 3, "spriteAttributeId": 4}])"));
}

TEST_F(Show, BaseOnlyFileHasNoAdvancedKeys) {
    Write("v.prm", kVariedBase);
    const Json j = Json::parse(Run({"show", "--json", "v.prm"}).out);
    EXPECT_EQ(j["advancedEnabled"], false);
    EXPECT_FALSE(j.contains("doubleAttack"));
    EXPECT_FALSE(j.contains("spriteAttributeTable"));
    EXPECT_EQ(std::prev(j.end()).key(), "advancedEnabled");
}

TEST_F(Show, ChoicesWithoutASelection) {
    Bytes b = kStartupBase;
    b[52 + 2] = '9';    // the mode "9*2*4" begins no item
    b[115] = 2;         // usePortrait 2
    Write("a.prm", b);
    const Json j = Json::parse(Run({"show", "--json", "a.prm"}).out);
    EXPECT_TRUE(j["heroAnimationMode"].is_null());
    EXPECT_TRUE(j["usePortrait"].is_null());
    const Outcome text = Run({"show", "a.prm"});
    EXPECT_TRUE(HasLine(text.out, "heroAnimationMode = (none)")) << text.out;
    EXPECT_TRUE(HasLine(text.out, "usePortrait = (none)"));
}

TEST_F(Show, NamesThatAreNotUtf8OrHoldControlCharacters) {
    Bytes b = Cat({Bytes(kStartupBase.begin(), kStartupBase.begin() + 12), Str("\xFF\xFE"),
                   Bytes(kStartupBase.begin() + 20, kStartupBase.begin() + 28), Str("\x7F\n\"\\\xC2\x9B"),
                   Bytes(kStartupBase.begin() + 36, kStartupBase.end())});
    Write("a.prm", b);
    const Outcome j = Run({"show", "--json", "a.prm"});
    ASSERT_EQ(j.status, 0) << j.err;
    EXPECT_EQ(Json::parse(j.out)["equipSlotName[0]"], "\uFFFD\uFFFD");
    EXPECT_EQ(Json::parse(j.out)["equipSlotName[2]"], "\u007F\n\"\\\u009B");
    const Outcome text = Run({"show", "a.prm"});
    EXPECT_TRUE(HasLine(text.out, R"(equipSlotName[2] = "\x7F\x0A\"\\\x9B")")) << text.out;
}

TEST_F(Show, ChineseReachesATerminal) {
    Write("a.prm", kStartupBase);
    const Outcome o = RunOnTerminal({"show", "a.prm"});
    EXPECT_NE(o.out.find("\"武器\""), std::string::npos) << o.out;
}

TEST_F(Show, DamagedOrMissingFileIsAnError) {
    Write("short.prm", Bytes(kStartupBase.begin(), kStartupBase.begin() + 50));
    const Outcome o = Run({"show", "short.prm"});
    EXPECT_EQ(o.status, 1);
    EXPECT_TRUE(o.out.empty());
    EXPECT_NE(o.err.find("short.prm"), std::string::npos);
    EXPECT_NE(o.err.find("equipSlotName[4]"), std::string::npos) << o.err;

    const Outcome missing = Run({"show", "--json", "none.prm"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("none.prm"), std::string::npos);
}

// show and import read a pipe as it comes, such as a shell's <(command).
TEST_F(Show, ShowAndImportReadAPipe) {
    if (ToolIsForWindows()) GTEST_SKIP() << "no pipes by name reach a Windows program";
    Write("a.prm", kStartupFull);
    WriteText("pipes.sh", "eval \"$1 show <(cat a.prm) && $1 import <($1 show --json a.prm) b.prm\"");
    const Outcome o = Shell("bash pipes.sh " + Quote(ToolCommand()));
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, Run({"show", "a.prm"}).out);
    EXPECT_EQ(Read("b.prm"), kStartupFull);
}

using Usage = ToolTest;

TEST_F(Usage, ExitStatusTwoAndHelp) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {}, {"frobnicate"}, {"show"}, {"show", "a", "b"}, {"show", "--yaml", "a"}, {"new", "--json", "a"},
             {"check"}, {"set", "a.prm"}, {"set", "a.prm", "levelUpHp[0]"}, {"import", "j"}, {"diff", "a"}}) {
        const Outcome o = Run(args);
        EXPECT_EQ(o.status, 2) << testing::PrintToString(args);
        EXPECT_FALSE(o.err.empty());
    }
    const Outcome help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* command : {"new", "show", "check", "set", "import", "diff"})
        EXPECT_NE(help.out.find("prmtool " + std::string(command)), std::string::npos) << command;
    EXPECT_NE(help.out.find("one above U+FFFF 4"), std::string::npos);
    EXPECT_TRUE(Listing().empty());
}

// Options come before "--"; after it every argument is an operand, even -h.
TEST_F(Usage, OptionsAndOperandsAsConventionSays) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"-h"}, {"show", "-h"}, {"set", "a.prm", "--help"}, {"diff", "a", "-h", "b"}}) {
        const Outcome o = Run(args);
        EXPECT_EQ(o.status, 0) << testing::PrintToString(args);
        EXPECT_EQ(o.out.rfind("Usage:", 0), 0u) << testing::PrintToString(args);
    }
    ASSERT_EQ(Run({"new", "--advanced", "--", "-h"}).status, 0);
    EXPECT_EQ(Read("-h"), kStartupFull);
    EXPECT_EQ(Run({"set", "--", "-h", "levelUpHp[0]=1"}).status, 0);
    EXPECT_EQ(Run({"check", "--", "-h"}).status, 0);
    EXPECT_EQ(Run({"show", "-x", "-h.prm"}).status, 2);
    EXPECT_EQ(Run({"check", "--", "-x"}).status, 1);  // a file that is not there
}

// Output that does not arrive is a failure: 1, and 2 for diff.
TEST_F(Usage, OutputThatCannotBeWrittenIsAnError) {
    Write("a.prm", kStartupBase);
    Write("b.prm", kStartupFull);
    const std::string tool = Quote(PRMTOOL_PATH);
    for (const auto& [line, status] : std::vector<std::pair<std::string, int>>{
             {tool + " show a.prm", 1}, {tool + " show --json a.prm", 1}, {tool + " --help", 1},
             {tool + " check b.prm", 0}, {tool + " diff a.prm b.prm", 2}, {tool + " diff a.prm a.prm", 0}}) {
        const Outcome o = Shell(line + " >/dev/full");
        EXPECT_EQ(o.status, status) << line;
        EXPECT_EQ(o.err.find("standard output") != std::string::npos, status != 0) << line;
    }
}
