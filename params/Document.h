// The file the user has open: where it is, what a save would have written
// right after its last load or save, and what the file held then. The
// editor dialog and prmtool both open, load and save through it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ControlAccess.h"
#include "FileIo.h"
#include "ParameterFile.h"

namespace params {

// What is read of a file that may be a parameter file: one byte more than
// the walk reads tells whether anything follows its last field.
constexpr std::size_t kReadLimit = kMaxFileSize + 1;

class Document {
public:
    // Opens the file the user named (an argument, a drop, prmtool): all of
    // it, with "使用" set exactly when it holds the advanced block. Silent when
    // it succeeds; "读取错误" and nothing changed when not. With
    // HeldFile::Use::Change the file stays held, locked, for the next Save of
    // the same path. Strictness::Keep keeps names byte for byte.
    Result OpenWhole(const std::string& path, IControlAccess& controls, HeldFile::Use use = HeldFile::Use::Read,
                     Strictness strictness = Strictness::Load);

    // Opens bytes already read (at most kReadLimit of them) as OpenWhole
    // opens a file, for a source that can be read only once.
    Result OpenBytes(std::vector<std::uint8_t> bytes, IControlAccess& controls);

    // "读取" and "快取": the advanced block only while "使用" is set; shows
    // "读取完成", or "读取错误" with nothing changed.
    Result Load(const std::string& path, IControlAccess& controls);

    // "保存" and "快存": shows "保存完成" or "保存错误".
    Result Save(const std::string& path, IControlAccess& controls, IFileOps& ops = SystemFileOps());

    // Writes the controls as a new file, only where nothing is at path yet.
    Result Create(const std::string& path, const IControlAccess& controls);

    // The controls as they are now count as unchanged, with no file (start-up).
    void Clear(const IControlAccess& controls);

    // Whether a save would now write other bytes than it would have right
    // after the last load or save.
    bool IsModified(const IControlAccess& controls) const;

    // Whether the file last loaded or saved holds other bytes now than it did then.
    bool ChangedOnDisk() const;

    // Whether a save to path would replace the file last loaded or saved:
    // the same file by any name (a hard link, a linked folder, other letter
    // case), or, where another program put a new file there since, its name
    // in the same folder.
    bool IsLastFile(const std::string& path) const;

    // The file's full path, "" before any file.
    const std::string& Path() const { return path_; }

    // Bytes after the last field of the file last opened, which a save does not write back.
    std::size_t DroppedBytes() const { return dropped_; }

private:
    // The file's image, and which file it was read from.
    Result Read(const std::string& path, HeldFile::Use use, bool wantAdvanced, Strictness strictness,
                ParameterImage& image, FileIdentity& from);
    Result Decode(std::vector<std::uint8_t> bytes, bool wantAdvanced, Strictness strictness, ParameterImage& image);
    void Show(const ParameterImage& image, IControlAccess& controls);
    // The controls now count as unchanged against path, which led to the file
    // read (from), or when none was, to whatever path leads to now.
    void Take(const std::string& path, const IControlAccess& controls, std::optional<FileIdentity> from = {});

    std::string path_;
    std::vector<std::uint8_t> clean_;  // what a save would have written right after the last load or save
    std::vector<std::uint8_t> disk_;   // what the file held then
    std::size_t dropped_ = 0;
    HeldFile held_;
    std::optional<FileIdentity> file_, folder_;  // what path_ and its folder led to then
};

}  // namespace params
