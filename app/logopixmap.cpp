#include "logopixmap.h"

#include <QBuffer>
#include <QByteArray>
#include <QByteArrayList>
#include <QImage>
#include <QImageIOHandler>
#include <QImageReader>
#include <QScopeGuard>
#include <QtEndian>

#include <vector>
#include <zlib.h>

#include "common/smallfile.h"

namespace {

// A logo takes kilobytes; far more than that is no logo.
constexpr qint64 MaxFileBytes = 4 * 1024 * 1024;
// Qt 5 decodes whatever a header claims: 4096 x 4096 is 64 MB at four bytes a pixel.
constexpr int MaxSide = 4096;
// What a picture that cannot be scaled while reading may take once decoded, with the copy
// scaling it makes: start-up then peaks some 25 MB above a start without a logo.
constexpr qint64 MaxWholeBytes = 16 * 1024 * 1024;
// Encoders write at most a few dozen scans (libjpeg's progressive script: 10 in colour); each
// scan costs a walk over all the picture's coefficients.
constexpr int MaxJpegScans = 100;

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

QString tooLarge(const char *format, quint32 width, quint32 height)
{
    return QStringLiteral("%1 图片的尺寸超出限度（%2 x %3）")
        .arg(QLatin1String(format))
        .arg(width)
        .arg(height);
}

// The picture in bytes, read by the named format's handler alone, scaled into box while it
// is read where the handler can.
QImage decoded(QByteArray *bytes, const QByteArray &format, const QSize &box)
{
    QBuffer buffer(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    const QSize size = reader.size();
    if (!size.isValid())
        return {};
    if (reader.supportsOption(QImageIOHandler::ScaledSize))
        reader.setScaledSize(size.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    return reader.read();
}

// Bytes of filtered rows the picture needs: a filter byte and the packed pixels per row, in
// each of Adam7's seven passes when interlaced; 0 for a colour type and depth PNG lacks.
qint64 pngRowBytes(quint32 width, quint32 height, int depth, int colourType, bool interlaced)
{
    static const int channels[] = {1, 0, 3, 1, 2, 0, 4};
    if (colourType > 6 || !channels[colourType] || depth < 1 || depth > 16 || (depth & (depth - 1)))
        return 0;
    const qint64 bitsPerPixel = depth * channels[colourType];
    const auto passBytes = [&](int x0, int y0, int dx, int dy) -> qint64 {
        const qint64 columns = width > quint32(x0) ? (width - x0 + dx - 1) / dx : 0;
        const qint64 rows = height > quint32(y0) ? (height - y0 + dy - 1) / dy : 0;
        return columns ? rows * (1 + (columns * bitsPerPixel + 7) / 8) : 0;
    };
    if (!interlaced)
        return passBytes(0, 0, 1, 1);
    return passBytes(0, 0, 8, 8) + passBytes(4, 0, 8, 8) + passBytes(0, 4, 4, 8) +
           passBytes(2, 0, 4, 4) + passBytes(0, 2, 2, 4) + passBytes(1, 0, 2, 2) +
           passBytes(0, 1, 1, 2);
}

// Whether the zlib stream inflates to at most limit bytes, inflated a little at a time and
// dropped. libpng would inflate all of it, however far past the rows it needs. A stream that
// breaks off early passes: libpng stops there too.
bool inflatesWithin(const QByteArray &deflated, qint64 limit)
{
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        return false;
    const auto end = qScopeGuard([&stream] { inflateEnd(&stream); });
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(deflated.constData()));
    stream.avail_in = uInt(deflated.size());
    std::vector<Bytef> scratch(64 * 1024);
    for (qint64 total = 0;;) {
        stream.next_out = scratch.data();
        stream.avail_out = uInt(scratch.size());
        const int result = inflate(&stream, Z_NO_FLUSH);
        total += qint64(scratch.size() - stream.avail_out);
        if (total > limit)
            return false;
        if (result != Z_OK)
            return true;
    }
}

// From the 13 bytes of IHDR and the IDAT data. Qt 5 scales while reading only 8-bit,
// non-interlaced colour images (alpha or not); the others (16-bit, interlaced, grey, palette)
// are decoded whole and scaled from a 32-bit copy: 8 + 4 bytes a pixel at 16 bits, at most
// 1 + 4 or 4 otherwise. Empty when it fits, else why not.
QString pngRefusal(const QByteArray &header, const QByteArray &deflated)
{
    const quint32 width = bigEndian32(header, 0);
    const quint32 height = bigEndian32(header, 4);
    const int depth = uchar(header.at(8));
    const int colourType = uchar(header.at(9));
    const bool interlaced = header.at(12) != 0;
    const bool truecolourOrAlpha = colourType == 2 || colourType == 4 || colourType == 6;
    if (!sidesFit(width, height) || !((depth == 8 && !interlaced && truecolourOrAlpha) ||
                                      fitsWhole(width, height, depth == 16 ? 12 : 5)))
        return tooLarge("PNG", width, height);
    const qint64 rowBytes = pngRowBytes(width, height, depth, colourType, interlaced);
    if (rowBytes == 0)
        return QStringLiteral("PNG 的颜色类型或位深无效");
    if (!inflatesWithin(deflated, rowBytes))
        return QStringLiteral("PNG 的图像数据解压后超出其尺寸所需");
    return {};
}

// The PNG in bytes reduced to the chunks that draw the picture, whole with their CRCs, when
// it fits; else why not. libpng inflates text and profile chunks of megabytes each and Qt
// keeps the texts: a few megabytes of file could become gigabytes.
QString pngPictureChunks(const QByteArray &bytes, QByteArray *kept)
{
    static const QByteArray signature("\x89PNG\r\n\x1a\n", 8);
    static const QByteArrayList drawing{"IHDR", "PLTE", "tRNS", "IDAT", "IEND"};
    const QString broken = QStringLiteral("PNG 的块结构损坏");
    if (!bytes.startsWith(signature))
        return broken;
    *kept = signature;
    QByteArray deflated;
    for (int at = signature.size(); at + 12 <= bytes.size();) {
        const quint32 length = bigEndian32(bytes, at);
        const QByteArray type = bytes.mid(at + 4, 4);
        if (length > quint32(bytes.size() - at - 12))
            return broken;
        if (at == signature.size() && (type != "IHDR" || length != 13))
            return broken;
        if (drawing.contains(type))
            *kept += bytes.mid(at, 12 + int(length));
        if (type == "IDAT")
            deflated += bytes.mid(at + 8, int(length));
        at += 12 + int(length);
        if (type == "IEND")
            return pngRefusal(kept->mid(16, 13), deflated);
    }
    return broken;
}

// Where the entropy-coded data from at ends: at the next marker other than a restart.
int entropyEnd(const QByteArray &bytes, int at)
{
    for (at = bytes.indexOf('\xff', at); at >= 0 && at + 1 < bytes.size();
         at = bytes.indexOf('\xff', at + 1)) {
        const uchar next = uchar(bytes.at(at + 1));
        if (next != 0 && next != 0xff && (next < 0xd0 || next > 0xd7))
            return at;
    }
    return bytes.size();
}

// Why libjpeg would not decode this JPEG cheaply; empty when it would. A sequential Huffman
// JPEG whose first scan holds every component is decoded a few rows at a time, at an eighth
// of its size for a logo; a progressive or multi-scan one keeps the coefficients of the whole
// picture, two bytes a pixel and component. libjpeg walks all of them once per scan, so
// scans are counted up to the end of the picture. Lossless, hierarchical and
// arithmetic-coded ones are refused.
QString jpegRefusal(const QByteArray &bytes)
{
    const QString broken = QStringLiteral("JPEG 的标记结构损坏");
    quint32 width = 0, height = 0;
    int components = 0, scans = 0;
    bool progressive = false;
    for (int at = 2; at + 4 <= bytes.size();) {
        const uchar marker = uchar(bytes.at(at + 1));
        if (uchar(bytes.at(at)) != 0xff) {
            // Past the first scan libjpeg skips stray bytes to the next marker, and so does this.
            if (scans == 0)
                return broken;
            at = entropyEnd(bytes, at);
            continue;
        }
        if (marker == 0xff || marker == 0x01 || (marker >= 0xd0 && marker <= 0xd7)) {
            at += marker == 0xff ? 1 : 2; // fill byte, or a marker without a segment
            continue;
        }
        if (marker == 0xd9)
            break;
        const int length = bigEndian16(bytes, at + 2);
        const int segment = at + 4;
        // A segment cut short ends the picture, as the end of the file does.
        if (length < 2 || segment + length - 2 > bytes.size()) {
            if (scans == 0)
                return broken;
            break;
        }
        if (marker == 0xc0 || marker == 0xc1 || marker == 0xc2) {
            if (length < 8 || bytes.at(segment) != 8)
                return QStringLiteral("JPEG 的采样精度不是 8 位");
            height = quint32(bigEndian16(bytes, segment + 1));
            width = quint32(bigEndian16(bytes, segment + 3));
            components = uchar(bytes.at(segment + 5));
            progressive = marker == 0xc2;
        } else if (marker >= 0xc3 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 &&
                   marker != 0xcc) {
            return QStringLiteral("JPEG 为无损、分层或算术编码");
        } else if (marker == 0xda) {
            if (length < 3 || components == 0)
                return broken;
            const bool rowByRow = !progressive && uchar(bytes.at(segment)) == components;
            if (scans == 0 && !(sidesFit(width, height) &&
                                (rowByRow || fitsWhole(width, height, 2 * components))))
                return tooLarge("JPEG", width, height);
            if (++scans > MaxJpegScans)
                return QStringLiteral("JPEG 的扫描多于 %1 个").arg(MaxJpegScans);
            at = entropyEnd(bytes, segment + length - 2);
            continue;
        }
        at = segment + length - 2;
    }
    return scans ? QString() : broken;
}

} // namespace

QPixmap readLogo(const QString &path, const QSize &box, QString *refusal)
{
    refusal->clear();
    // What lies at path is never waited on.
    QByteArray bytes;
    int error = 0;
    const SmallFile::Outcome outcome = SmallFile::read(path, MaxFileBytes, &bytes, &error);
    if (outcome != SmallFile::Outcome::Read) {
        *refusal = SmallFile::refusal(outcome, error, MaxFileBytes);
        return {};
    }
    // Only the two formats whose headers tell what decoding them takes, and no guessing: with
    // the format named and detection off, no other handler (ICO, SVG, ...) sees the bytes.
    QByteArray format;
    if (bytes.startsWith("\xff\xd8")) {
        *refusal = jpegRefusal(bytes);
        format = "jpeg";
    } else if (bytes.startsWith("\x89PNG")) {
        QByteArray kept;
        *refusal = pngPictureChunks(bytes, &kept);
        bytes = kept;
        format = "png";
    } else {
        *refusal = QStringLiteral("既不是 PNG 也不是 JPEG");
    }
    if (!refusal->isEmpty())
        return {};
    const QImage image = decoded(&bytes, format, box);
    if (image.isNull()) {
        *refusal = QStringLiteral("无法解码");
        return {};
    }
    return QPixmap::fromImage(image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}
