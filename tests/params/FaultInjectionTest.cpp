#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <filesystem>
#include <cstring>
#include <functional>
#include <set>

#include <sys/stat.h>

#ifdef _WIN32
#include <process.h>
#else
#include <acl/libacl.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/acl.h>
#include <linux/fs.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>
#endif

#include "Fields.h"
#include "Document.h"
#include "MemoryDialog.h"
#include "Walks.h"

using namespace params;
namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

enum class Op { CreateExclusive, CopyAttributes, WriteAt, Truncate, Sync, Close, Identify, Replace, Place, SyncFolder };
constexpr std::array kOps = {Op::CreateExclusive, Op::CopyAttributes, Op::WriteAt, Op::Truncate, Op::Sync,
                             Op::Close,           Op::Identify,       Op::Replace, Op::Place,    Op::SyncFolder};
const char* Name(Op op) {
    constexpr const char* kNames[] = {"CreateExclusive", "CopyAttributes", "WriteAt", "Truncate", "Sync",
                                      "Close",           "Identify",       "Replace", "Place",    "SyncFolder"};
    return kNames[static_cast<int>(op)];
}

// The system's calls, except that one of them fails at its failAt-th call,
// or from it on when the fault persists, with error (EIO unless set): as the
// system fails, so the save's own checks meet it. A failing write first writes half its bytes, as a full
// disk does; a failing close still closes. removes=false plays a process
// killed before it could clean up. A write failing with error 0 writes
// nothing and returns 0. before, when set, runs just ahead of the
// failAt-th call of op instead of a failure: another process acting then.
class FailingFileOps final : public IFileOps {
public:
    FailingFileOps(Op op, int failAt, bool persists = false) : op_(op), failAt_(failAt), persists_(persists) {}

    int CreateExclusive(const Folder& folder, const std::string& name, bool asNew) override {
        return Fails(Op::CreateExclusive) ? -1 : sys_.CreateExclusive(folder, name, asNew);
    }
    int CopyAttributes(int from, int to) override {
        return Fails(Op::CopyAttributes) ? -1 : sys_.CopyAttributes(from, to);
    }
    long long WriteAt(int fd, const std::uint8_t* bytes, std::size_t count, std::uint64_t offset) override {
        if (!Fails(Op::WriteAt)) return sys_.WriteAt(fd, bytes, count, offset);
        if (error == 0) return 0;  // nothing written and no error
        sys_.WriteAt(fd, bytes, count / 2, offset);
        return -1;
    }
    int Truncate(int fd, std::uint64_t size) override { return Fails(Op::Truncate) ? -1 : sys_.Truncate(fd, size); }
    int Sync(int fd) override { return Fails(Op::Sync) ? -1 : sys_.Sync(fd); }
    int Close(int fd) override {
        const bool fails = Fails(Op::Close);
        const int closed = sys_.Close(fd);
        return fails ? (errno = EIO, -1) : closed;
    }
    int Identify(const Folder& folder, const std::string& name, FileIdentity& out) override {
        return Fails(Op::Identify) ? -1 : sys_.Identify(folder, name, out);
    }
    int Replace(const Folder& folder, const std::string& from, const std::string& to, int held) override {
        return Fails(Op::Replace) ? -1 : sys_.Replace(folder, from, to, held);
    }
    int Place(const Folder& folder, const std::string& from, const std::string& to) override {
        return Fails(Op::Place) ? -1 : sys_.Place(folder, from, to);
    }
    int SyncFolder(const Folder& folder) override { return Fails(Op::SyncFolder) ? -1 : sys_.SyncFolder(folder); }
    int Remove(const Folder& folder, const std::string& name) override {
        return removes ? sys_.Remove(folder, name) : 0;
    }

    int Calls(Op op) const { return calls_[static_cast<int>(op)]; }
    bool removes = true;
    int error = EIO;
    std::function<void()> before;

private:
    bool Fails(Op op) {
        const int call = ++calls_[static_cast<int>(op)];
        if (op != op_ || !(persists_ ? call >= failAt_ : call == failAt_)) return false;
        if (before) return before(), false;
        errno = error;
        return true;
    }

