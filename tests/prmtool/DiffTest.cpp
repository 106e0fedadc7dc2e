#include <algorithm>

#include "Document.h"
#include "Varied.h"

using Diff = ToolTest;

TEST_F(Diff, ListsChangedParametersAndRows) {
    Write("a.prm", kStartupFull);
    Write("b.prm", kStartupFull);
    const Outcome same = Run({"diff", "a.prm", "b.prm"});
    EXPECT_EQ(same.status, 0);
    EXPECT_EQ(same.out, "");

    ASSERT_EQ(Run({"set", "b.prm", "levelUpHp[0]=7", "equipSlotName[1]=", "backgroundColor=#000000",
                   R"(spriteAttributeTable=[{"level":2,"category":"魔法","itemId":1,"spriteAttributeId":1}])"})
                  .status,
              0);
    const Outcome o = Run({"diff", "a.prm", "b.prm"});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.out,
              "levelUpHp[0]: 6 -> 7\n"
              "equipSlotName[1]: \"头盔\" -> \"\"\n"
              "backgroundColor: #FFFFFF -> #000000\n"
              "spriteAttributeTable[0]: (absent) -> 2, 魔法, 1, 1\n");
}

TEST_F(Diff, AFileWithoutTheAdvancedBlock) {
    Write("a.prm", kStartupBase);
    Write("b.prm", kStartupFull);
    const Outcome o = Run({"diff", "a.prm", "b.prm"});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.out.substr(0, o.out.find('\n', o.out.find('\n') + 1) + 1),
              "advancedEnabled: false -> true\ndoubleAttack: (absent) -> 10\n");
    EXPECT_EQ(Run({"diff", "b.prm", "a.prm"}).out.substr(0, 31), "advancedEnabled: true -> false\n");
}

TEST_F(Diff, TroubleIsStatusTwo) {
    Write("a.prm", kStartupBase);
    Write("bad.prm", {1, 2});
    EXPECT_EQ(Run({"diff", "a.prm", "none.prm"}).status, 2);
    const Outcome o = Run({"diff", "bad.prm", "a.prm"});
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.err.find("bad.prm"), std::string::npos);
}

TEST_F(Diff, GitDiffShowsTheChangedParameterByName) {
    Write("set.prm", kStartupBase);
    WriteText(".gitattributes", "*.prm diff=prm\n");
    const std::string git = "git -c user.name=t -c user.email=t@t -c init.defaultBranch=main ";
    Write("damaged.prm", {1, 2, 3});
    const Outcome setUp = Shell(git + "init -q . && git config diff.prm.textconv " + Quote(ToolCommand() + " textconv") +
                                " && git add . && " + git + "commit -q -m one");
    ASSERT_EQ(setUp.status, 0) << setUp.err;
    ASSERT_EQ(Run({"set", "set.prm", "partyMaxSize=4"}).status, 0);
    Write("damaged.prm", {1, 2, 3, 4});
    // A file that does not load shows as one line and breaks nothing else.
    const Outcome o = Shell("git diff");
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_NE(o.out.find("\n-partyMaxSize = 3\n+partyMaxSize = 4\n"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("+(not a parameter file: damaged: "), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("; 4 bytes, SHA-256 9f64a747e1b97f131fabb6b447296c9b6f0201e79fb3c5356e6c77e89b6a806a)"),
              std::string::npos) << o.out;
    EXPECT_EQ(o.out.find("Binary"), std::string::npos);
}

// textconv names a file that does not load by its SHA-256, as sha256sum
// prints it, at the lengths where the padding needs one block or two, and
// of no more than it reads of a larger one.
TEST_F(Diff, TextconvNamesAFileThatDoesNotLoadByItsSha256) {
    const std::pair<std::string, const char*> files[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {std::string(55, 'a'), "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(63, 'a'), "7d3e74a05d7db15bce4ad9ec0658ea98e3f06eeecf16b4c6fff2da457ddc2f34"},
        {std::string(64, 'a'), "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb"},
        {std::string(1000000, 'a'), "444edd33b2129b44250336649005be2493aa38550290e82ca9f8e54491c5ccf6"},
    };
    for (const auto& [text, digest] : files) {
        WriteText("f.prm", text);
        const Outcome o = Run({"textconv", "f.prm"});
        const std::string read = text.size() < params::kReadLimit ? std::to_string(text.size())
                                                                  : "its first " + std::to_string(params::kReadLimit);
        EXPECT_NE(o.out.find("; " + read + " bytes, SHA-256 " + digest + ")\n"), std::string::npos)
            << o.out;
    }
}

// textconv reads at most one byte more than a parameter file can hold, from
// whatever it is given: a pipe that never ends, a file far too large. It
// names what it read and ends with 0, so git goes on.
TEST_F(Diff, TextconvReadsNoMoreThanAParameterFile) {
    if (ToolIsForWindows()) GTEST_SKIP() << "no FIFOs or sparse files reach a Windows program";
    const std::string tool = ToolCommand();
    // The large file's second name announces more than 255 bytes.
    const Outcome o = Shell("mkfifo pipe && head -c 14 /dev/zero >large && printf '\\1' >>large && truncate -s 3G large && "
                            "{ yes >pipe & } && ulimit -v 400000 && " + tool +
                            " textconv pipe && " + tool + " textconv large");
    EXPECT_EQ(o.status, 0) << o.err;
    const std::string limit = std::to_string(params::kReadLimit);
    EXPECT_NE(o.out.find("(not a parameter file: damaged: "), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("; its first " + limit + " bytes, SHA-256 "), std::string::npos) << o.out;
    EXPECT_EQ(std::count(o.out.begin(), o.out.end(), '\n'), 2) << o.out;
}
