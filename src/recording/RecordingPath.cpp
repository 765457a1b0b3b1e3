#include "recording/RecordingPath.h"

#include <filesystem>

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
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::symlink_status(RecordingFilePath(folder, fileName), ec));
}

std::string AutomaticFileStem(std::time_t t)
{
    std::tm local{};
    localtime_r(&t, &local);
    char text[32];
    const std::size_t n = std::strftime(text, sizeof text, "%Y%m%d_%H%M%S", &local);
    return std::string(text, n);
}

bool IsPlainFileName(const std::string& fileName)
{
    return !fileName.empty() && fileName != "." && fileName != ".."
        && fileName.find('/') == std::string::npos && fileName.find('\0') == std::string::npos;
}