    IFileOps& sys_ = SystemFileOps();
    Op op_;
    int failAt_;
    bool persists_;
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
        // The process ID keeps runs from other checkouts at the same time apart.
        dir_ = fs::temp_directory_path() / ("quillet-faults-" + std::to_string(::getpid()) + "-" + info->name());
        RemoveTree(dir_);
        fs::create_directories(dir_);
        ApplyDefaults(dlg_);
        dlg_.SetChecked(IDC_ADVANCED_ENABLED, true);
        dlg_.InsertRow(IDC_SPRITE_TABLE, 0, {"2"});
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
        (void)Document().Save(path, dlg_, ops);
        EXPECT_EQ(dlg_.messages, std::vector<std::string>{std::string(kSaveError)});
    }

    fs::path dir_;
    MemoryDialog dlg_;
    const Bytes old_ = {0x01, 0x02, 0x03, 0x04};
};

// What is at the target before a save: nothing, a file, or a file with a
// second name (a hard link), which is written in place.
enum class Before { Nothing, File, LinkedFile };

// Each call of the save fails in turn, at every call the save makes of it,
// over each kind of target. Whatever fails, the old file is intact under
// every name, no temporary file is left, and the next save works. A failed
// folder sync comes after the rename: the save is reported failed, the new
// bytes are in place. A copy of the old bytes that cannot take the file's
// attributes stays the saver's own, 0600: the save goes on.
TEST_F(FaultInjection, EveryFailingFileOperationLeavesTheOldFileAndNoTemporary) {
    VectorSink expected;
    ASSERT_TRUE(EncodeParameterFile(ReadControls(dlg_), expected));
    const std::string other = (dir_ / "other.prm").string();

    for (Before before : {Before::Nothing, Before::File, Before::LinkedFile}) {
        std::set<std::string> names;
        if (before != Before::Nothing) names.insert("set.prm");
        if (before == Before::LinkedFile) names.insert("other.prm");
        for (Op op : kOps) {
            int failures = 0;
            for (int k = 1;; ++k) {
                SCOPED_TRACE(std::string(Name(op)) + " call " + std::to_string(k) + " before " +
                             std::to_string(static_cast<int>(before)));
                RemoveTree(dir_);
                fs::create_directories(dir_);
                if (before != Before::Nothing) {
                    ASSERT_TRUE(WriteFileAtomically(Target(), old_));
                }
                if (before == Before::LinkedFile) fs::create_hard_link(Target(), other);
                FailingFileOps ops(op, k);
                dlg_.messages.clear();
                (void)Document().Save(Target(), dlg_, ops);
                ASSERT_EQ(dlg_.messages.size(), 1u);
                const bool tolerated = before == Before::LinkedFile && op == Op::CopyAttributes;
                const bool failed = !tolerated && ops.Calls(op) >= k;  // else the save never made that call
                EXPECT_EQ(dlg_.messages[0], failed ? kSaveError : kSaveDone);
                const bool replaced = !failed || (op == Op::SyncFolder && before != Before::LinkedFile);
                std::set<std::string> listing = names;
                if (replaced) listing.insert("set.prm");
                EXPECT_EQ(Listing(), listing);
                for (const std::string& name : listing)
                    EXPECT_EQ(Read((dir_ / name).string()), replaced ? expected.data : old_) << name;
                if (!failed) break;
                ++failures;
            }
            const bool used = before == Before::Nothing ? op != Op::Truncate && op != Op::Identify &&
                                                              op != Op::Replace && op != Op::CopyAttributes
                              : before == Before::File ? op != Op::Truncate && op != Op::Place && op != Op::Identify
                                                       : op != Op::Replace && op != Op::Place && op != Op::CopyAttributes;
            EXPECT_EQ(failures >= 1, used) << Name(op);
        }
    }
}

