#include "mainwindow/TimeText.h"

QString FormatLocalTime(std::time_t time, const char* format)
{
    std::tm local{};
    if (!localtime_r(&time, &local))
        return QString();
    char text[128];
    const size_t length = std::strftime(text, sizeof text, format, &local);
    return QString::fromUtf8(text, static_cast<qsizetype>(length));
}
