#pragma once
// Helpers of the review tests: EDF files written into a temporary folder, the two ways a
// file comes in (the file dialog and a drop), and read-backs of fields, charts and graphs.

#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "WindowHarness.h"
#include "resources/ResourceIds.h"
#include "support/EdfFixture.h"
#include "support/TempDir.h"

// A folder of test files.
struct ReviewFiles {
    TempDir dir;

    // Writes the fixture as `name` and returns its path.
    QString Write(const std::string& name, const sEdfFixture& f) const
    {
        const std::string path = dir.file(name);
        WriteEdfFixture(path, f);
        return QString::fromStdString(path);
    }
    // A file of the program's own form: `seconds` one-second records at `rate`, a 10 Hz
    // EEG of ±100 µV and a 50 Hz EMG of ±20 µV, starting 2024/01/02 23:59:50.
    QString Own(const std::string& name, long long seconds, int rate = 128) const
    {
        return Write(name, OwnFixture(seconds, rate));
    }
    static sEdfFixture OwnFixture(long long seconds, int rate = 128)
    {
        sEdfFixture f;
        f.samplesPerRecord = {rate, rate};
        f.records = seconds;
        f.value = EdfSines(rate, 10, 100, 50, 20);
        return f;
    }
    // A file of the program's form whose every second differs from every other, so that a
    // slice shown from the wrong second cannot pass for the right one.
    QString Changing(const std::string& name, long long seconds) const
    {
        return Write(name, ChangingFixture(seconds));
    }
    static sEdfFixture ChangingFixture(long long seconds)
    {
        sEdfFixture f = OwnFixture(seconds);
        f.value = EdfChangingEverySecond(128, seconds);
        return f;
    }
};

// Opens the file through the button and the file dialog.
inline void OpenByDialog(WindowHarness& h, const QString& path)
{
    h.files->answers.push_back(path);
    h.dlg->OnCommand(kIdOpenEdf);
    WindowHarness::Flush();
}

// What the window answered at each step of a drag: the action it takes, IgnoreAction where
// it refused the step (or the step never reached it, as a drop after a refused enter).
struct sDragAnswers {
    Qt::DropAction enter = Qt::IgnoreAction, move = Qt::IgnoreAction, drop = Qt::IgnoreAction;
    friend bool operator==(const sDragAnswers&, const sDragAnswers&) = default;
    friend void PrintTo(const sDragAnswers& a, std::ostream* os)
    {
        *os << "{enter " << a.enter << ", move " << a.move << ", drop " << a.drop << "}";
    }
};

// Drags the URLs over the EEG graph and drops them there, as the desktop does; the events
// go up from the graph to the window that takes drops. The source offers `offered`; the keys
// held pick the action it proposes (Shift: move, Alt: link, none: copy). midway runs between
// the enter and the move.
inline sDragAnswers DropUrls(WindowHarness& h, const QList<QUrl>& urls, Qt::DropActions offered = Qt::CopyAction,
                             Qt::KeyboardModifiers keys = Qt::NoModifier, const std::function<void()>& midway = {})
{
    const auto answer = [](const QDropEvent& e) { return e.isAccepted() ? e.dropAction() : Qt::IgnoreAction; };
    QMimeData mime;
    mime.setUrls(urls);
    QWidget* target = h.dlg->DlgItem(kIdGraphEeg);
    const QPoint at = target->rect().center();
    sDragAnswers answers;
    QDragEnterEvent enter(at, offered, &mime, Qt::LeftButton, keys);
    QApplication::sendEvent(target, &enter);
    answers.enter = answer(enter);
    if (midway)
        midway();
    QDragMoveEvent move(at, offered, &mime, Qt::LeftButton, keys);
    QApplication::sendEvent(target, &move);
    answers.move = answer(move);
    QDropEvent drop(QPointF(at), offered, &mime, Qt::LeftButton, keys);
    QApplication::sendEvent(target, &drop);
    answers.drop = answer(drop);
    WindowHarness::Flush();
    return answers;
}

inline void DropFile(WindowHarness& h, const QString& path)
{
    DropUrls(h, {QUrl::fromLocalFile(path)});
}

// The text of a label or edit field.
inline QString FieldText(const WindowHarness& h, int id)
{
    QWidget* w = h.dlg->DlgItem(id);
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text();
    return QString();
}

// The values the spectrum chart was last sent, bar by bar.
inline std::vector<double> ChartValues(const CFftMSChart& chart)
{
    std::vector<double> values;
    const CChartState& state = chart.State();
    for (int s = 1; s <= state.GetSeriesCount(); ++s)
        values.push_back(state.GetValue(s, 1));
    return values;
}
