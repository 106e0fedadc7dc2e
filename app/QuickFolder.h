// Where "快存" and "快取" keep their file: the folder the program started
// in, then the folder of each file chosen in a file dialog. Browsing in a
// file dialog, or cancelling it, moves the process's current folder on some
// systems; this one stays where the user last chose a file.
#pragma once

#include <string>

class CQuickFolder {
public:
    // The process's current folder, as the program starts.
    CQuickFolder();

    // A file chosen in a file dialog, by its full path: its folder is the quick folder from now on.
    void FileChosen(const std::wstring& path);
    // The full path of the quick file.
    std::wstring QuickFile() const;

private:
    std::wstring m_folder;  // ends with a separator
};
