#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/MessageTables.h"
#include "app/ModulePath.h"
#include "app/VersionInfo.h"

TEST(MessageTables, KeepEverySlotAndTheSeparateRadioErrorEntries)
{
    ASSERT_EQ(g_strStatusMsg.size(), 6u);
    ASSERT_EQ(g_strErrorMsg.size(), 20u);
    EXPECT_EQ(g_strStatusMsg[2], g_strStatusMsg[4]);
    for (std::string_view text : g_strErrorMsg)
        EXPECT_FALSE(text.empty());
    // Texts that break into lines carry CR LF, never a bare LF.
    for (int n : {1, 2, 5, 6, 7, 8, 12})
        EXPECT_NE(g_strErrorMsg[n].find("\r\n"), std::string_view::npos) << n;
    for (std::string_view text : g_strErrorMsg)
        for (std::size_t i = 0; i < text.size(); ++i)
            if (text[i] == '\n') {
                EXPECT_TRUE(i > 0 && text[i - 1] == '\r');
            }
    EXPECT_EQ(g_strErrorMsg[19], "送信機のリセットを検知したため計測を終了します。");
}

TEST(ModulePath, SplitsDirectoryNameAndLastExtension)
{
    ModulePathParts p;
    SplitModulePath("/opt/app/prog.exe", p);
    EXPECT_EQ(p.drive, "");
    EXPECT_EQ(p.directory, "/opt/app/");
    EXPECT_EQ(p.fileName, "prog");
    EXPECT_EQ(p.extension, ".exe");

    SplitModulePath("/opt/app/prog", p);
    EXPECT_EQ(p.fileName, "prog");
    EXPECT_EQ(p.extension, "");

    SplitModulePath("/opt/app/sleep.lab.v2", p);
    EXPECT_EQ(p.fileName, "sleep.lab");
    EXPECT_EQ(p.extension, ".v2");

    // A dot in a folder name is not an extension.
    SplitModulePath("/opt/app.d/prog", p);
    EXPECT_EQ(p.directory, "/opt/app.d/");
    EXPECT_EQ(p.fileName, "prog");
    EXPECT_EQ(p.extension, "");
}

TEST(ModulePath, KeepsNonAsciiAndVeryLongPathsWhole)
{
    ModulePathParts p;
    SplitModulePath("/home/利用者/睡眠 計測/ベルキン.bin", p);
    EXPECT_EQ(p.directory, "/home/利用者/睡眠 計測/");
    EXPECT_EQ(p.fileName, "ベルキン");
    EXPECT_EQ(p.extension, ".bin");

    std::string dir = "/";
    while (dir.size() < 400)
        dir += "abcdefghij/";
    const std::string name(280, 'n');
    SplitModulePath(dir + name + ".x", p);
    EXPECT_EQ(p.directory, dir);
    EXPECT_EQ(p.fileName, name);
    EXPECT_EQ(p.extension, ".x");
}

TEST(ModulePath, DescribesTheRunningExecutable)
{
    ModulePathParts p;
    GetModulePathParts(p);
    const std::filesystem::path self = std::filesystem::canonical("/proc/self/exe");
    EXPECT_EQ(p.directory, self.parent_path().string() + "/");
    EXPECT_EQ(p.fileName + p.extension, self.filename().string());
}

TEST(VersionInfo, FillsTheProductTexts)
{
    VersionInfoStrings v;
    ReadVersionInfoStrings(v);
    EXPECT_EQ(v.productName, "Velquin");
    EXPECT_EQ(v.productVersion, "1.0.0.0");
    EXPECT_EQ(v.fileVersion, "1.0.0.0");
    EXPECT_EQ(v.legalCopyright, "Copyright (C) 2026 Kestrova");
    EXPECT_EQ(v.companyName, "Kestrova");
    EXPECT_FALSE(v.comments.empty());
}
