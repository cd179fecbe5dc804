#pragma once

// Renders Windows metafiles (the wheel pictures and the stop mark) into
// images.  libwmf's record interpreter walks the file; all drawing is done by
// QPainter, anti-aliased, with text laid out by Qt.

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace wmf {

// Renders the metafile at path into an ARGB32_Premultiplied image of
// pixelSize with a transparent background.  The bounding box of the
// placeable header is stretched onto the whole image (a metafile without that
// header is framed by the extent of its drawing).  Text needs a
// QGuiApplication; without one it is left out.
//
// Returns a null image and sets *ok to false if the file is missing,
// unreadable or corrupt, or if pixelSize is empty.
QImage render(const QString& path, const QSize& pixelSize, bool* ok = nullptr);

// The same for a metafile's bytes.
QImage renderBytes(const QByteArray& data, const QSize& pixelSize);

}  // namespace wmf
