// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/richtext/PictureDecoder.h"

#include "ui/richtext/MetafileConverter.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>

#include <algorithm>

namespace tevrix {

QByteArray PictureDecoder::FormatOfFileName(const QString& fileName) {
    const QString extension = QFileInfo(fileName).suffix().toLower();
    if (extension == "bmp" || extension == "rle" || extension == "dib")
        return "bmp";
    if (extension == "jpg" || extension == "jpeg")
        return "jpeg";
    if (extension == "ico" || extension == "gif" || extension == "png" || extension == "wmf" ||
        extension == "emf")
        return extension.toLatin1();
    return {};
}

QByteArray PictureDecoder::FormatOf(RichPictureFormat format) {
    switch (format) {
    case RichPictureFormat::Png: return "png";
    case RichPictureFormat::Jpeg: return "jpeg";
    case RichPictureFormat::Bmp: return "bmp";
    case RichPictureFormat::Wmf: return "wmf";
    case RichPictureFormat::Emf: return "emf";
    }
    return {};
}

QImage PictureDecoder::Decode(const QByteArray& bytes, const QByteArray& format, QSize size) {
    if (format == "wmf")
        return DrawSvg(MetafileConverter::WmfToSvg(bytes), size);
    if (format == "emf")
        return DrawSvg(MetafileConverter::EmfToSvg(bytes),
                       size.isEmpty() ? EmfFrameSize(bytes) : size);
    if (format.isEmpty())
        return {};
    QImage image;
    image.loadFromData(bytes, format.constData());
    return image;
}

QImage PictureDecoder::LoadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return Decode(file.readAll(), FormatOfFileName(path));
}

QSize PictureDecoder::EmfFrameSize(const QByteArray& emf) {
    // EMR_HEADER: type and size (4 bytes each), the bounds in device pixels
    // (16), then the frame: left, top, right, bottom as int32 in 0.01 mm.
    if (emf.size() < 40)
        return {};
    const auto frame = [&](int offset) {
        return qFromLittleEndian<qint32>(emf.constData() + offset);
    };
    const qint64 width = qint64{frame(32)} - frame(24);
    const qint64 height = qint64{frame(36)} - frame(28);
    if (width <= 0 || height <= 0)
        return {};
    const auto pixels = [](qint64 hundredthsOfMillimetre) {
        return static_cast<int>(
            std::min<qint64>((hundredthsOfMillimetre * 96 + 1270) / 2540, kMaxMetafileSide * 4));
    };
    return {pixels(width), pixels(height)};
}

QImage PictureDecoder::DrawSvg(const QByteArray& svg, QSize size) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        return {};
    if (size.isEmpty())
        size = renderer.defaultSize();
    if (size.isEmpty())
        return {};
    if (size.width() > kMaxMetafileSide || size.height() > kMaxMetafileSide)
        size.scale(kMaxMetafileSide, kMaxMetafileSide, Qt::KeepAspectRatio);
    QImage image(size.expandedTo({1, 1}), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

} // namespace tevrix
