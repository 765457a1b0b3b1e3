#pragma once
// The running executable's path split into its parts. The drive is always empty on
// Linux; the directory keeps its leading and trailing "/", the extension its point.

#include <string>

struct ModulePathParts {
    std::string drive;
    std::string directory;
    std::string fileName;
    std::string extension;
};

// Fills the four parts for the running executable (from /proc/self/exe).
void GetModulePathParts(ModulePathParts& parts);

// Splits a full path the same way; exposed so the rule can be checked on any path.
void SplitModulePath(const std::string& fullPath, ModulePathParts& parts);

// The running executable's full path, or an empty string if it cannot be read.
std::string GetModuleFilePath();
