#pragma once
// Stand-in for the recording manager until the recording files land: it holds the saved-file
// settings and writes nothing.

#include <cstdint>
#include <string>

class CWaveLog {
public:
    explicit CWaveLog(std::string defaultFolder) : m_folder(std::move(defaultFolder)) {}

    int Open() { return 1; }
    int Close() { return 1; }
    void SetRecorderName(const char*) {}
    int Append(const float*, unsigned, int) { return 1; }
    int AppendAt(const float*, unsigned, int, std::uint64_t, std::uint64_t) { return 1; }
    std::uint64_t GetEdfLength() const { return 0; }
    std::uint64_t GetCsvLength() const { return 0; }

    std::string GetFolder() const { return m_folder; }
    void SetFolder(const std::string& folder) { m_folder = folder; }
    int GetFileTypes() const { return m_fileTypes; }
    void SetFileTypes(int types) { m_fileTypes = types; }
    int GetNamingMode() const { return m_namingMode; }
    void SetNamingMode(int mode) { m_namingMode = mode; }
    std::string GetEdfFileName() const { return m_edfName; }
    void SetEdfFileName(const std::string& name) { m_edfName = name; }
    std::string GetCsvFileName() const { return m_csvName; }
    void SetCsvFileName(const std::string& name) { m_csvName = name; }

private:
    std::string m_folder;
    int m_fileTypes = 1;
    int m_namingMode = 1;
    std::string m_edfName;
    std::string m_csvName;
};
