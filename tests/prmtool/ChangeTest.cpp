#include <sys/stat.h>
#include <unistd.h>

#include <random>

#include "Fields.h"
#include "ParameterFile.h"
#include "Utf8.h"
#include "Varied.h"

using Set = ToolTest;

TEST_F(Set, ChangesValuesByNameAndKeepsTheBlocks) {
    Write("a.prm", kStartupBase);
    const Outcome o = Run({"set", "a.prm", "levelUpHp[0]=255", "textColor.r=0", "usePortrait=否"});
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(Read("a.prm"), Changed(kStartupBase, {{0, 255}, {69, 0}, {115, 0}}));

    Write("b.prm", kStartupFull);
    ASSERT_EQ(Run({"set", "b.prm", "mapCellSize=32", "sliderColor=#010203", "arrowColor=#7F102030"}).status, 0);
    Bytes want = kStartupFull;
    want[118 + 49] = 32;
    std::copy_n(Bytes{0x00, 0x03, 0x02, 0x01}.begin(), 4, want.begin() + 118 + 45);
    std::copy_n(Bytes{0x7F, 0x30, 0x20, 0x10}.begin(), 4, want.begin() + 118 + 37);
    EXPECT_EQ(Read("b.prm"), want);
    EXPECT_EQ(Listing(), (std::vector<std::string>{"a.prm", "b.prm"}));
}

TEST_F(Set, NamesModeAndTable) {
    Write("a.prm", kStartupFull);
    ASSERT_EQ(Run({"set", "a.prm", "equipSlotName[0]=刀剑", "equipSlotName[1]=", "attributeName[2]=a剑b",
                   "heroAnimationMode=1*1*1",
                   R"(spriteAttributeTable=[{"level":3,"category":"道具","itemId":4,"spriteAttributeId":5}])"})
                  .status,
              0);
    const Bytes b = Read("a.prm");
    const Bytes want = Cat({Bytes(kStartupBase.begin(), kStartupBase.begin() + 12), Str("刀剑"), Str(""),
                            Bytes(kStartupBase.begin() + 28, kStartupBase.begin() + 52), Str("1*1*1"),
                            Bytes(kStartupBase.begin() + 59, kStartupBase.begin() + 97), Str("a剑b"),
                            Bytes(kStartupBase.begin() + 105, kStartupBase.end()),
                            Bytes(kStartupAdvanced.begin(), kStartupAdvanced.end() - 1), {1, 3, 1, 4, 5}});
    EXPECT_EQ(b, want);
}

TEST_F(Set, AdvancedEnabledAddsOrDropsTheBlock) {
    Write("a.prm", kStartupBase);
    ASSERT_EQ(Run({"set", "a.prm", "advancedEnabled=true", "doubleAttack=11"}).status, 0);
    EXPECT_EQ(Read("a.prm"), Changed(kStartupFull, {{118, 11}}));
    ASSERT_EQ(Run({"set", "a.prm", "advancedEnabled=false"}).status, 0);
    EXPECT_EQ(Read("a.prm"), kStartupBase);

    // An advanced value alone would be lost on saving: refused.
    const Outcome o = Run({"set", "a.prm", "doubleAttack=11"});
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.err.find("doubleAttack"), std::string::npos);
}

// What set is not asked to change it writes back byte for byte, even a name
// in another encoding, which the editor and show would repair.
TEST_F(Set, NamesItWasNotAskedAboutStayByteForByte) {
    const Bytes file = Cat({Bytes(kStartupBase.begin(), kStartupBase.begin() + 12), Str(std::string(100, '\xFF')),
                            Bytes(kStartupBase.begin() + 20, kStartupBase.end())});
    Write("a.prm", file);
    ASSERT_EQ(Run({"set", "a.prm", "levelUpHp[0]=1"}).status, 0);
    EXPECT_EQ(Read("a.prm"), Changed(file, {{0, 1}}));
}

