#include "app/VersionInfo.h"

#include "app/VersionConstants.h"

void ReadVersionInfoStrings(VersionInfoStrings& info)
{
    info.productName = kVersionProductName;
    info.productVersion = kVersionProductVersion;
    info.fileVersion = kVersionFileVersion;
    info.legalCopyright = kVersionLegalCopyright;
    info.companyName = kVersionCompanyName;
    info.comments = kVersionComments;
}
