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

// The automatic file name stem of a recording that starts at t: local time "%Y%m%d_%H%M%S".
std::string AutomaticFileStem(std::time_t t);

// A name that the recording manager can place in its folder: not empty, not "." or "..",
// and without "/" or a zero byte.
bool IsPlainFileName(const std::string& fileName);
