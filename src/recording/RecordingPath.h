#pragma once
// How the recording files are named and placed in the output folder.

#include <ctime>
#include <optional>
#include <string>

// The path of a recording file: the folder, "/", the file name (the name alone when the
// folder is empty). The saved-file settings dialog checks for existing files with the same
// join as the recording manager uses to create them.
std::string RecordingFilePath(const std::string& folder, const std::string& fileName);

// Whether anything stands where the recording manager would create this file: a file, a
// folder or a link, a dangling link too (links are not followed), since the recording would
// replace it.
bool RecordingFileExists(const std::string& folder, const std::string& fileName);

// What stands at a path, told apart from anything that takes its place later: the file
// system's device and file number, and the time of its last change, since a file number
// is given again to a file made after one was removed (links are not followed).
struct sFileIdentity {
    unsigned long long device = 0;
    unsigned long long inode = 0;
    long long changedSeconds = 0;
    long changedNanoseconds = 0;
    bool operator==(const sFileIdentity&) const = default;
};
// Nothing when nothing stands at the path.
std::optional<sFileIdentity> FileIdentityAt(const std::string& path);

// The automatic file name stem of a recording that starts at t: local time "%Y%m%d_%H%M%S".
std::string AutomaticFileStem(std::time_t t);

// A name that the recording manager can place in its folder: not empty, not "." or "..",
// without "/" or a zero byte, and not longer than the file system takes in that folder
// (NAME_MAX bytes, 255 on the usual file systems, where the folder cannot be asked).
bool IsPlainFileName(const std::string& fileName, const std::string& folder = {});

// Whether the name is longer than the file system takes in that folder (the last of the
// rules above), which the saved-file settings tell the user apart from the others.
bool IsFileNameTooLong(const std::string& fileName, const std::string& folder = {});
