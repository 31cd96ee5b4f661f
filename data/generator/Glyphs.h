// Small pictures for the tool bar (16 x 16) and the dialogs' picture buttons (18 x 18).
// Each is a 24-bit picture on the uniform background kGlyphBackground, which the program makes
// transparent (it is also the colour of the bottom-left pixel). The background is the light
// grey of the buttons, so the anti-aliased edges blend into the surface they are shown on.
#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QString>

namespace datagen {

inline const QColor kGlyphBackground(240, 240, 240);
constexpr int kToolbarGlyphSize = 16;
constexpr int kButtonGlyphSize = 18;

struct NamedPicture {
    QString name; // file name, e.g. "tb_port.bmp"
    QImage image;
};

// The six tool-bar pictures, in the tool bar's image-list order: link, port, zero-centring,
// declination, software options, hardware options.
QList<NamedPicture> toolbarGlyphs();

// The glyphs of the picture buttons: OK, help, leave, centring and clearing the centring.
QList<NamedPicture> buttonGlyphs();

} // namespace datagen
