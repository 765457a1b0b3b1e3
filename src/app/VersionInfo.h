#pragma once
// The product texts of the running program: shown in the About box and the window
// title, and used for the default recording folder.

#include <string>

struct VersionInfoStrings {
    std::string productName;
    std::string productVersion;
    std::string fileVersion;
    std::string legalCopyright;
    std::string companyName;
    std::string comments;
};

// Fills the six fields with the texts built into the program.
void ReadVersionInfoStrings(VersionInfoStrings& info);
