#include "packedbytes.h"

#include <QVector>
#include <QtEndian>

namespace PackedBytes {

QByteArray word(quint32 value, bool little)
{
    value = little ? qToLittleEndian(value) : qToBigEndian(value);
    return QByteArray(reinterpret_cast<const char *>(&value), 4);
}

quint32 crc32(const QByteArray &bytes)
{
    static const auto table = [] {
        QVector<quint32> t(256);
        for (quint32 i = 0; i < 256; ++i) {
            quint32 c = i;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xedb88320u ^ (c >> 1) : c >> 1;
            t[int(i)] = c;
        }
        return t;
    }();
    quint32 crc = ~0u;
    for (const char byte : bytes)
        crc = table[int((crc ^ quint8(byte)) & 0xff)] ^ (crc >> 8);
    return ~crc;
}

QByteArray gzip(const QByteArray &bytes)
{
    // qCompress gives a 4-byte length, a 2-byte zlib header, deflate data and a checksum.
    const QByteArray zlib = qCompress(bytes, 9);
    return QByteArray("\x1f\x8b\x08\0\0\0\0\0\x02\x03", 10) + zlib.mid(6, zlib.size() - 10) +
           word(crc32(bytes), true) + word(quint32(bytes.size()), true);
}

} // namespace PackedBytes
