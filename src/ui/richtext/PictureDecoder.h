// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "richtext/RichDocument.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace tevrix {

// Turns picture bytes into an image: BMP, ICO, JPEG, GIF and PNG through
// Qt's image readers, WMF and EMF drawn from the SVG their libraries make.
// Every failure gives a null image.
class PictureDecoder {
public:
    // Metafiles are never drawn larger than this many pixels a side.
    static constexpr int kMaxMetafileSide = 4096;

    // The format of a picture file by its extension, as Qt names it: "bmp"
    // (also for "rle" and "dib"), "ico", "jpeg" ("jpg", "jpeg"), "gif",
    // "png", and "wmf", "emf" for the metafiles; empty for any other.
    static QByteArray FormatOfFileName(const QString& fileName);
    static QByteArray FormatOf(RichPictureFormat format);

    // A metafile is drawn at `size` when it is valid, else at its own size
    // (96 pixels an inch; for an EMF its frame), on a transparent background.
    static QImage Decode(const QByteArray& bytes, const QByteArray& format, QSize size = {});
    // Reads a picture file, its format chosen by the extension.
    static QImage LoadFile(const QString& path);

private:
    static QSize EmfFrameSize(const QByteArray& emf);
    static QImage DrawSvg(const QByteArray& svg, QSize size);
};

} // namespace tevrix
