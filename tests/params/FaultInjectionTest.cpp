#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <set>

#include "Fields.h"
#include "MemoryDialog.h"
#include "Walks.h"

using namespace params;
namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

enum class Op { CreateNew, Write, Close, Replace };
constexpr std::array kOps = {Op::CreateNew, Op::Write, Op::Close, Op::Replace};
const char* Name(Op op) {
    constexpr const char* kNames[] = {"CreateNew", "Write", "Close", "Replace"};
    return kNames[static_cast<int>(op)];
}

// The system's file operations, except that one of them fails from its
// failAt-th call on. A failing write first writes half its bytes, as a full
// disk does; a failing close still closes.
class FailingFileOps final : public IFileOps {
public:
    FailingFileOps(Op op, int failAt) : op_(op), failAt_(failAt) {}

    std::FILE* CreateNew(const std::string& path) override {
        return Fails(Op::CreateNew) ? nullptr : sys_.CreateNew(path);
    }
    bool Write(std::FILE* file, const std::uint8_t* bytes, std::size_t count) override {
        if (!Fails(Op::Write)) return sys_.Write(file, bytes, count);
        sys_.Write(file, bytes, count / 2);
        return false;
    }
    bool Close(std::FILE* file) override {
        const bool closed = sys_.Close(file);
        return !Fails(Op::Close) && closed;
    }
    bool Replace(const std::string& from, const std::string& to) override {
        return !Fails(Op::Replace) && sys_.Replace(from, to);
    }
    void Remove(const std::string& path) override { sys_.Remove(path); }
    bool MayReplace(const std::string& path) override { return sys_.MayReplace(path); }

    int Calls(Op op) const { return calls_[static_cast<int>(op)]; }

private:
    bool Fails(Op op) { return ++calls_[static_cast<int>(op)] >= failAt_ && op == op_; }

    IFileOps& sys_ = SystemFileOps();
    Op op_;
    int failAt_;
    std::array<int, kOps.size()> calls_{};
};

class FaultInjection : public ::testing::Test {
protected:
    // Windows removes no read-only file, and a run that stopped half-way may have left one.
    static void RemoveTree(const fs::path& dir) {
        std::error_code ec;
        for (const auto& entry : fs::recursive_directory_iterator(dir, ec))
            fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ec);
        fs::remove_all(dir);
    }

    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() / (std::string("quillet-faults-") + info->name());
        RemoveTree(dir_);
        fs::create_directories(dir_);
        ApplyDefaults(dlg_);
        dlg_.SetChecked(IDC_ADVANCED_ENABLED, true);
        dlg_.InsertRow(IDC_SPRITE_TABLE, 0, "2");
    }
    void TearDown() override { RemoveTree(dir_); }

    std::string Target() const { return (dir_ / "set.prm").string(); }
    std::set<std::string> Listing() const {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_)) names.insert(e.path().filename().string());
        return names;
    }
    static Bytes Read(const std::string& path) {
        Bytes b;
        EXPECT_TRUE(ReadFilePrefix(path, 1 << 16, b)) << path;
        return b;
    }
    // Saves and expects the one message of a failed save.
    void ExpectSaveFails(const std::string& path, IFileOps& ops = SystemFileOps()) {
        dlg_.messages.clear();
        SaveParameterFile(dlg_, path, ops);
        EXPECT_EQ(dlg_.messages, std::vector<std::string>{std::string(kSaveError)});
    }

    fs::path dir_;
    MemoryDialog dlg_;
    const Bytes old_ = {0x01, 0x02, 0x03, 0x04};
};

// Each operation of the save fails in turn, from every call the save makes
// of it on, over an existing file and where there is none. Whatever fails, the
// old file is intact, no temporary file is left, and the next save works.
TEST_F(FaultInjection, EveryFailingFileOperationLeavesTheOldFileAndNoTemporary) {
    VectorSink expected;
    ASSERT_TRUE(EncodeParameterFile(ReadControls(dlg_), expected));

    for (bool hadFile : {true, false}) {
        for (Op op : kOps) {
            int failures = 0;
            for (int k = 1;; ++k) {
                SCOPED_TRACE(std::string(Name(op)) + " call " + std::to_string(k) + (hadFile ? " over a file" : ""));
                fs::remove(Target());
                if (hadFile) {
                    ASSERT_TRUE(WriteFileAtomically(Target(), old_));
                }
                FailingFileOps ops(op, k);
                dlg_.messages.clear();
                SaveParameterFile(dlg_, Target(), ops);
                ASSERT_EQ(dlg_.messages.size(), 1u);
                if (ops.Calls(op) < k) {  // the save never made that call: it went through
                    EXPECT_EQ(dlg_.messages[0], kSaveDone);
                    EXPECT_EQ(Read(Target()), expected.data);
                    EXPECT_EQ(Listing(), std::set<std::string>{"set.prm"});
                    break;
                }
                ++failures;
                EXPECT_EQ(dlg_.messages[0], kSaveError);
                if (hadFile) {
                    EXPECT_EQ(Read(Target()), old_);
                    EXPECT_EQ(Listing(), std::set<std::string>{"set.prm"});
                } else {
                    EXPECT_TRUE(Listing().empty());
                }
            }
            EXPECT_GE(failures, 1) << Name(op) << " was never called";
        }
    }
}

// A temporary file left by someone else is neither reused nor removed.
TEST_F(FaultInjection, ForeignTemporaryFilesAreLeftAlone) {
    const std::string stale = Target() + ".~tmp0";
    ASSERT_TRUE(WriteFileAtomically(stale, old_));
    SaveParameterFile(dlg_, Target());
    EXPECT_EQ(dlg_.messages.back(), kSaveDone);
    EXPECT_EQ(Read(stale), old_);
    EXPECT_EQ(Listing(), (std::set<std::string>{"set.prm", "set.prm.~tmp0"}));
}

TEST_F(FaultInjection, TargetsThatCannotBeWrittenGiveASaveError) {
    // A read-only file: the mode bits decide, since root may write anything.
    ASSERT_TRUE(WriteFileAtomically(Target(), old_));
    fs::permissions(Target(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    ExpectSaveFails(Target());
    EXPECT_EQ(Read(Target()), old_);
    EXPECT_EQ(fs::status(Target()).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(Listing(), std::set<std::string>{"set.prm"});

    // A folder in the target's place.
    fs::create_directory(dir_ / "folder.prm");
    ExpectSaveFails((dir_ / "folder.prm").string());
    EXPECT_TRUE(fs::is_directory(dir_ / "folder.prm"));
    EXPECT_TRUE(fs::is_empty(dir_ / "folder.prm"));

    // A folder that does not exist is not created.
    ExpectSaveFails((dir_ / "missing" / "set.prm").string());
    EXPECT_FALSE(fs::exists(dir_ / "missing"));
    EXPECT_EQ(Listing(), (std::set<std::string>{"folder.prm", "set.prm"}));
}

}  // namespace