// A file with a second name is written in place. When writing it fails and
// goes on failing, so that even the old bytes cannot be put back, the copy
// of them made before the first new byte stays beside it, the message names
// it and so does the next open; a write that fails once is undone from memory.
TEST_F(FaultInjection, AnInPlaceSaveThatCannotRestoreKeepsTheOldBytesBesideIt) {
    ASSERT_TRUE(WriteFileAtomically(Target(), old_));
    fs::create_hard_link(Target(), dir_ / "other.prm");
    const Bytes bytes = {7, 7, 7};
    FailingFileOps ops(Op::WriteAt, 2, true);  // the copy is written, then nothing more
    const Result failed = WriteFileAtomically(Target(), bytes, ops);
    ASSERT_FALSE(failed);
    std::set<std::string> names = Listing();
    ASSERT_EQ(names.size(), 3u);
    names.erase("set.prm");
    names.erase("other.prm");
    const std::string copy = *names.begin();
    EXPECT_EQ(Read((dir_ / copy).string()), old_);
    HeldFile held;
    ASSERT_TRUE(held.Open(Target(), HeldFile::Use::Inspect));
    EXPECT_EQ(failed.GetProblem().message, "cannot write the file: " + std::string(std::strerror(EIO)) +
                                               "; its old bytes are in " + SplitPath(held.Path()).first + copy);
    EXPECT_EQ(held.LeftoverCopies(1 << 16), std::vector<std::string>{SplitPath(held.Path()).first + copy});
    // Only a copy a save made for this file is named: not a name of the same
    // form made for another, nor an empty file or one of another user under its name.
    std::string planted = copy;
    planted[planted.find(".~") + 2] ^= 1;
    fs::copy_file(dir_ / copy, dir_ / planted);
    fs::resize_file(dir_ / copy, 0);
    EXPECT_EQ(held.LeftoverCopies(1 << 16), std::vector<std::string>{});
#ifndef _WIN32
    fs::resize_file(dir_ / copy, old_.size());
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown((dir_ / copy).c_str(), 65534, 65534), 0);
        EXPECT_EQ(held.LeftoverCopies(1 << 16), std::vector<std::string>{});
    }
#endif
    fs::remove(dir_ / planted);
    fs::remove(dir_ / copy);

    // The editor's message says where they are too.
    FailingFileOps again(Op::WriteAt, 2, true);
    dlg_.messages.clear();
    (void)Document().Save(Target(), dlg_, again);
    names = Listing();
    names.erase("set.prm");
    names.erase("other.prm");
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(dlg_.messages, std::vector<std::string>{std::string(kSaveError) + "\n" + std::string(kOldBytesKeptIn) +
                                                      SplitPath(held.Path()).first + *names.begin()});

    fs::remove(dir_ / copy);
    ASSERT_TRUE(WriteFileAtomically(Target(), old_));
    FailingFileOps once(Op::WriteAt, 2);
    const Result undone = WriteFileAtomically(Target(), bytes, once);
    EXPECT_NE(undone.GetProblem().message.find("the file keeps its old bytes"), std::string::npos);
    EXPECT_EQ(Listing(), (std::set<std::string>{"other.prm", "set.prm"}));
    EXPECT_EQ(Read((dir_ / "other.prm").string()), old_);
}

