// Ventrose: desktop front end of an RS-232 electronic compass module.
#include <QApplication>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Ventrose");
    return 0;
}
