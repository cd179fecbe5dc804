// Inside the metafile player: what it reads from a metafile's bytes itself,
// before libwmf sees them, and the bitmaps libwmf hands over. Only the
// player's own sources include this; libwmf's headers stay out of it.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QtGlobal>

#include <optional>
#include <vector>

namespace wmf::detail {

// Larger files are not read at all.
inline constexpr qint64 kMaxFileSize = 32 * 1024 * 1024;

// A font as written in a CreateFontIndirect record.  libwmf keeps only the
// magnitude of the height, but its sign matters: negative means the em
// height, positive the cell height (ascent + descent).
struct RawFont {
    int height = 0;
    int width = 0;
    int escapement = 0;
    QByteArray face;
};

struct FileLayout {
    bool placeable = false;
    int left = 0, top = 0, right = 0, bottom = 0; // placeable bounding box
    std::vector<RawFont> fonts;                   // in record order
};

// Walks the headers and the record list and rejects anything libwmf should
// not be trusted with: wrong keys or checksum, records running past the end,
// point and character counts that do not fit their record, misuse of the
// object table (a slot reused for another kind of object while the DC still
// points into it, selecting or deleting an empty slot), a missing EOF record.
// Gives the placeable header's box and the fonts as written.
std::optional<FileLayout> checkFile(const QByteArray& data);

// Turns a packed DIB (info header, colour table, bits) into an image by
// putting a BMP file header in front of it.
QImage imageFromDib(const unsigned char* dib, long length);

} // namespace wmf::detail