// Another process swaps the checked name for a file of its own between the
// check and the write, for a file saved by rename and for one written in
// place: nothing is written, neither file changes, and the save says why.
TEST_F(FaultInjection, ANameSwappedAfterTheCheckRedirectsNothing) {
    const Bytes theirs = {6, 6, 6};
    for (const bool linked : {false, true}) {
        SCOPED_TRACE(linked ? "in place" : "by rename");
        RemoveTree(dir_);
        fs::create_directories(dir_ / "theirs");
        ASSERT_TRUE(WriteFileAtomically(Target(), old_));
        if (linked) fs::create_hard_link(Target(), dir_ / "other.prm");
        const std::string victim = (dir_ / "theirs" / "victim.prm").string();
        ASSERT_TRUE(WriteFileAtomically(victim, theirs));
        FailingFileOps ops(Op::CreateExclusive, 1);
        ops.before = [&] {
            fs::rename(Target(), dir_ / "moved.prm");
#ifdef _WIN32
            fs::rename(victim, Target());
#else
            fs::create_symlink("theirs/victim.prm", Target());
#endif
        };
        const Result saved = WriteFileAtomically(Target(), {9, 9}, ops);
        ASSERT_FALSE(saved);
        EXPECT_NE(saved.GetProblem().message.find("replaced meanwhile"), std::string::npos);
        EXPECT_EQ(Read(Target()), theirs);
        EXPECT_EQ(Read((dir_ / "moved.prm").string()), old_);
        EXPECT_EQ(Listing().size(), linked ? 4u : 3u);
    }

    // Another process exchanges the name with another file's right before
    // the replacement: the replacement finds the file it took out is not the
    // one held and puts it back.
    RemoveTree(dir_);
    fs::create_directories(dir_);
    const std::string other = (dir_ / "other.prm").string();
    ASSERT_TRUE(WriteFileAtomically(Target(), old_));
    ASSERT_TRUE(WriteFileAtomically(other, theirs));
    FailingFileOps ops(Op::Replace, 1);
    ops.before = [&] {
        fs::rename(Target(), dir_ / "swap");
        fs::rename(other, Target());
        fs::rename(dir_ / "swap", other);
    };
    const Result saved = WriteFileAtomically(Target(), {9, 9}, ops);
    EXPECT_EQ(saved.GetProblem().message, "the file was replaced meanwhile; nothing written");
    EXPECT_EQ(Read(Target()), theirs);
    EXPECT_EQ(Read(other), old_);
    EXPECT_EQ(Listing(), (std::set<std::string>{"other.prm", "set.prm"}));
}

// The system's reason reaches the message; a write that writes nothing is a
// full disk; a name taken meanwhile is tried again; and where the new file
// cannot carry the attributes, or the system cannot check what it replaces
// in the same step, the file is written in place.
TEST_F(FaultInjection, EachFailureIsMetAsItsCauseAsks) {
    struct Case {
        Op op;
        int error;
        bool inPlace;         // when saved
        const char* message;  // when not
    };
    const Case cases[] = {
        {Op::WriteAt, ENOSPC, false, "cannot write the file: No space left on device"},
        {Op::WriteAt, 0, false, "cannot write the file: No space left on device"},
        {Op::CreateExclusive, EEXIST, false, ""},
        {Op::CopyAttributes, ENOTSUP, true, ""},
        {Op::Replace, ENOTSUP, true, ""},
        {Op::Replace, EXDEV, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(Name(c.op)) + " " + std::to_string(c.error));
        ASSERT_TRUE(WriteFileAtomically(Target(), old_));
        struct stat before {}, after {};
        ::stat(Target().c_str(), &before);
        FailingFileOps ops(c.op, 1);
        ops.error = c.error;
        const Result saved = WriteFileAtomically(Target(), {4, 4}, ops);
        EXPECT_EQ(saved ? std::string() : saved.GetProblem().message, c.message);
        EXPECT_EQ(Read(Target()), saved ? Bytes({4, 4}) : old_);
        EXPECT_EQ(Listing(), std::set<std::string>{"set.prm"});
        ::stat(Target().c_str(), &after);
        EXPECT_TRUE(!saved || after.st_ino == 0 || (after.st_ino == before.st_ino) == c.inPlace);  // Windows: no index
    }
}

