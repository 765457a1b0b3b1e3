#include "recording/RecordingPath.h"

#include "platform/File.h"

#include <climits>
#include <filesystem>
#include <unistd.h>

std::string RecordingFilePath(const std::string& folder, const std::string& fileName)
{
    if (folder.empty())
        return fileName;
    if (folder.back() == '/')
        return folder + fileName;
    return folder + "/" + fileName;
}

bool RecordingFileExists(const std::string& folder, const std::string& fileName)
{
    return FileIdentityAt(RecordingFilePath(folder, fileName)).has_value();
}

std::string AutomaticFileStem(std::time_t t)
{
    std::tm local{};
    localtime_r(&t, &local);
    char text[32];
    const std::size_t n = std::strftime(text, sizeof text, "%Y%m%d_%H%M%S", &local);
    return std::string(text, n);
}

std::string NumberedStem(const std::string& stem, int number)
{
    return number <= 1 ? stem : stem + "_" + std::to_string(number);
}

namespace {

// The longest file name, in bytes, that the file system of the folder (or of the nearest
// folder above it that exists) takes.
std::size_t LongestFileName(std::filesystem::path folder)
{
    std::error_code ec;
    folder = std::filesystem::absolute(folder.empty() ? "." : folder, ec);
    for (; !folder.empty(); folder = folder.parent_path()) {
        const long longest = ::pathconf(folder.c_str(), _PC_NAME_MAX);
        if (longest > 0)
            return static_cast<std::size_t>(longest);
        if (folder == folder.parent_path())
            break;
    }
    return NAME_MAX;
}

}  // namespace

bool IsPlainFileName(const std::string& fileName, const std::string& folder)
{
    return !fileName.empty() && fileName != "." && fileName != ".."
        && fileName.find('/') == std::string::npos && fileName.find('\0') == std::string::npos
        && !IsFileNameTooLong(fileName, folder);
}

bool IsFileNameTooLong(const std::string& fileName, const std::string& folder)
{
    return fileName.size() > LongestFileName(folder);
}