TEST_F(Set, EveryBadNameOrValueIsRefusedWithNothingWritten) {
    const char* bad[][2] = {
        {"levelUpHp[0]=256", "levelUpHp[0]"}, {"levelUpHp[0]=-1", "levelUpHp[0]"},
        {"levelUpHp[0]=abc", "levelUpHp[0]"}, {"levelUpHp[0]=1.5", "levelUpHp[0]"},
        {"levelUpHp[0]=", "levelUpHp[0]"}, {"levelUpHp[0]= 7", "levelUpHp[0]"},
        {"levelUpHp[0]=99999999999999999999999", "levelUpHp[0]"},
        {"equipSlotName[0]=三个字", "equipSlotName[0]"}, {"equipSlotName[0]=abcde", "equipSlotName[0]"},
        {"attributeName[0]=\xFF", "attributeName[0]"}, {"heroAnimationMode=4*2", "heroAnimationMode"},
        {"heroAnimationMode=4*2*5", "heroAnimationMode"}, {"usePortrait=yes", "usePortrait"},
        {"usePortrait=", "usePortrait"}, {"advancedColor[0]=#12345", "advancedColor[0]"},
        {"advancedColor[0]=red", "advancedColor[0]"}, {"advancedColor[0]=#12345G", "advancedColor[0]"},
        {"advancedColor[0]=#1234567", "advancedColor[0]"}, {"levelUpHp[0]=-0", "levelUpHp[0]"},
        {"advancedEnabled=yes", "advancedEnabled"}, {"noSuchThing=1", "noSuchThing"},
        {"levelUpHp=1", "levelUpHp"}, {"spriteAttributeTable=[{\"level\":1}]", "spriteAttributeTable[0].category"},
        {"spriteAttributeTable=[{\"level\":1,\"category\":\"水\",\"itemId\":1,\"spriteAttributeId\":1}]",
         "spriteAttributeTable[0].category"},
        {"spriteAttributeTable=rows", "spriteAttributeTable"},
        {"spriteAttributeTable=[{\"level\":1,\"level\":2,\"category\":0,\"itemId\":1,\"spriteAttributeId\":1}]",
         "twice"},
    };
    for (const auto& [assignment, name] : bad) {
        if (ToolIsForWindows() && std::string_view(assignment).find('\xFF') != std::string_view::npos) continue;
        Write("a.prm", kStartupFull);
        // A good change first: it must not be saved either.
        const Outcome o = Run({"set", "a.prm", "levelUpHp[1]=9", assignment});
        EXPECT_EQ(o.status, 1) << assignment;
        EXPECT_NE(o.err.find(name), std::string::npos) << assignment << ": " << o.err;
        EXPECT_EQ(Read("a.prm"), kStartupFull) << assignment;
        EXPECT_EQ(Listing(), std::vector<std::string>{"a.prm"}) << assignment;
    }
}

TEST_F(Set, ReadOnlyMissingOrSpecialFile) {
    Write("a.prm", kStartupBase);
    std::filesystem::permissions(Path("a.prm"), std::filesystem::perms::owner_read);
    EXPECT_EQ(Run({"set", "a.prm", "levelUpHp[0]=1"}).status, 1);
    EXPECT_EQ(Read("a.prm"), kStartupBase);
    EXPECT_EQ(Listing(), std::vector<std::string>{"a.prm"});
    EXPECT_EQ(Run({"set", "none.prm", "levelUpHp[0]=1"}).status, 1);
    // A FIFO nobody writes reads as empty instead of holding the tool for ever.
    ASSERT_EQ(::mkfifo(Path("pipe.prm").c_str(), 0600), 0);
    EXPECT_EQ(Run({"set", "pipe.prm", "levelUpHp[0]=1"}).status, 1);
    EXPECT_TRUE(std::filesystem::is_fifo(Path("pipe.prm")));
    // A link to nothing: neither set nor import makes the file it leads to.
    std::filesystem::create_symlink("nowhere.prm", Path("dangling.prm"));
    Write("a.json", {'{', '}'});
    for (const auto& args : {std::vector<std::string>{"set", "dangling.prm", "levelUpHp[0]=1"},
                             std::vector<std::string>{"import", "a.json", "dangling.prm"}}) {
        const Outcome o = Run(args);
        EXPECT_EQ(o.status, 1);
        EXPECT_EQ(o.err, "prmtool: dangling.prm: cannot write the file: it is a link to a file that does not exist; "
                         "nothing created\n");
    }
    EXPECT_EQ(Listing(), (std::vector<std::string>{"a.json", "a.prm", "dangling.prm", "pipe.prm"}));
}

