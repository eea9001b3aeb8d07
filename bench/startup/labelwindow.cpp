// The floor of the start-up benchmark for any window with text: the smallest Qt Widgets
// program that opens a window of Brindle's size showing one text label (fonts, platform
// plugin and one laid-out text).
#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Baseline"));
    window.setWindowTitle(QStringLiteral("Baseline"));
    window.setFixedSize(266, 340);
    window.show();
    return app.exec();
}
