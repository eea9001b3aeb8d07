// Preloaded into a Qt Widgets program: when the first top-level window has painted, prints
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
        if (event->type() == QEvent::Paint) {
            auto *w = qobject_cast<QWidget *>(watched);
            if (w && w->isWindow()) {
                std::printf("painted %ld\n", residentKiB());
                std::fflush(stdout);
                std::_Exit(0);
            }
        }
        return false;
    }
};

void installProbe()
{
    QCoreApplication::instance()->installEventFilter(new PaintProbe(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
