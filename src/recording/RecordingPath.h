#pragma once
// How the recording files are named and placed in the output folder.

#include <ctime>
#include <string>

// The path of a recording file: the folder, "/", the file name (the name alone when the
// folder is empty). The saved-file settings dialog checks for existing files with the same
// join as the recording manager uses to create them.
std::string RecordingFilePath(const std::string& folder, const std::string& fileName);

// Whether anything stands where the recording manager would create this file: a file, a
// folder or a link, a dangling link too (links are not followed), since the recording would
// replace it.
bool RecordingFileExists(const std::string& folder, const std::string& fileName);

// Where a recording file belongs: its folder, its own name, and the stem and extension of
// the names it takes where its own is taken.
struct sRecordingPlace {
    std::string folder;
    std::string name;
    std::string stem;
    std::string extension;
};

// The automatic file name stem of a recording that starts at t: local time "%Y%m%d_%H%M%S".
std::string AutomaticFileStem(std::time_t t);

// The names a recording file takes where its own is taken: "<stem>_2", "<stem>_3", ... up
// to this number. NumberedStem gives the stem alone for 1.
inline constexpr int kLastStemNumber = 999;
std::string NumberedStem(const std::string& stem, int number);

// A name that the recording manager can place in its folder: not empty, not "." or "..",
// without "/" or a zero byte, and not longer than the file system takes in that folder
// (NAME_MAX bytes, 255 on the usual file systems, where the folder cannot be asked).
bool IsPlainFileName(const std::string& fileName, const std::string& folder = {});

// Whether the name is longer than the file system takes in that folder (the last of the
// rules above), which the saved-file settings tell the user apart from the others.
bool IsFileNameTooLong(const std::string& fileName, const std::string& folder = {});
