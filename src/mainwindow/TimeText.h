#pragma once
// Local date and time as the window shows them ("%Y/%m/%d %H:%M:%S" and the like).

#include <QString>

#include <ctime>

QString FormatLocalTime(std::time_t time, const char* format);
