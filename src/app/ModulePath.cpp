#include "app/ModulePath.h"

#include <filesystem>
#include <system_error>

std::string GetModuleFilePath()
{
    std::error_code ec;
    std::string path = std::filesystem::read_symlink("/proc/self/exe", ec).string();
    if (ec)
        return {};
    // An executable replaced while it runs reads as "<path> (deleted)".
    const std::string deleted = " (deleted)";
    if (path.size() > deleted.size() && path.ends_with(deleted))
        path.erase(path.size() - deleted.size());
    return path;
}

void SplitModulePath(const std::string& fullPath, ModulePathParts& parts)
{
    parts.drive.clear();
    const std::size_t slash = fullPath.rfind('/');
    parts.directory = slash == std::string::npos ? std::string() : fullPath.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? fullPath : fullPath.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos) {
        parts.fileName = name;
        parts.extension.clear();
    } else {
        parts.fileName = name.substr(0, dot);
        parts.extension = name.substr(dot);
    }
}

void GetModulePathParts(ModulePathParts& parts)
{
    SplitModulePath(GetModuleFilePath(), parts);
}
