#include "Document.h"

#include "Fields.h"
#include "Walks.h"

namespace params {
namespace {

std::vector<std::uint8_t> SaveBytesOf(const IControlAccess& controls) {
    return BytesToSave(controls).value_or(std::vector<std::uint8_t>{});
}

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    FileIdentity id;
    return IdentifyPath(path, id) ? std::optional(id) : std::nullopt;
}

}  // namespace

Result Document::Read(const std::string& path, HeldFile::Use use, bool wantAdvanced, Strictness strictness,
                      ParameterImage& image, FileIdentity& from) {
    HeldFile file;
    std::vector<std::uint8_t> bytes;
    if (Result opened = file.Open(path, use); !opened) return opened;
    if (Result read = file.Read(kReadLimit, bytes); !read) return read;
    if (Result decoded = Decode(std::move(bytes), wantAdvanced, strictness, image); !decoded) return decoded;
    from = file.Identity();
    if (use == HeldFile::Use::Change) held_ = std::move(file);
    return {};
}

Result Document::Decode(std::vector<std::uint8_t> bytes, bool wantAdvanced, Strictness strictness,
                        ParameterImage& image) {
    if (Result decoded = DecodeParameterFile(bytes, wantAdvanced, strictness, image); !decoded)
        return Result::Fail("damaged: " + decoded.GetProblem().Describe());
    VectorSink kept;
    dropped_ = EncodeParameterFile(image, kept) && bytes.size() > kept.data.size() ? bytes.size() - kept.data.size() : 0;
    disk_ = std::move(bytes);
    return {};
}

void Document::Show(const ParameterImage& image, IControlAccess& controls) {
    controls.SetChecked(IDC_ADVANCED_ENABLED, image.advanced);
    if (!image.advanced) ApplyAdvancedDefaults(controls);  // nothing of another file's shows
    ApplyImage(image, controls);
}

Result Document::OpenWhole(const std::string& path, IControlAccess& controls, HeldFile::Use use,
                           Strictness strictness) {
    ParameterImage image;
    FileIdentity from;
    if (Result read = Read(path, use, true, strictness, image, from); !read) {
        controls.ShowMessage(kLoadError);
        return read;
    }
    Show(image, controls);
    Take(path, controls, from);
    return {};
}

Result Document::OpenBytes(std::vector<std::uint8_t> bytes, IControlAccess& controls) {
    ParameterImage image;
    if (Result decoded = Decode(std::move(bytes), true, Strictness::Load, image); !decoded) return decoded;
    Show(image, controls);
    clean_ = SaveBytesOf(controls);
    return {};
}

Result Document::Load(const std::string& path, IControlAccess& controls) {
    ParameterImage image;
    FileIdentity from;
    if (Result read = Read(path, HeldFile::Use::Read, controls.IsChecked(IDC_ADVANCED_ENABLED), Strictness::Load,
                           image, from);
        !read) {
        controls.ShowMessage(kLoadError);
        return read;
    }
    ApplyImage(image, controls);
    Take(path, controls, from);  // before the message, which the editor shows under its new caption
    controls.ShowMessage(kLoadDone);
    return {};
}

Result Document::Save(const std::string& path, IControlAccess& controls, IFileOps& ops) {
    const auto bytes = BytesToSave(controls);
    Result saved = bytes ? Result{} : Result::Fail("the table or a name is larger than a file can hold");
    // The file opened for this change is saved as it was checked; any other is opened now.
    if (saved && !held_.IsHeldFor(path)) saved = held_.Open(path, HeldFile::Use::Change);
    if (saved) saved = held_.Save(*bytes, ops);
    held_ = HeldFile{};
    if (saved) {
        disk_ = *bytes;
        Take(path, controls);  // before the message, which the editor shows under its new caption
    }
    std::string message(saved ? kSaveDone : kSaveError);
    if (!saved) {
        const std::string& problem = saved.GetProblem().message;
        if (const std::size_t at = problem.find(kOldBytesIn); at != std::string::npos)
            message += "\n" + std::string(kOldBytesKeptIn) + problem.substr(at + kOldBytesIn.size());
    }
    controls.ShowMessage(message);
    return saved;
}

Result Document::Create(const std::string& path, const IControlAccess& controls) {
    const auto bytes = BytesToSave(controls);
    if (!bytes) return Result::Fail("the table or a name is larger than a file can hold");
    if (Result made = WriteNewFile(path, *bytes); !made) return made;
    disk_ = *bytes;
    Take(path, controls);
    return {};
}

void Document::Clear(const IControlAccess& controls) {
    path_.clear();
    file_.reset();
    folder_.reset();
    disk_.clear();
    clean_ = SaveBytesOf(controls);
}

bool Document::IsModified(const IControlAccess& controls) const {
    const auto bytes = BytesToSave(controls);
    return !bytes || *bytes != clean_;
}

bool Document::ChangedOnDisk() const {
    if (path_.empty()) return false;
    std::vector<std::uint8_t> now;
    return !ReadFilePrefix(path_, kReadLimit, now) || now != disk_;
}

bool Document::IsLastFile(const std::string& path) const {
    if (path_.empty()) return false;
    const std::string full = FullPath(path);
    if (full == path_) return true;
    if (file_ && IdentityOf(full) == file_) return true;
    const auto [folder, name] = SplitPath(full);
    return folder_ && name == SplitPath(path_).second && IdentityOf(folder) == folder_;
}

void Document::Take(const std::string& path, const IControlAccess& controls, std::optional<FileIdentity> from) {
    path_ = FullPath(path);
    clean_ = SaveBytesOf(controls);
    file_ = from ? from : IdentityOf(path_);
    folder_ = IdentityOf(SplitPath(path_).first);
}

}  // namespace params
