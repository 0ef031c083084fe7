#include "logopixmap.h"

#include <QBuffer>
#include <QByteArray>
#include <QByteArrayList>
#include <QImage>
#include <QImageIOHandler>
#include <QImageReader>
#include <QtEndian>

#include "common/smallfile.h"

namespace {

// A logo takes kilobytes; far more than that is no logo.
constexpr qint64 MaxFileBytes = 4 * 1024 * 1024;
// Qt 5 decodes whatever a header claims: 4096 x 4096 is 64 MB at four bytes a pixel.
constexpr int MaxSide = 4096;
// What a picture that cannot be scaled while reading may take once decoded, with the copy
// scaling it makes: start-up then peaks some 25 MB above a start without a logo.
constexpr qint64 MaxWholeBytes = 16 * 1024 * 1024;

quint32 bigEndian32(const QByteArray &bytes, int at)
{
    return qFromBigEndian<quint32>(bytes.constData() + at);
}

int bigEndian16(const QByteArray &bytes, int at)
{
    return qFromBigEndian<quint16>(bytes.constData() + at);
}

bool sidesFit(quint32 width, quint32 height)
{
    return width > 0 && height > 0 && width <= MaxSide && height <= MaxSide;
}

bool fitsWhole(quint32 width, quint32 height, int bytesPerPixel)
{
    return qint64(width) * height * bytesPerPixel <= MaxWholeBytes;
}

// From the 13 bytes of IHDR. Qt 5 scales while reading only 8-bit, non-interlaced colour
// images (alpha or not); the others (16-bit, interlaced, grey, palette) are decoded whole and
// scaled from a 32-bit copy: 8 + 4 bytes a pixel at 16 bits, at most 1 + 4 or 4 otherwise.
bool pngHeaderFits(const QByteArray &header)
{
    const quint32 width = bigEndian32(header, 0);
    const quint32 height = bigEndian32(header, 4);
    const int depth = uchar(header.at(8));
    const int colourType = uchar(header.at(9));
    const bool interlaced = header.at(12) != 0;
    if (!sidesFit(width, height))
        return false;
    const bool truecolourOrAlpha = colourType == 2 || colourType == 4 || colourType == 6;
    return (depth == 8 && !interlaced && truecolourOrAlpha) ||
           fitsWhole(width, height, depth == 16 ? 12 : 5);
}

// The PNG in bytes reduced to the chunks that draw the picture, whole with their CRCs, when
// its header fits; else nothing. libpng inflates text and profile chunks of megabytes each
// and Qt keeps the texts: a few megabytes of file could become gigabytes.
QByteArray pngPictureChunks(const QByteArray &bytes)
{
    static const QByteArray signature("\x89PNG\r\n\x1a\n", 8);
    static const QByteArrayList drawing{"IHDR", "PLTE", "tRNS", "IDAT", "IEND"};
    if (!bytes.startsWith(signature))
        return {};
    QByteArray kept = signature;
    for (int at = signature.size(); at + 12 <= bytes.size();) {
        const quint32 length = bigEndian32(bytes, at);
        const QByteArray type = bytes.mid(at + 4, 4);
        if (length > quint32(bytes.size() - at - 12))
            return {};
        if (at == signature.size() && (type != "IHDR" || length != 13))
            return {};
        if (drawing.contains(type))
            kept += bytes.mid(at, 12 + int(length));
        at += 12 + int(length);
        if (type == "IEND")
            return pngHeaderFits(kept.mid(16, 13)) ? kept : QByteArray();
    }
    return {};
}

// Whether libjpeg decodes this JPEG cheaply. A sequential Huffman JPEG whose first scan holds
// every component is decoded a few rows at a time, at an eighth of its size for a logo; a
// progressive or multi-scan one keeps the coefficients of the whole picture, two bytes a
// pixel and component. Lossless, hierarchical and arithmetic-coded ones are refused.
bool jpegFits(const QByteArray &bytes)
{
    if (!bytes.startsWith("\xff\xd8"))
        return false;
    quint32 width = 0, height = 0;
    int components = 0;
    bool progressive = false;
    for (int at = 2; at + 4 <= bytes.size();) {
        const uchar marker = uchar(bytes.at(at + 1));
        if (uchar(bytes.at(at)) != 0xff)
            return false;
        if (marker == 0xff || marker == 0x01 || (marker >= 0xd0 && marker <= 0xd7)) {
            at += marker == 0xff ? 1 : 2; // fill byte, or a marker without a segment
            continue;
        }
        const int length = bigEndian16(bytes, at + 2);
        const int segment = at + 4;
        if (length < 2 || segment + length - 2 > bytes.size())
            return false;
        if (marker == 0xc0 || marker == 0xc1 || marker == 0xc2) {
            if (length < 8 || bytes.at(segment) != 8)
                return false;
            height = quint32(bigEndian16(bytes, segment + 1));
            width = quint32(bigEndian16(bytes, segment + 3));
            components = uchar(bytes.at(segment + 5));
            progressive = marker == 0xc2;
        } else if (marker >= 0xc3 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 &&
                   marker != 0xcc) {
            return false;
        } else if (marker == 0xda) {
            if (length < 3 || !sidesFit(width, height) || components == 0)
                return false;
            const int inFirstScan = uchar(bytes.at(segment));
            return (!progressive && inFirstScan == components) ||
                   fitsWhole(width, height, 2 * components);
        } else if (marker == 0xd9) {
            return false;
        }
        at = segment + length - 2;
    }
    return false;
}

} // namespace

QPixmap readLogo(const QString &path, const QSize &box)
{
    // What lies at path is never waited on.
    QByteArray bytes;
    int error = 0;
    if (SmallFile::read(path, MaxFileBytes, &bytes, &error) != SmallFile::Outcome::Read)
        return {};
    // Only the two formats whose headers tell what decoding them takes, and no guessing: with
    // the format named and detection off, no other handler (ICO, SVG, ...) sees the bytes.
    QByteArray format;
    if (jpegFits(bytes)) {
        format = "jpeg";
    } else {
        bytes = pngPictureChunks(bytes);
        format = "png";
    }
    if (bytes.isEmpty())
        return {};
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    const QSize size = reader.size();
    if (!size.isValid())
        return {};
    if (reader.supportsOption(QImageIOHandler::ScaledSize))
        reader.setScaledSize(size.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    const QImage image = reader.read();
    if (image.isNull())
        return {};
    return QPixmap::fromImage(image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}
