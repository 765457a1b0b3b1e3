// The file layer under the recording files: opening rules, 64-bit offsets, errors with
// their system cause, and the CR LF text file.

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "RecordingTestSupport.h"
#include "platform/StdioFile.h"
#include "support/TempDir.h"

TEST(FileLayer, OpeningFailuresCarryTheirCauseAndPath)
{
    TempDir dir;
    const std::string missing = dir.file("missing.bin");
    try {
        CFile file(missing, CFile::modeRead);
        FAIL() << "opened a missing file";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.Cause(), ENOENT);
        EXPECT_EQ(e.Path(), missing);
    }
    try {
        CFile file(dir.str(), CFile::modeRead);
        FAIL() << "opened a folder";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.Cause(), EISDIR);
    }
}

TEST(FileLayer, CreateWithoutTruncateKeepsTheContentAndWritesAtTheSeekPosition)
{
    TempDir dir;
    const std::string path = dir.file("a.bin");
    WriteWholeFile(path, "abcdef");
    {
        CFile file(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite);
        EXPECT_EQ(file.GetLength(), 6u);
        file.Seek(2, CFile::begin);
        file.Write("XY", 2);
        file.Close();
    }
    EXPECT_EQ(ReadWholeFile(path), "abXYef");
    {
        CFile file(path, CFile::modeCreate | CFile::modeReadWrite);
        EXPECT_EQ(file.GetLength(), 0u);
    }
}

TEST(FileLayer, OffsetsBeyondFourGigabytes)
{
    TempDir dir;
    CFile file(dir.file("sparse.bin"), CFile::modeCreate | CFile::modeReadWrite);
    const std::uint64_t far = (std::uint64_t{5} << 30) + 7;
    EXPECT_EQ(file.Seek(static_cast<std::int64_t>(far), CFile::begin), far);
    file.Write("z", 1);
    EXPECT_EQ(file.GetLength(), far + 1);
    EXPECT_EQ(file.GetPosition(), far + 1);
    file.SetLength(10);
    EXPECT_EQ(file.GetLength(), 10u);
}

TEST(FileLayer, AWriteBeyondTheSizeLimitThrowsWithItsCause)
{
    TempDir dir;
    CFile file(dir.file("limited.bin"), CFile::modeCreate | CFile::modeReadWrite);
    FileSizeLimit limit(100);
    const std::string bytes(150, 'x');
    try {
        file.Write(bytes.data(), bytes.size());
        FAIL() << "wrote past the limit";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.Cause(), EFBIG);
    }
    EXPECT_EQ(file.GetLength(), 100u);
}

TEST(StdioFile, WritesCrLfAndReadsLinesBack)
{
    TempDir dir;
    const std::string path = dir.file("t.txt");
    CStdioFile file(path, CFile::modeCreate | CFile::modeReadWrite);
    file.WriteString("one\ntwo\n");
    file.WriteString("three");
    EXPECT_EQ(ReadWholeFile(path), "one\r\ntwo\r\nthree");

    file.SeekToBegin();
    std::string line;
    ASSERT_EQ(file.ReadString(line), 1);
    EXPECT_EQ(line, "one");
    // The position is right after the line end, whatever the read ahead.
    EXPECT_EQ(file.GetPosition(), 5u);
    ASSERT_EQ(file.ReadString(line), 1);
    EXPECT_EQ(line, "two");
    ASSERT_EQ(file.ReadString(line), 1);
    EXPECT_EQ(line, "three");
    EXPECT_EQ(file.ReadString(line), 0);
    EXPECT_EQ(line, "");
}

TEST(StdioFile, ReadsLinesLongerThanOneChunk)
{
    TempDir dir;
    const std::string path = dir.file("long.txt");
    const std::string longLine(1000, 'q');
    WriteWholeFile(path, longLine + "\nend\n");
    CStdioFile file(path, CFile::modeRead);
    std::string line;
    ASSERT_EQ(file.ReadString(line), 1);
    EXPECT_EQ(line, longLine);
    ASSERT_EQ(file.ReadString(line), 1);
    EXPECT_EQ(line, "end");
    EXPECT_EQ(file.ReadString(line), 0);
}
