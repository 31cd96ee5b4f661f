#include "Generator.h"

#include "AboutPictures.h"
#include "AviWriter.h"
#include "BmpWriter.h"
#include "Dial.h"
#include "Glyphs.h"
#include "Illustrations.h"
#include "RosePictures.h"
#include "Sounds.h"
#include "TextFiles.h"
#include "WavWriter.h"

#include "base/Language.h"

#include <algorithm>
#include <QBuffer>
#include <QDir>
#include <QFile>

namespace datagen {
namespace {

QByteArray encodePng(const QImage &image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

QList<ShippedFile> shippedFiles() {
    QList<ShippedFile> files;
    files.append({"cercle5.bmp", encodeBmp24(makeDial(true))});
    files.append({"cercle6.bmp", encodeBmp24(makeDial(false))});
    for (const auto &glyphs : {toolbarGlyphs(), buttonGlyphs()})
        for (const NamedPicture &glyph : glyphs)
            files.append({glyph.name, encodeBmp24(glyph.image)});
    files.append({"Esud.bmp", encodeBmp24(makeCalibrationPicture(Phase::South))});
    files.append({"Eest.bmp", encodeBmp24(makeCalibrationPicture(Phase::East))});
    files.append({"Enord.bmp", encodeBmp24(makeCalibrationPicture(Phase::North))});
    files.append({"Eouest.bmp", encodeBmp24(makeCalibrationPicture(Phase::West))});
    files.append({"OUEST.BMP", encodeBmp24(makeDeclinationPicture(true))});
    files.append({"EST.BMP", encodeBmp24(makeDeclinationPicture(false))});
    files.append({"ventrose.png", encodePng(makeIcon())});
    files.append({"bandeau.bmp", encodeBmp24(makeAboutBanner())});
    files.append({"apropos.bmp", encodeBmp8(makeAboutScroll(), kAboutScrollBackground)});
    files.append({"rose.avi", encodeAvi8(quantizeFrames(makeClipFrames(), kClipBackground),
                                         kClipSize, kClipSize, kClipFramesPerSecond)});
    files.append({"applaud.wav", encodeWav16Mono(applause(), kSampleRate)});
    files.append({"error.wav", encodeWav16Mono(errorTone(), kSampleRate)});
    files.append({"canopen.wav", encodeWav16Mono(chime(), kSampleRate)});
    files.append({"ID60.wav", encodeWav16Mono(jingle(), kSampleRate)});
    for (const platform::Language language : platform::Languages())
        files.append({QStringLiteral("aide") + QString::fromStdString(language.Row().helpSuffix),
                      helpFile(language.Row().code)});
    files.append({"Ventrose.inf", installedSettings()});
    std::sort(files.begin(), files.end(),
              [](const ShippedFile &a, const ShippedFile &b) { return a.name < b.name; });
    return files;
}

QByteArray manifest(const QList<ShippedFile> &files) {
    QByteArray text;
    for (const ShippedFile &file : files)
        text += file.name.toUtf8() + '\n';
    return text;
}

namespace {

QString writeFile(const QDir &dir, const QString &name, const QByteArray &bytes) {
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QStringLiteral("cannot write %1: %2").arg(file.fileName(), file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush())
        return QStringLiteral("cannot write %1: %2").arg(file.fileName(), file.errorString());
    return {};
}

} // namespace

QString writeShippedFolder(const QString &folder) {
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral(".")))
        return QStringLiteral("cannot create the folder %1").arg(folder);
    const QList<ShippedFile> files = shippedFiles();
    for (const ShippedFile &file : files)
        if (file.bytes.isEmpty())
            return QStringLiteral("nothing to write in %1: a language of the table has no help "
                                  "topics in the generator")
                .arg(file.name);
    for (const ShippedFile &file : files)
        if (QString error = writeFile(dir, file.name, file.bytes); !error.isEmpty())
            return error;
    return writeFile(dir, QStringLiteral("MANIFEST"), manifest(files));
}

} // namespace datagen
