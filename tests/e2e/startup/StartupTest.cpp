// Starts the real program offscreen, lets a preloaded helper close its window, and checks
// the exit status, the application name (which follows the executable's name) and that
// Qt's own texts are Japanese whatever the locale.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "support/TempDir.h"

namespace {

struct RunResult {
    int status = -1;
    std::string output;
};

// environment: more "NAME=value" words (or "-u NAME") for env.
RunResult RunProgram(const std::string& exe, const TempDir& home, const std::string& environment = "")
{
    const std::string cmd = "env " + environment + " QT_QPA_PLATFORM=offscreen HOME='" + home.str() +
                            "' XDG_CONFIG_HOME='" + home.str() + "/.config'"
                            " VELQUIN_TEST_CLOSE_MS=300"
                            " ASAN_OPTIONS=verify_asan_link_order=0"
                            " LD_PRELOAD='" VELQUIN_CLOSER_LIB "' '" + exe + "' 2>&1";
    RunResult result;
    FILE* pipe = popen(cmd.c_str(), "r");
    if (!pipe)
        return result;
    std::array<char, 512> buf{};
    while (fgets(buf.data(), buf.size(), pipe))
        result.output += buf.data();
    const int raw = pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return result;
}

}  // namespace

TEST(Startup, ClosingTheWindowEndsTheProgramWithStatusZero)
{
    TempDir home;
    const RunResult run = RunProgram(VELQUIN_EXE, home);
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("applicationName=Velquin\n"), std::string::npos) << run.output;
}

TEST(Startup, ApplicationNameFollowsTheExecutableName)
{
    TempDir home;
    // Only the last extension is dropped, as for any executable name with dots.
    const std::string copy = home.file("sleep.lab.v2");
    std::filesystem::copy_file(VELQUIN_EXE, copy);
    std::filesystem::permissions(copy, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    const RunResult run = RunProgram(copy, home);
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("applicationName=sleep.lab\n"), std::string::npos) << run.output;
}

TEST(Startup, QtsOwnTextsAreJapaneseWhateverTheLocale)
{
    for (const char* lang : {"C.UTF-8", "en_US.UTF-8"}) {
        TempDir home;
        const RunResult run =
            RunProgram(VELQUIN_EXE, home, std::string("-u LC_ALL -u LC_MESSAGES -u LANGUAGE LANG=") + lang);
        EXPECT_EQ(run.status, 0) << lang << "\n" << run.output;
        EXPECT_NE(run.output.find("qtTexts=アドレス:|キャンセル|1月\n"), std::string::npos)
            << lang << "\n" << run.output;
    }
}
