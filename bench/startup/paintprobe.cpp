// Preloaded into a Qt Widgets program: when the first top-level window has painted its first
// frame whole (the window and every control in it, each text laid out in its font), prints
// "painted <resident KiB>" on standard output and ends the process. The start-up benchmark
// times the program from its start to that line.
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace {

long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

class PaintProbe : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_painting) {
            auto *w = qobject_cast<QWidget *>(watched);
            // The window's paint event comes first; its controls paint after it in the same
            // frame, so the report waits until the event loop runs again.
            if (w && w->isWindow()) {
                m_painting = true;
                QMetaObject::invokeMethod(this, &PaintProbe::report, Qt::QueuedConnection);
            }
        }
        return false;
    }

private:
    void report()
    {
        std::printf("painted %ld\n", residentKiB());
        std::fflush(stdout);
        std::_Exit(0);
    }

    bool m_painting = false;
};

void installProbe()
{
    QCoreApplication::instance()->installEventFilter(new PaintProbe(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