#ifndef _WIN32
// Nobody else may open what a save makes before it carries the original's
// owner, mode, ACL and attributes, even with every umask bit clear; and
// after the save the file carries exactly those again.
TEST_F(FaultInjection, ASaveShowsNoByteEarlyAndKeepsAclsAndAttributes) {
    ASSERT_TRUE(WriteFileAtomically(Target(), old_));
    ASSERT_EQ(::chmod(Target().c_str(), 0600), 0);
    acl_t acl = acl_from_text("u::rw-,u:65534:rw-,g::---,m::rw-,o::---");
    ASSERT_NE(acl, nullptr);
    const int set = acl_set_file(Target().c_str(), ACL_TYPE_ACCESS, acl);
    acl_free(acl);
    if (set != 0 || ::setxattr(Target().c_str(), "user.game", "x1", 2, 0) != 0)
        GTEST_SKIP() << "this file system keeps no ACLs or user attributes: " << std::strerror(errno);
    const auto aclText = [](const std::string& path) {
        acl_t a = acl_get_file(path.c_str(), ACL_TYPE_ACCESS);
        char* text = acl_to_any_text(a, nullptr, ',', 0);
        std::string out = text;
        acl_free(text);
        acl_free(a);
        return out;
    };
    const std::string before = aclText(Target());
    const mode_t mask = ::umask(0);
    for (const bool linked : {false, true}) {
        if (linked) fs::create_hard_link(Target(), dir_ / "other.prm");
        std::vector<std::string> seen;  // what each new file was when it took the attributes
        FailingFileOps ops(Op::CopyAttributes, 1, true);
        ops.before = [&] {
            for (const std::string& name : Listing()) {
                struct stat st;
                if (name.find(".~") != std::string::npos && name != LockName("set.prm") && ::stat((dir_ / name).c_str(), &st) == 0)
                    seen.push_back(std::to_string(st.st_mode & 07777) + "/" + std::to_string(st.st_size));
            }
        };
        EXPECT_TRUE(WriteFileAtomically(Target(), {5, 5}, ops));
        EXPECT_EQ(seen, std::vector<std::string>{std::to_string(0600) + "/0"});
        EXPECT_EQ(aclText(Target()), before);
        char value[8] = {};
        EXPECT_EQ(::getxattr(Target().c_str(), "user.game", value, sizeof value), 2);
        EXPECT_STREQ(value, "x1");
    }
    ::umask(mask);
}
#endif

// Saves that were cut off (their temporary files stay) never block the next,
// and a temporary file left by someone else is neither reused nor removed.
TEST_F(FaultInjection, LeftoverTemporaryFilesNeverBlockASave) {
    ASSERT_TRUE(WriteFileAtomically(Target(), old_));
    for (int i = 0; i < 100; ++i) {
        FailingFileOps killed(Op::Replace, 1);
        killed.removes = false;
        (void)Document().Save(Target(), dlg_, killed);
    }
    const std::string foreign = Target() + ".~tmp0";
    ASSERT_TRUE(WriteFileAtomically(foreign, old_));
    ASSERT_EQ(Listing().size(), 102u);
    dlg_.messages.clear();
    (void)Document().Save(Target(), dlg_);
    EXPECT_EQ(dlg_.messages, std::vector<std::string>{std::string(kSaveDone)});
    EXPECT_NE(Read(Target()), old_);
    EXPECT_EQ(Read(foreign), old_);
    EXPECT_EQ(Listing().size(), 102u);
}

