#pragma once
// Small readers of the recording files, written from the file formats alone (not from the
// program's reader), so the tests see what any other program would see.
//   EDF: 256 bytes of file fields, 256 per signal, then records of 16-bit little-endian
//        samples, each signal's block of the record in turn.
//   CSV: three header lines, then one row "%12.5f,%12.5f" + CR LF per sample pair.

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace recfiles {

inline std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string Field(const std::string& bytes, std::size_t offset, std::size_t width)
{
    if (bytes.size() < offset + width)
        return {};
    std::string text = bytes.substr(offset, width);
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

struct sEdf {
    bool ok = false;
    std::size_t fileSize = 0;
    std::string recording;        // the recording field, trailing blanks removed
    int headerBytes = 0;
    int recordCount = 0;          // as the header says
    int signalCount = 0;
    std::string labels[2];
    double physicalMin[2] = {}, physicalMax[2] = {};
    int digitalMin[2] = {}, digitalMax[2] = {};
    int samplesPerRecord[2] = {};
    std::vector<std::int16_t> data;  // every record after the header, as stored

    // Digital value of sample i of signal s in record r.
    int Digital(int r, int s, int i) const
    {
        const std::size_t perRecord = static_cast<std::size_t>(samplesPerRecord[0] + samplesPerRecord[1]);
        return data[static_cast<std::size_t>(r) * perRecord + static_cast<std::size_t>(s * samplesPerRecord[0] + i)];
    }
    // The same in physical units, by the header's scaling.
    double Physical(int r, int s, int i) const
    {
        const double scale = (physicalMax[s] - physicalMin[s]) / (digitalMax[s] - digitalMin[s]);
        return physicalMin[s] + (Digital(r, s, i) - digitalMin[s]) * scale;
    }
    // One digital step in physical units.
    double Step(int s) const { return (physicalMax[s] - physicalMin[s]) / (digitalMax[s] - digitalMin[s]); }
    // Whole records stored after the header.
    int StoredRecords() const
    {
        const std::size_t perRecord = static_cast<std::size_t>(samplesPerRecord[0] + samplesPerRecord[1]);
        return perRecord ? static_cast<int>(data.size() / perRecord) : 0;
    }
};

inline sEdf ReadEdf(const std::string& path)
{
    sEdf edf;
    const std::string bytes = ReadAll(path);
    edf.fileSize = bytes.size();
    if (bytes.size() < 256)
        return edf;
    edf.recording = Field(bytes, 88, 80);
    edf.headerBytes = std::atoi(Field(bytes, 184, 8).c_str());
    edf.recordCount = std::atoi(Field(bytes, 236, 8).c_str());
    edf.signalCount = std::atoi(Field(bytes, 252, 4).c_str());
    if (edf.signalCount != 2 || bytes.size() < 768 || edf.headerBytes != 768)
        return edf;
    for (int s = 0; s < 2; ++s) {
        edf.labels[s] = Field(bytes, 256 + 16 * s, 16);
        edf.physicalMin[s] = std::atof(Field(bytes, 464 + 8 * s, 8).c_str());
        edf.physicalMax[s] = std::atof(Field(bytes, 480 + 8 * s, 8).c_str());
        edf.digitalMin[s] = std::atoi(Field(bytes, 496 + 8 * s, 8).c_str());
        edf.digitalMax[s] = std::atoi(Field(bytes, 512 + 8 * s, 8).c_str());
        edf.samplesPerRecord[s] = std::atoi(Field(bytes, 688 + 8 * s, 8).c_str());
    }
    for (std::size_t p = 768; p + 1 < bytes.size(); p += 2) {
        const auto lo = static_cast<unsigned char>(bytes[p]);
        const auto hi = static_cast<unsigned char>(bytes[p + 1]);
        edf.data.push_back(static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8))));
    }
    edf.ok = true;
    return edf;
}

struct sCsv {
    bool ok = false;
    std::size_t fileSize = 0;
    std::vector<std::string> header;        // the three header lines without CR LF
    std::size_t headerBytes = 0;
    std::vector<double> eeg, emg;
    bool rowsWellFormed = true;             // every row 27 bytes, "," at 12, CR LF at the end
};

inline sCsv ReadCsv(const std::string& path)
{
    sCsv csv;
    const std::string bytes = ReadAll(path);
    csv.fileSize = bytes.size();
    std::size_t p = 0;
    for (int i = 0; i < 3; ++i) {
        const std::size_t end = bytes.find("\r\n", p);
        if (end == std::string::npos)
            return csv;
        csv.header.push_back(bytes.substr(p, end - p));
        p = end + 2;
    }
    csv.headerBytes = p;
    if ((bytes.size() - p) % 27 != 0)
        csv.rowsWellFormed = false;
    for (; p + 27 <= bytes.size(); p += 27) {
        const std::string row = bytes.substr(p, 27);
        if (row[12] != ',' || row[25] != '\r' || row[26] != '\n')
            csv.rowsWellFormed = false;
        csv.eeg.push_back(std::strtod(row.substr(0, 12).c_str(), nullptr));
        csv.emg.push_back(std::strtod(row.substr(13, 12).c_str(), nullptr));
    }
    csv.ok = true;
    return csv;
}

}  // namespace recfiles
