// ventrose_datagen OUTPUT_DIR: writes the shipped installation folder (pictures, sounds, the
// animation clip, the help file, the installed settings file and MANIFEST) into OUTPUT_DIR.
#include "Generator.h"

#include <cstdio>
#include <QGuiApplication>

int main(int argc, char **argv) {
    // Text is drawn with fonts, which need a GUI application; no screen is used.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: ventrose_datagen OUTPUT_DIR\n");
        return 2;
    }
    const QString error = datagen::writeShippedFolder(QString::fromLocal8Bit(argv[1]));
    if (!error.isEmpty()) {
        std::fprintf(stderr, "ventrose_datagen: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
