// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

namespace tevrix {

// Windows metafiles as SVG, for Qt SVG to draw: WMF through libwmf, EMF
// through libemf2svg. Both take the file's bytes (a WMF with or without its
// placeable header, as files and RTF documents carry it) and give an empty
// result when the library cannot read them.
class MetafileConverter {
public:
    static QByteArray WmfToSvg(const QByteArray& wmf);
    static QByteArray EmfToSvg(const QByteArray& emf);
};

} // namespace tevrix
