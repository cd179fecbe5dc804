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

// Larger files are not read at all.  A wheel picture takes about 2 KB in
// some 150 records with 4 objects; the limits leave room for far richer
// pictures while keeping the worst file that passes them to a fraction of a
// second (thick ellipses cost the most per record, long polylines and text
// per byte).
inline constexpr qint64 kMaxFileSize = 64 * 1024;
// Most records and objects a file may hold.  libwmf searches its object
// table linearly for a free slot, so the number of objects is kept small.
inline constexpr qint64 kMaxRecords = 1000;
inline constexpr int kMaxObjects = 256;
// A font wider than this many times its height is refused; Qt cannot lay
// out glyphs that distorted.
inline constexpr int kMaxFontStretch = 64;

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
    int left = 0, top = 0, right = 0, bottom = 0;  // placeable bounding box
    std::vector<RawFont> fonts;                    // in record order
    qint64 length = 0;                             // bytes up to the end of the EOF record
};

// Walks the headers and the record list and rejects anything libwmf should
// not be trusted with: wrong keys or checksum, records running past the end,
// point and character counts that do not fit their record, misuse of the
// object table (a slot reused for another kind of object while the DC still
// points into it, selecting or deleting an empty slot), a missing EOF record,
// a header that claims more objects or a larger record than the file can
// hold, more records or objects than the limits above, absurdly stretched
// fonts.  Gives the placeable header's box, the fonts as written and the
// length of the part that was checked: libwmf must see no byte beyond it.
std::optional<FileLayout> checkFile(const QByteArray& data);

// Turns a packed DIB (info header, colour table, bits) into an image by
// putting a BMP file header in front of it.
QImage imageFromDib(const unsigned char* dib, long length);

}  // namespace wmf::detail