// Bytes after the last field are not written back, and set says so.
TEST_F(Set, SaysWhenTrailingBytesAreDropped) {
    Write("a.prm", Cat({kStartupFull, {7, 7}}));
    const Outcome o = Run({"set", "a.prm", "levelUpHp[0]=1"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.err, "prmtool: a.prm: the bytes after its last field were not kept\n");
    EXPECT_EQ(Read("a.prm"), Changed(kStartupFull, {{0, 1}}));
}

// The file saved is the one the user means, with what makes it that file:
// its mode and owner, every name it has, and a link stays a link.
TEST_F(Set, KeepsModeOwnerLinksAndEveryName) {
    namespace fs = std::filesystem;
    const Bytes want = Changed(kStartupBase, {{0, 1}});
    Write("private.prm", kStartupBase);
    if (!ToolIsForWindows()) {  // POSIX modes and owners
        if (::geteuid() == 0) {  // someone else's file
            ASSERT_EQ(::chown(Path("private.prm").c_str(), 65534, 65534), 0);
        }
        ASSERT_EQ(::chmod(Path("private.prm").c_str(), 06600), 0);  // set-ID bits, which changing the owner clears
        struct stat before;
        ASSERT_EQ(::stat(Path("private.prm").c_str(), &before), 0);
        ASSERT_EQ(Run({"set", "private.prm", "levelUpHp[0]=1"}).status, 0);
        struct stat after;
        ASSERT_EQ(::stat(Path("private.prm").c_str(), &after), 0);
        EXPECT_EQ(after.st_mode & 07777, 06600u);
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_gid, before.st_gid);
        EXPECT_EQ(Read("private.prm"), want);
    }

    fs::create_directory(Path("game"));
    Write("game/a.prm", kStartupBase);
    fs::create_symlink("game/a.prm", Path("link.prm"));
    fs::create_symlink("a.prm", Path("game/relative.prm"));  // resolved from the link's own folder
    fs::create_hard_link(Path("game/a.prm"), Path("second.prm"));
    ASSERT_EQ(Run({"set", "link.prm", "levelUpHp[0]=1"}).status, 0);
    ASSERT_EQ(Run({"set", "game/relative.prm", "levelUpHp[1]=9"}).status, 0);
    EXPECT_TRUE(fs::is_symlink(Path("link.prm")));
    EXPECT_TRUE(fs::is_symlink(Path("game/relative.prm")));
    EXPECT_EQ(fs::hard_link_count(Path("second.prm")), 2u);
    for (const char* name : {"game/a.prm", "second.prm", "link.prm"})
        EXPECT_EQ(Read(name), Changed(want, {{1, 9}})) << name;
    EXPECT_EQ(Listing(), (std::vector<std::string>{"game", "link.prm", "private.prm", "second.prm"}));
    EXPECT_EQ(std::distance(fs::directory_iterator(Path("game")), fs::directory_iterator()), 2);  // no temporary left
}

// Two sets at once on one file, plain or with a second name: each waits for
// the other, so both changes land and the file stays whole.
TEST_F(Set, ConcurrentChangesAllLand) {
    const int pairs = ToolIsForWindows() ? 3 : 20;
    Write("a.prm", kStartupBase);
    Write("b.prm", kStartupBase);
    std::filesystem::create_hard_link(Path("b.prm"), Path("b2.prm"));
    const std::string tool = ToolCommand();
    for (const char* file : {"a.prm", "b.prm"}) {
        const std::string f = std::string(" ") + file;
        const Outcome o = Shell("for i in $(seq " + std::to_string(pairs) + "); do " + tool + " set" + f +
                                " levelUpHp[0]=$i & " + tool + " set" + f + " levelUpHp[1]=$i & wait || exit 9; " +
                                tool + " show" + f + " | grep -c \"^levelUpHp\\[[01]\\] = $i$\" | grep -qx 2 || exit $i; done");
        EXPECT_EQ(o.status, 0) << file << ": " << o.out << o.err;
    }
    EXPECT_EQ(Read("b2.prm"), Read("b.prm"));
    EXPECT_EQ(Listing(), (std::vector<std::string>{"a.prm", "b.prm", "b2.prm"}));
}

