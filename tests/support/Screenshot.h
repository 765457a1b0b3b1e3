#pragma once
// Saves a rendered image to the build folder's "screenshots" folder, so a person can look at it.

#include <QImage>
#include <QString>
#include <QWidget>

inline QString ScreenshotPath(const QString& name)
{
    return QStringLiteral(VELQUIN_SCREENSHOT_DIR "/") + name + QStringLiteral(".png");
}

inline bool SaveScreenshot(const QImage& image, const QString& name)
{
    return image.save(ScreenshotPath(name));
}

inline bool SaveScreenshot(QWidget& widget, const QString& name)
{
    return widget.grab().save(ScreenshotPath(name));
}
