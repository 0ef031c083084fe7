#include "variantstreamcheck.h"

#include <QDataStream>
#include <QMetaType>
#include <QtEndian>

namespace {

constexpr int MaxDepth = 32;

// Loaders that trust their counts or decode images: refused wherever they appear.
bool isRefused(int type)
{
    switch (type) {
    case QMetaType::QPixmap:
    case QMetaType::QBrush:
    case QMetaType::QPalette:
    case QMetaType::QIcon:
    case QMetaType::QImage:
    case QMetaType::QPolygon:
    case QMetaType::QRegion:
    case QMetaType::QBitmap:
    case QMetaType::QCursor:
    case QMetaType::QPen:
    case QMetaType::QTextFormat:
    case QMetaType::QPolygonF:
        return true;
    default:
        return type >= QMetaType::User;
    }
}

} // namespace

bool VariantStreamCheck::isSafe(const QByteArray &bytes, int version)
{
    VariantStreamCheck check(bytes, version);
    return check.variant(0, true);
}

VariantStreamCheck::VariantStreamCheck(const QByteArray &bytes, int version)
    : m_bytes(bytes), m_version(version)
{}

bool VariantStreamCheck::variant(int depth, bool topLevel)
{
    if (depth > MaxDepth)
        return false;
    quint32 stored = 0;
    if (!readU32(&stored))
        return false;
    quint8 isNull = 0;
    if (m_version >= QDataStream::Qt_4_2 && !readU8(&isNull))
        return false;
    const int type = mappedType(stored);
    if (isRefused(type))
        return false;
    switch (type) {
    case QMetaType::QVariantList:
    case QMetaType::QVariantMap:
    case QMetaType::QVariantHash:
    case QMetaType::QStringList:
        return skipValue(type, depth);
    default:
        // A value of its own is read by the framework, which copes with short data; inside
        // a container it must be stepped over to reach the next element.
        return topLevel || skipValue(type, depth);
    }
}

bool VariantStreamCheck::skipValue(int type, int depth)
{
    quint32 count = 0;
    switch (type) {
    case QMetaType::UnknownType:
        // Older streams follow an invalid value with an empty string.
        return m_version >= QDataStream::Qt_5_0 || skipString();
    case QMetaType::Bool:
        return skip(1);
    case QMetaType::QChar:
        return skip(2);
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::QTime:
        return skip(4);
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::QSize:
    case QMetaType::QPoint:
        return skip(8);
    case QMetaType::QColor:
        return skip(11);
    case QMetaType::QRect:
    case QMetaType::QSizeF:
    case QMetaType::QLine:
    case QMetaType::QPointF:
        return skip(16);
    case QMetaType::QRectF:
    case QMetaType::QLineF:
        return skip(32);
    case QMetaType::QDate:
        return skip(m_version >= QDataStream::Qt_5_0 ? 8 : 4);
    case QMetaType::QDateTime: {
        quint8 spec = 0;
        if (!skip(m_version >= QDataStream::Qt_5_0 ? 12 : 8) || !readU8(&spec))
            return false;
        if (m_version < QDataStream::Qt_5_2 || spec <= Qt::UTC)
            return true;
        return spec == Qt::OffsetFromUTC && skip(4);
    }
    case QMetaType::QString:
        return skipString();
    case QMetaType::QByteArray:
        return skipBytes();
    case QMetaType::QBitArray:
        return readU32(&count) && skip((qint64(count) + 7) / 8);
    case QMetaType::QStringList:
        if (!readCount(&count, 4))
            return false;
        for (quint32 i = 0; i < count; ++i) {
            if (!skipString())
                return false;
        }
        return true;
    case QMetaType::QVariantList:
        if (!readCount(&count, 4))
            return false;
        for (quint32 i = 0; i < count; ++i) {
            if (!variant(depth + 1, false))
                return false;
        }
        return true;
    case QMetaType::QVariantMap:
    case QMetaType::QVariantHash:
        if (!readCount(&count, 8))
            return false;
        for (quint32 i = 0; i < count; ++i) {
            if (!skipString() || !variant(depth + 1, false))
                return false;
        }
        return true;
    default:
        return false;
    }
}

bool VariantStreamCheck::skipString()
{
    quint32 size = 0;
    if (!readU32(&size))
        return false;
    if (size == 0xffffffff)
        return true;
    return size % 2 == 0 && skip(size);
}

bool VariantStreamCheck::skipBytes()
{
    quint32 size = 0;
    if (!readU32(&size))
        return false;
    return size == 0xffffffff || skip(size);
}

bool VariantStreamCheck::readCount(quint32 *count, int leastElementSize)
{
    return readU32(count) && qint64(*count) * leastElementSize <= m_bytes.size() - m_pos;
}

bool VariantStreamCheck::readU32(quint32 *value)
{
    if (m_bytes.size() - m_pos < 4)
        return false;
    *value = qFromBigEndian<quint32>(m_bytes.constData() + m_pos);
    m_pos += 4;
    return true;
}

bool VariantStreamCheck::readU8(quint8 *value)
{
    if (m_bytes.size() - m_pos < 1)
        return false;
    *value = quint8(m_bytes.at(int(m_pos)));
    m_pos += 1;
    return true;
}

bool VariantStreamCheck::skip(qint64 size)
{
    if (size < 0 || m_bytes.size() - m_pos < size)
        return false;
    m_pos += size;
    return true;
}

// Streams older than Qt 5 numbered some types differently; QVariant::load maps them so.
int VariantStreamCheck::mappedType(quint32 type) const
{
    if (m_version >= QDataStream::Qt_5_0)
        return type > quint32(QMetaType::User) ? QMetaType::User : int(type);
    if (type == 127)
        return QMetaType::User;
    if (type >= 128)
        return type - 97 >= quint32(QMetaType::User) ? QMetaType::User : int(type - 97);
    if (type == 75)
        return QMetaType::QSizePolicy;
    if (type > 75 && type <= 86)
        return int(type) - 1;
    return int(type);
}