// A name as long as the system allows, in bytes of UTF-8, cut nowhere near a
// character boundary by the temporary name: the save still works.
TEST_F(FaultInjection, TheLongestNameSaves) {
    std::string name = "a";
    while (name.size() + 3 <= 251) name += "参";  // 1 + 83 * 3 = 250 bytes
    name += ".prm";                                 // 254
    name = "b" + name;                              // 255
    ASSERT_EQ(name.size(), 255u);
    const std::string path = dir_.string() + "/" + name;  // UTF-8, as the file layer takes paths
    (void)Document().Save(path, dlg_);
    (void)Document().Save(path, dlg_);  // over itself
    EXPECT_EQ(dlg_.messages, (std::vector<std::string>{std::string(kSaveDone), std::string(kSaveDone)}));
    EXPECT_TRUE(fs::exists(fs::u8path(path)));
    EXPECT_EQ(Listing().size(), 1u);
    const std::string temp = TemporaryName(path, ~0ull);
    const std::string tempName = temp.substr(temp.find_last_of('/') + 1);
    EXPECT_LE(tempName.size(), 255u);
    const std::size_t kept = tempName.find(".~");
    EXPECT_EQ(tempName.substr(0, kept), name.substr(0, kept));
    EXPECT_EQ((kept - 2) % 3, 0u);  // whole characters only
    EXPECT_EQ(TemporaryName("dir/set.prm", 0xFEDCBA9876543210u), "dir/set.prm.~ba9876543210.tmp");
    const std::string ascii = dir_.string() + "/" + std::string(251, 'x') + ".prm";  // 255 bytes
    for (int twice = 0; twice < 2; ++twice) {
        const Result saved = WriteFileAtomically(ascii, old_);
        EXPECT_TRUE(saved) << saved.GetProblem().message;
    }

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

// new never replaces anything: a file, a folder or a dangling link is
// refused and left as it was, and a failing step leaves nothing behind.
TEST_F(FaultInjection, ANewFileIsMadeOnlyWhereNothingIs) {
    const Bytes bytes = {9, 8, 7};
    ASSERT_TRUE(WriteFileAtomically(Target(), old_));
    fs::create_directory(dir_ / "folder.prm");
    std::vector<std::string> taken = {Target(), (dir_ / "folder.prm").string()};
#ifndef _WIN32
    fs::create_symlink("nowhere.prm", dir_ / "dangling.prm");
    taken.push_back((dir_ / "dangling.prm").string());
#endif
    const std::set<std::string> before = Listing();
    for (const std::string& path : taken) {
        errno = 0;
        EXPECT_FALSE(WriteNewFile(path, bytes)) << path;
        EXPECT_EQ(errno, EEXIST) << path;
    }
    EXPECT_EQ(Listing(), before);
    EXPECT_EQ(Read(Target()), old_);

    const std::string fresh = (dir_ / "new.prm").string();
    for (Op op : {Op::CreateExclusive, Op::WriteAt, Op::Close, Op::Place}) {
        FailingFileOps ops(op, 1);
        EXPECT_FALSE(WriteNewFile(fresh, bytes, ops)) << Name(op);
        EXPECT_EQ(Listing(), before) << Name(op);
    }
    EXPECT_TRUE(WriteNewFile(fresh, bytes));
    EXPECT_EQ(Read(fresh), bytes);
#ifndef _WIN32
    // Nor does a save through a link to nothing make the file it leads to.
    const Result saved = WriteFileAtomically((dir_ / "dangling.prm").string(), bytes);
    EXPECT_EQ(saved.GetProblem().message,
              "cannot write the file: it is a link to a file that does not exist; nothing created");
    EXPECT_FALSE(fs::exists(dir_ / "nowhere.prm"));
#endif
}

#ifndef _WIN32
// A new file is made as any program makes one: the umask applies, or the
// folder's default ACL, which may be narrower than any mode the umask leaves.
TEST_F(FaultInjection, ANewFileFollowsTheUmaskAndTheFoldersDefaultAcl) {
    const auto modeOf = [](const fs::path& path) {
        struct stat st;
        return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0u;
    };
    const mode_t mask = ::umask(027);
    EXPECT_TRUE(WriteNewFile((dir_ / "new.prm").string(), old_));
    EXPECT_TRUE(WriteFileAtomically(Target(), old_));
    EXPECT_EQ(modeOf(dir_ / "new.prm"), 0640u);
    EXPECT_EQ(modeOf(Target()), 0640u);
    ::umask(022);
    fs::create_directory(dir_ / "acl");
    acl_t acl = acl_from_text("u::rw-,g::---,o::---");
    const int set = acl_set_file((dir_ / "acl").c_str(), ACL_TYPE_DEFAULT, acl);
    acl_free(acl);
    if (set == 0) {
        EXPECT_TRUE(WriteNewFile((dir_ / "acl" / "new.prm").string(), old_));
        EXPECT_TRUE(WriteFileAtomically((dir_ / "acl" / "set.prm").string(), old_));
        EXPECT_EQ(modeOf(dir_ / "acl" / "new.prm"), 0600u);
        EXPECT_EQ(modeOf(dir_ / "acl" / "set.prm"), 0600u);
    }
    ::umask(mask);
    if (set != 0) GTEST_SKIP() << "this file system keeps no default ACLs: " << std::strerror(errno);
}

// A folder that keeps whatever is made in it (append-only) is given nothing
// that could never be removed: a new file is written under its own name, a
// file is saved in place with its old bytes in memory, no lock file is made.
TEST_F(FaultInjection, AnAppendOnlyFolderGetsNoFileItCannotRemove) {
    const int folder = ::open(dir_.c_str(), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    const bool got = ::ioctl(folder, FS_IOC_GETFLAGS, &flags) == 0;
    flags |= FS_APPEND_FL;
    if (!got || ::ioctl(folder, FS_IOC_SETFLAGS, &flags) != 0) {
        ::close(folder);
        GTEST_SKIP() << "cannot make the folder append-only here: " << std::strerror(errno);
    }
    EXPECT_TRUE(WriteNewFile(Target(), old_));
    EXPECT_TRUE(WriteFileAtomically(Target(), {1, 2}));
    EXPECT_EQ(Listing(), std::set<std::string>{"set.prm"});
    EXPECT_EQ(Read(Target()), (Bytes{1, 2}));
    flags &= ~FS_APPEND_FL;
    ::ioctl(folder, FS_IOC_SETFLAGS, &flags);
    ::close(folder);
}

// No reader holds up a save, whatever lock it takes through its own
// descriptor; the lock of a changer is a file a reader cannot open, gone
// after the save, and one a killed changer left blocks nothing.
TEST_F(FaultInjection, NoReaderHoldsUpASave) {
    ASSERT_TRUE(WriteFileAtomically(Target(), old_));
    ASSERT_EQ(::chmod(Target().c_str(), 0644), 0);
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t reader = ::fork();
    if (reader == 0) {
        const int fd = ::open(Target().c_str(), O_RDONLY);
        struct flock range = {};
        range.l_type = F_RDLCK;
        const bool locked = ::flock(fd, LOCK_EX) == 0 && ::fcntl(fd, F_SETLK, &range) == 0;
        (void)!::write(ready[1], locked ? "y" : "n", 1);
        ::pause();
        _exit(0);
    }
    char locked = 0;
    ASSERT_EQ(::read(ready[0], &locked, 1), 1);
    EXPECT_EQ(locked, 'y');
    {
        HeldFile held;
        ASSERT_TRUE(held.Open(Target(), HeldFile::Use::Change));
        struct stat lock;
        ASSERT_EQ(::stat((dir_ / LockName("set.prm")).c_str(), &lock), 0);
        EXPECT_EQ(lock.st_mode & 077, 0u);
        EXPECT_TRUE(held.Save({3, 3}));
    }
    ::kill(reader, SIGKILL);
    ::waitpid(reader, nullptr, 0);
    EXPECT_EQ(Read(Target()), (Bytes{3, 3}));
    ::close(::open((dir_ / LockName("set.prm")).c_str(), O_CREAT | O_WRONLY, 0600));
    EXPECT_TRUE(WriteFileAtomically(Target(), old_));
    EXPECT_EQ(Listing(), std::set<std::string>{"set.prm"});
}
#endif

#ifndef _WIN32
// Runs job in a child process as the user nobody and returns its exit status.
int AsNobody(const std::function<int()>& job) {
    const pid_t pid = ::fork();
    if (pid == 0) _exit(::setgid(65534) == 0 && ::setuid(65534) == 0 ? job() : 100);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Whether a save may replace a file is asked of the file, for this user: a
// folder anyone may write does not make root's 0644 file anyone's.
TEST_F(FaultInjection, OnlyAUserWhoMayWriteTheFileReplacesIt) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
    const std::string shared = (dir_ / "shared.prm").string();
    ASSERT_TRUE(WriteFileAtomically(Target(), old_));
    ASSERT_TRUE(WriteFileAtomically(shared, old_));
    fs::permissions(dir_, fs::perms::all);
    fs::permissions(Target(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                  fs::perms::others_read);
    fs::permissions(shared, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                fs::perms::group_write | fs::perms::others_read | fs::perms::others_write);
    const Bytes bytes = {5, 6};
    const int status = AsNobody([&] {
        const bool refused = !WriteFileAtomically(Target(), bytes) && errno == EACCES;
        return (refused ? 0 : 1) | (WriteFileAtomically(shared, bytes) ? 0 : 2);
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Read(Target()), old_);
    EXPECT_EQ(Read(shared), bytes);
    EXPECT_EQ(Listing(), (std::set<std::string>{"set.prm", "shared.prm"}));
}
#endif

}  // namespace