using Import = ToolTest;

TEST_F(Import, ShowJsonThenImportReproducesTheFile) {
    for (const Bytes& file : {kStartupBase, kVariedBase, Cat({kVariedBase, kVariedAdvanced}), kStartupFull}) {
        Write("a.prm", file);
        const Outcome shown = Run({"show", "--json", "a.prm"});
        ASSERT_EQ(shown.status, 0);
        WriteText("a.json", shown.out);
        ASSERT_EQ(Run({"import", "a.json", "b.prm"}).status, 0);
        EXPECT_EQ(Read("b.prm"), file);
        // From standard input as well.
        ASSERT_EQ(Run({"import", "-", "c.prm"}, shown.out).status, 0);
        EXPECT_EQ(Read("c.prm"), file);
    }
}

// A random text of valid UTF-8, no zero byte, of at most maxBytes bytes:
// control characters, and characters of every UTF-8 length.
std::string RandomName(std::mt19937& random, std::size_t maxBytes) {
    std::string text;
    for (;;) {
        const char32_t ranges[][2] = {{1, 0x7F}, {0x80, 0x7FF}, {0x800, 0xD7FF}, {0xE000, 0xFFFF}, {0x10000, 0x10FFFF}};
        const auto& range = ranges[random() % 5];
        const char32_t cp = range[0] + static_cast<char32_t>(random() % (range[1] - range[0] + 1));
        std::string utf8;
        if (cp < 0x80) utf8 = {static_cast<char>(cp)};
        else if (cp < 0x800) utf8 = {static_cast<char>(0xC0 | cp >> 6), static_cast<char>(0x80 | (cp & 0x3F))};
        else if (cp < 0x10000)
            utf8 = {static_cast<char>(0xE0 | cp >> 12), static_cast<char>(0x80 | (cp >> 6 & 0x3F)),
                    static_cast<char>(0x80 | (cp & 0x3F))};
        else
            utf8 = {static_cast<char>(0xF0 | cp >> 18), static_cast<char>(0x80 | (cp >> 12 & 0x3F)),
                    static_cast<char>(0x80 | (cp >> 6 & 0x3F)), static_cast<char>(0x80 | (cp & 0x3F))};
        if (text.size() + utf8.size() > maxBytes) return text;
        text += utf8;
    }
}

// Files that check accepts, with every kind of value and names up to 255
// bytes, come back byte for byte through show --json and import.
TEST_F(Import, VariedFilesComeBackByteForByte) {
    using namespace params;
    std::mt19937 random(11);
    constexpr int kFiles = 300;
    std::vector<Bytes> files;
    for (int f = 0; f < kFiles; ++f) {
        ParameterImage image;
        image.advanced = random() % 2 == 0;
        for (const ParamDesc& p : Catalogue()) {
            FieldValue& v = image[p];
            switch (p.kind) {
            case Kind::Number: v.byte = static_cast<std::uint8_t>(random()); break;
            case Kind::Name: v.text = RandomName(random, f % 3 == 0 ? 255 : random() % 256); break;
            case Kind::ModeChoice: v.text = std::string(p.items[random() % p.items.size()]); break;
            case Kind::YesNoChoice: v.byte = static_cast<std::uint8_t>(random() % 2); break;
            case Kind::Colour: v.color = random() & 0xFFFFFF; break;
            case Kind::Table:
                for (std::size_t n = random() % (f % 10 == 0 ? 256 : 5); n > 0; --n)
                    image.rows.push_back({static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random() % 2),
                                          static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random())});
                break;
            case Kind::Switch: break;
            }
        }
        VectorSink out;
        ASSERT_TRUE(EncodeParameterFile(image, out));
        files.push_back(out.data);
        Write("f" + std::to_string(f) + ".prm", out.data);
    }
    const Outcome o = Shell("p=" + Quote(PRMTOOL_PATH) + "; for i in $(seq 0 " + std::to_string(kFiles - 1) +
                            "); do $p check f$i.prm && $p show --json f$i.prm >f$i.json && $p import f$i.json g$i.prm ||"
                            " echo f$i; done");
    ASSERT_EQ(o.out + o.err, "");
    for (int f = 0; f < kFiles; ++f) EXPECT_EQ(Read("g" + std::to_string(f) + ".prm"), files[f]) << f;
}

