// The floor of the toolkit: a Qt 6 Widgets window with one label.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label("Hallo");
    label.setWindowTitle("Minimal");
    label.show();
    return app.exec();
}
