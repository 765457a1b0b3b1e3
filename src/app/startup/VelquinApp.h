#pragma once
// The application object: prepares the process and runs the main window until it closes.

class CVelquinApp {
public:
    // Runs the program; returns the process exit status (always 0 once the window has run).
    int Run(int argc, char** argv);
};