// Input built to hurt: deep, huge, wide, long or full of control characters.
// Each is refused with exit 1 and one short, printable line; nothing is written.
TEST_F(Import, HostileInputIsRefusedInOneShortLine) {
    Write("a.prm", kStartupBase);
    std::string wide = "{";
    for (int i = 0; i < 60000; ++i) wide += "\"k" + std::to_string(i) + "\":0,";
    wide.back() = '}';
    std::string longName = "a";  // quoted in part, never cut inside a character
    for (int i = 0; i < 1700; ++i) longName += "长";
    longName += "\x1B[2J";
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"import", "-", "b.prm"}, std::string(300000, '[')},
        {{"import", "-", "b.prm"}, "{\"a\":" + std::string(200, '{')},
        {{"import", "-", "b.prm"}, R"({"equipSlotName[0]": ")" + std::string(2 << 20, 'x') + "\"}"},
        {{"import", "-", "b.prm"}, wide},
        {{"import", "-", "b.prm"}, R"({"equipSlotName[0]": ")" + std::string(300, 'x') + "\"}"},
        {{"import", "-", "b.prm"}, "{\"\\u001b[2J" + std::string(3000, 'k') + "\": 1}"},
        {{"set", "a.prm", "spriteAttributeTable=" + std::string(100000, '[')}, ""},
        {{"set", "a.prm", "equipSlotName[0]=" + longName}, ""},
        {{"set", "a.prm", "levelUpHp[0]=\x1B[31m\n9"}, ""},
        {{"set", "a.prm", longName + "=1"}, ""},
        {{"show", "x\n\x1B[2J.prm"}, ""},
    };
    for (const auto& [args, input] : cases) {
        // A Windows command line holds at most 32767 characters: longer never reaches the tool.
        if (ToolIsForWindows() && args.back().size() > 32000) continue;
        const std::string what = (args.back() + input).substr(0, 40);
        const Outcome o = Run(args, input);
        EXPECT_EQ(o.status, 1) << what;
        EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << what << ": " << o.err;
        EXPECT_LT(o.err.size(), 200u) << what << ": " << o.err;
        EXPECT_EQ(o.err.find('\x1B'), std::string::npos) << what;
        EXPECT_TRUE(params::IsUtf8(o.err)) << what;
    }
    EXPECT_EQ(Listing(), std::vector<std::string>{"a.prm"});
    EXPECT_EQ(Read("a.prm"), kStartupBase);
    // The depth bound is exact, and a quote escaped in a key hides no nesting from it.
    const auto nested = [](const std::string& key, int arrays) {
        return "{\"" + key + "\":" + std::string(arrays, '[') + std::string(arrays, ']') + "}";
    };
    EXPECT_NE(Run({"import", "-", "b.prm"}, nested("a", 16)).err.find("deeper"), std::string::npos);
    EXPECT_NE(Run({"import", "-", "b.prm"}, nested("\\\"", 16)).err.find("deeper"), std::string::npos);
    EXPECT_EQ(Run({"import", "-", "b.prm"}, nested("a", 15)).err.find("deeper"), std::string::npos);
}

