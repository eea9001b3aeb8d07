// The baseline of the start-up benchmark: the smallest Qt Widgets program that opens a
// window of Brindle's size.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Baseline"));
    window.setFixedSize(266, 340);
    window.show();
    return app.exec();
}
