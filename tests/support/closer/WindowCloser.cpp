// Preloaded into the real program by the start-up tests (LD_PRELOAD): once the event loop
// runs, it waits VELQUIN_TEST_CLOSE_MS milliseconds, prints the application name and some
// of Qt's own texts (a file-dialog label, a standard button, a month of the date picker),
// and closes every top-level window the way a user's close button would.
#include <QApplication>
#include <QLocale>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace {

void CloseAllWindows()
{
    std::printf("applicationName=%s\n", qPrintable(QCoreApplication::applicationName()));
    std::printf("qtTexts=%s|%s|%s\n", qPrintable(QCoreApplication::translate("QFileDialog", "Look in:")),
                qPrintable(QCoreApplication::translate("QPlatformTheme", "Cancel")),
                qPrintable(QLocale().standaloneMonthName(1)));
    std::fflush(stdout);
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            w->close();
}

void ScheduleClose()
{
    const char* ms = std::getenv("VELQUIN_TEST_CLOSE_MS");
    const int delay = ms ? std::atoi(ms) : 500;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [delay] { QTimer::singleShot(delay, CloseAllWindows); },
        Qt::QueuedConnection);
}

struct Registrar {
    Registrar() { qAddPreRoutine(ScheduleClose); }
} registrar;

}  // namespace
