#pragma once
// What a test binary's own desktop session is made of, on whatever server it runs: the tools
// it needs, a fresh home, and the process's one QApplication on that server.

#include <QApplication>
#include <QStandardPaths>

#include <cstdlib>
#include <memory>
#include <vector>

#include "support/TempDir.h"

// Whether every tool is on the PATH.
inline bool ToolsPresent(const std::vector<const char*>& tools)
{
    for (const char* tool : tools)
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return false;
    return true;
}

// A fresh home and configuration folder for the session, for everything started after it.
inline std::unique_ptr<TempDir> FreshHome()
{
    auto home = std::make_unique<TempDir>();
    setenv("HOME", home->str().c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home->str() + "/.config").c_str(), 1);
    return home;
}

// The process's QApplication on the Qt platform plugin named.
inline std::unique_ptr<QApplication> MakeApplication(const char* platform)
{
    setenv("QT_QPA_PLATFORM", platform, 1);
    static int argc = 1;
    static char name[] = "velquin_desktop_tests";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QApplication>(argc, argv);
}
