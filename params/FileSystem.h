// What the file layer asks of each system beyond the calls of a save: opening
// what a path names, locking, reading, listing a folder.
#pragma once

#include <cerrno>
#include <string>
#include <vector>

#include "FileIo.h"

// The entry no longer leads to the file held. Windows' C library has no such error.
#ifndef ESTALE
#define ESTALE 116
#endif

namespace params::fs {

// What a path resolved to.
struct Resolved {
    Folder folder;       // open for Use::Change, or when the file is regular
    std::string name;    // the file's name in folder
    int fd = -1;         // the file, or -1 where nothing is yet
    FileIdentity identity;
    int unwritable = EACCES;  // why it could not be opened for writing; 0 when it was
    bool regular = false;
    bool inPlace = false;  // other names share it, or a new file could not carry its owner
    bool swapped = false;  // the name led to another file while it was being opened: try again
};

// The refusal of a path that is a link to nothing: where it leads is not
// this user's choice, and nothing is made there.
Result DanglingLink();

// Resolves path once, the system following every link, and opens it:
// read-only for Use::Read and Use::Inspect, for reading and writing where
// allowed for Use::Change; a regular file with the folder the system says it
// is in, except for Use::Read, which wants only the file's bytes and identity.
// A path that names nothing is an error for reading, and for Use::Change
// holds just its folder. Whether the folder's entry is still the file opened
// is the caller's to check.
Result ResolveOnce(const std::string& path, HeldFile::Use use, Resolved& out);

// Takes the lock of a changer of the file name in folder, open as fd,
// without waiting: where the folder allows, a lock file (LockName) only those
// who may write the file can open, so no reader can hold up a change. The
// descriptor that holds it, or -1 when another does. A killed holder's lock
// goes with it.
int TryLock(const Folder& folder, const std::string& name, int fd);

// Gives up a lock TryLock took.
void Unlock(const Folder& folder, const std::string& name, int lock);

// Waits a moment, for another changer to finish.
void Pause();

// Reads at offset; the bytes read, 0 at the end, -1 on failure.
long long ReadAt(int fd, std::uint8_t* bytes, std::size_t count, std::uint64_t offset);

// The open file's size in bytes; 0 when the system cannot tell.
std::uint64_t SizeOf(int fd);

void CloseFile(int fd);
void CloseFolder(Folder& folder);

// Opens the folder path names ("" for the current one).
Result OpenFolder(const std::string& path, Folder& out);

// The kind, owner, size and number of names of the entry name in folder (a link is not followed).
struct EntryFacts {
    bool regular = false;
    bool mine = false;  // this user's, or for a file of another owner that user's
    std::uint64_t size = 0;
    std::uint64_t links = 0;
};
bool Inspect(const Folder& folder, const std::string& name, int ownerOf, EntryFacts& out);

// Refuses a name no file can have here (on Windows, a device's: AUX, COM1, ...).
Result UsableName(const std::string& name);

// The path from the root, as the system would resolve path now; path itself when it cannot tell.
std::string FullPath(const std::string& path);

// Which file or folder path leads to now, every link followed; false when none.
bool IdentifyPath(const std::string& path, FileIdentity& out);


}  // namespace params::fs
