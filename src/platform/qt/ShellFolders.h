#pragma once
// The user's folders: the Documents folder stands where the original used "My Documents".

#include <QString>

// The user's Documents folder (XDG user dirs, else ~/Documents), without a trailing "/";
// the home folder when no Documents location is known.
QString GetDocumentsFolder();