TEST_F(Import, MissingKeysTakeTheStartupValues) {
    ASSERT_EQ(Run({"import", "-", "a.prm"}, "{}").status, 0);
    EXPECT_EQ(Read("a.prm"), kStartupBase);
    ASSERT_EQ(Run({"import", "-", "b.prm"}, R"({"advancedEnabled": true, "levelUpHp[0]": 1})").status, 0);
    EXPECT_EQ(Read("b.prm"), Changed(kStartupFull, {{0, 1}}));
    // No selection, as show --json writes it; a full table; colours in either case.
    std::string rows = "[";
    for (int i = 0; i < 255; ++i) rows += std::string(i ? "," : "") + R"({"level":1,"category":0,"itemId":1,"spriteAttributeId":1})";
    ASSERT_EQ(Run({"import", "-", "c.prm"}, R"({"heroAnimationMode": null, "usePortrait": null, "menuTextColor": "#abcdef",
                                              "advancedEnabled": true, "spriteAttributeTable": )" + rows + "]}").status, 0);
    EXPECT_NE(Run({"show", "c.prm"}).out.find("menuTextColor = #ABCDEF\n"), std::string::npos);
    EXPECT_EQ(Read("c.prm").size(), kStartupFull.size() + 4 * 255);
}

TEST_F(Import, BadInputIsRefusedWithNothingWritten) {
    const std::string row = R"({"level":1,"category":0,"itemId":1,"spriteAttributeId":1})";
    std::string rows = "[";
    for (int i = 0; i < 256; ++i) rows += std::string(i ? "," : "") + row;
    const std::pair<std::string, std::string> bad[] = {
        {"not json", "prmtool: standard input: is not valid JSON; nothing written\n"},
        {std::string("{}\0{\"levelUpHp[0]\": 1}", 22), "prmtool: standard input: is not valid JSON; nothing written\n"},
        {"[1, 2]", "not an object"},
        {R"({"levelUpHp[0]": 6.0})", "levelUpHp[0]"},
        {R"({"levelUpHp[0]": "6"})", "levelUpHp[0]"},
        {R"({"levelUpHp[0]": true})", "levelUpHp[0]"},
        {R"({"levelUpHp[0]": -1})", "levelUpHp[0]"},
        {R"({"levelUpHp[0]": -0})", "levelUpHp[0]: -0 is not"},
        {R"({"levelUpHp[0]": 1, "levelUpHp[0]": 2})", "prmtool: standard input: gives a key twice; nothing written\n"},
        {R"({"levelUpHp[0]": 1, "advancedEnabled": true, "spriteAttributeTable": [)" + row + R"(], "levelUpHp[0]": 2})",
         "prmtool: standard input: gives a key twice; nothing written\n"},
        {R"({"menuTextColor": "#1234567"})", "menuTextColor"},
        {R"({"equipSlotName[0]": 5})", "equipSlotName[0]"},
        {R"({"equipSlotName[0]": "a\u0000b"})", "equipSlotName[0]"},
        {R"({"advancedEnabled": 1})", "advancedEnabled"},
        {R"({"doubleAttack": 1})", "doubleAttack"},
        {R"({"spriteAttributeTable[0]": 1})", "spriteAttributeTable[0]"},
        {R"({"advancedEnabled": true, "spriteAttributeTable": [{"level":1,"category":256,"itemId":1,"spriteAttributeId":1}]})",
         "spriteAttributeTable[0].category"},
        {R"({"advancedEnabled": true, "spriteAttributeTable": [{"level":1,"category":0,"itemId":1,"spriteAttributeId":1,"x":2}]})",
         "spriteAttributeTable[0]"},
        {R"({"advancedEnabled": true, "spriteAttributeTable": )" + rows + "]}", "spriteAttributeTable"},
    };
    for (const auto& [json, name] : bad) {
        const Outcome o = Run({"import", "-", "a.prm"}, json);
        EXPECT_EQ(o.status, 1) << json;
        EXPECT_NE(o.err.find(name), std::string::npos) << json << ": " << o.err;
        EXPECT_TRUE(Listing().empty()) << json;
    }
    EXPECT_EQ(Run({"import", "none.json", "a.prm"}).status, 1);
}
