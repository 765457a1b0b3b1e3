// Started by the drop tests on their X server: a drag source in a process of its own, as a
// file manager is. It shows a small window at the place given, and a press and move on it
// drags the file given, offering copy, move and link with move proposed, as a file manager
// does for a file it would move within one disk. On standard output, one line each:
//   ready       its window is on the screen
//   dragging    the drag runs: from now on the pointer drives it
//   action=N    the target's answer changed the drag's action (a Qt::DropAction)
//   result=N    what the drag ended with (QDrag::exec)
// Told that the file was moved, it deletes it, as a file manager does. It then keeps running,
// to hand the target its data, until it is stopped or its standard input ends (the test that
// started it is gone).
//   velquin_test_drag_source FILE X Y
#include <QApplication>
#include <QDrag>
#include <QFile>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QSocketNotifier>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <cstdio>
#include <unistd.h>

namespace {

void Say(const QByteArray& line)
{
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

class DragSource : public QWidget {
public:
    explicit DragSource(const QString& path) : m_path(path) { resize(120, 120); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).fillRect(rect(), Qt::darkCyan);
        if (!m_shown) {
            m_shown = true;
            Say("ready");
        }
    }
    void mousePressEvent(QMouseEvent* event) override { m_pressedAt = event->position().toPoint(); }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (m_dragged || !(event->buttons() & Qt::LeftButton)
            || (event->position().toPoint() - m_pressedAt).manhattanLength() < QApplication::startDragDistance())
            return;
        m_dragged = true;
        auto* drag = new QDrag(this);
        auto* data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(m_path)});
        drag->setMimeData(data);
        connect(drag, &QDrag::actionChanged, [](Qt::DropAction action) {
            Say("action=" + QByteArray::number(static_cast<int>(action)));
        });
        QTimer::singleShot(0, [] { Say("dragging"); });
        const Qt::DropAction result = drag->exec(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::MoveAction);
        if (result == Qt::MoveAction)
            QFile::remove(m_path);
        Say("result=" + QByteArray::number(static_cast<int>(result)));
    }

private:
    QString m_path;
    QPoint m_pressedAt;
    bool m_shown = false;
    bool m_dragged = false;
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s FILE X Y\n", argv[0]);
        return 2;
    }
    DragSource source(QString::fromLocal8Bit(argv[1]));
    source.setWindowFlag(Qt::FramelessWindowHint);
    source.move(QByteArray(argv[2]).toInt(), QByteArray(argv[3]).toInt());
    source.show();
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char c = 0;
        if (read(STDIN_FILENO, &c, 1) <= 0)
            app.quit();
    });
    return app.exec();
}
