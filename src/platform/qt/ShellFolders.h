#pragma once
// The user's Documents folder, as Qt reports it (the home folder when there is none).

#include <QString>

// The user's Documents folder (XDG user dirs, else ~/Documents), without a trailing "/";
// the home folder when no Documents location is known.
QString GetDocumentsFolder();
