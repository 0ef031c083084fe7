#include "variantstreamcheck.h"

#include <QDataStream>
#include <QMetaType>
#include <QSet>
#include <QTimeZone>
#include <QVariant>
#include <QtEndian>

#include <limits>

namespace {

constexpr int MaxDepth = 32;
constexpr qint32 SecondsPerDay = 24 * 60 * 60;

bool fitsInt(qint64 value)
{
    return value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
}

// QRect keeps x + length - 1 and gives the length back as that minus x, plus 1.
bool spanFits(qint64 start, qint64 length)
{
    return fitsInt(start) && fitsInt(length) && fitsInt(length - 1) && fitsInt(start + length) &&
           fitsInt(start + length - 1);
}

// A zone id is opened as a file below the zone folder as it stands, so only the ids the
// system lists are let through; the list is read once, without building a zone from the id.
bool isSystemZone(const QString &id)
{
    static const QSet<QByteArray> ids = [] {
        const QList<QByteArray> list = QTimeZone::availableTimeZoneIds();
        return QSet<QByteArray>(list.begin(), list.end());
    }();
    return ids.contains(id.toUtf8());
}

// Loaders that trust their counts, decode images or profiles, recurse without a bound or
// take a function pointer from the bytes (an easing curve): refused wherever they appear.
bool isRefused(int type)
{
    switch (type) {
    case QMetaType::QEasingCurve:
    case QMetaType::QCborValue:
    case QMetaType::QCborArray:
    case QMetaType::QCborMap:
    case QMetaType::QColorSpace:
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

// Loaders that read fixed sizes or strings in bounded chunks and trust no count: inside a
// container such a value is stepped over by letting the framework read it.
bool hasBoundedLoader(int type, int version)
{
    switch (type) {
    case QMetaType::QUrl:
    case QMetaType::QLocale:
    case QMetaType::QRegularExpression:
    case QMetaType::QUuid:
    case QMetaType::Long:
    case QMetaType::Short:
    case QMetaType::Char:
    case QMetaType::ULong:
    case QMetaType::UShort:
    case QMetaType::UChar:
    case QMetaType::SChar:
    case QMetaType::Float:
    case QMetaType::QJsonValue:
    case QMetaType::QJsonObject:
    case QMetaType::QJsonArray:
    case QMetaType::QJsonDocument:
    case QMetaType::QCborSimpleType:
    case QMetaType::QKeySequence:
    case QMetaType::QTextLength:
    case QMetaType::QMatrix:
    case QMetaType::QTransform:
    case QMetaType::QMatrix4x4:
    case QMetaType::QVector2D:
    case QMetaType::QVector3D:
    case QMetaType::QVector4D:
    case QMetaType::QQuaternion:
    case QMetaType::QSizePolicy:
    case QMetaType::QRegExp:
        return true;
    case QMetaType::QFont:
        // Later streams add a family list, read with a trusted count.
        return version < QDataStream::Qt_5_13;
    default:
        return false;
    }
}

} // namespace

bool VariantStreamCheck::isSafe(const QByteArray &bytes, int version)
{
    VariantStreamCheck check(bytes, version);
    return check.variant(0);
}

bool VariantStreamCheck::rectFits(qint64 x, qint64 y, qint64 width, qint64 height)
{
    return spanFits(x, width) && spanFits(y, height);
}

VariantStreamCheck::VariantStreamCheck(const QByteArray &bytes, int version)
    : m_bytes(bytes), m_version(version)
{}

bool VariantStreamCheck::variant(int depth)
{
    if (depth > MaxDepth)
        return false;
    quint32 stored = 0;
    if (!readU32(&stored))
        return false;
    quint8 isNull = 0;
    if (m_version >= QDataStream::Qt_4_2 && !readU8(&isNull))
        return false;
    int type = mappedType(stored);
    if (type == QMetaType::User && !userTypeByName(&type))
        return false;
    // Every value is walked, a lone one too: its loader is the framework's all the same.
    return !isRefused(type) && skipValue(type, depth);
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
        return skipRect();
    case QMetaType::QSizeF:
    case QMetaType::QLine:
    case QMetaType::QPointF:
        return skip(16);
    case QMetaType::QRectF:
    case QMetaType::QLineF:
        return skip(32);
    case QMetaType::QDate:
        return skip(m_version >= QDataStream::Qt_5_0 ? 8 : 4);
    case QMetaType::QDateTime:
        return skipDateTime();
    case QMetaType::QString:
        return skipString();
    case QMetaType::QByteArray:
        return skipBytes();
    case QMetaType::QBitArray:
        return readU32(&count) && skip((qint64(count) + 7) / 8);
    case QMetaType::QStringList:
        return skipEach(4, [this] { return skipString(); });
    case QMetaType::QVariantList:
        return skipEach(4, [this, depth] { return variant(depth + 1); });
    case QMetaType::QByteArrayList:
        return skipEach(4, [this] { return skipBytes(); });
    case QMetaType::QVariantMap:
    case QMetaType::QVariantHash:
        return skipEach(8, [this, depth] { return skipString() && variant(depth + 1); });
    case QMetaType::QVariant:
        // A variant holding a variant: each level counts against the depth limit.
        return variant(depth + 1);
    default:
        return hasBoundedLoader(type, m_version) && skipLoaded(type);
    }
}

bool VariantStreamCheck::skipEach(int leastElementSize, const std::function<bool()> &skipOne)
{
    quint32 count = 0;
    if (!readCount(&count, leastElementSize))
        return false;
    for (quint32 i = 0; i < count; ++i) {
        if (!skipOne())
            return false;
    }
    return true;
}

bool VariantStreamCheck::skipRect()
{
    qint32 x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    if (!readI32(&x1) || !readI32(&y1) || !readI32(&x2) || !readI32(&y2))
        return false;
    // Width and height are computed from the corners: they must fit an int too.
    return rectFits(x1, y1, qint64(x2) - x1 + 1, qint64(y2) - y1 + 1);
}

bool VariantStreamCheck::skipDateTime()
{
    quint8 spec = 0;
    if (!skip(m_version >= QDataStream::Qt_5_0 ? 12 : 8) || !readU8(&spec))
        return false;
    // Older streams map every byte to a time spec and read nothing more.
    if (m_version < QDataStream::Qt_5_2)
        return true;
    qint32 offset = 0;
    switch (spec) {
    case Qt::LocalTime:
    case Qt::UTC:
        return true;
    case Qt::OffsetFromUTC:
        return readI32(&offset) && offset > -SecondsPerDay && offset < SecondsPerDay;
    case Qt::TimeZone:
        return skipTimeZone();
    default:
        // Loaded as it stands, such a value crashes the writer of the next save.
        return false;
    }
}

// A zone id, or "OffsetFromUtc" then id, offset, name, abbreviation, country and comment.
// The framework tries the id as a system zone either way.
bool VariantStreamCheck::skipTimeZone()
{
    QString id;
    if (!readString(&id))
        return false;
    if (id == QLatin1String("OffsetFromUtc") && (!readString(&id) || !skip(4) || !skipString() ||
                                                 !skipString() || !skip(4) || !skipString()))
        return false;
    return isSystemZone(id);
}

bool VariantStreamCheck::readString(QString *text)
{
    const qint64 start = m_pos;
    if (!skipString())
        return false;
    QDataStream stream(m_bytes.mid(int(start), int(m_pos - start)));
    stream.setVersion(m_version);
    stream >> *text;
    return stream.status() == QDataStream::Ok;
}

bool VariantStreamCheck::skipLoaded(int type)
{
    QDataStream stream(m_bytes);
    stream.setVersion(m_version);
    if (!stream.device()->seek(m_pos))
        return false;
    QVariant value(type, nullptr);
    if (!QMetaType::load(stream, type, value.data()) || stream.status() != QDataStream::Ok)
        return false;
    m_pos = stream.device()->pos();
    return true;
}

// A type stored by name: only the framework's own types pass, by the rules of their number.
bool VariantStreamCheck::userTypeByName(int *type)
{
    quint32 size = 0;
    if (!readU32(&size) || size == 0xffffffff || m_bytes.size() - m_pos < qint64(size))
        return false;
    const QByteArray name = m_bytes.mid(int(m_pos), int(size));
    m_pos += size;
    const int named = QMetaType::type(name.constData());
    if (named == QMetaType::UnknownType || named >= QMetaType::User)
        return false;
    *type = named;
    return true;
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

bool VariantStreamCheck::readI32(qint32 *value)
{
    quint32 bits = 0;
    if (!readU32(&bits))
        return false;
    *value = qint32(bits);
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

// Streams older than Qt 5 numbered some types differently; mapped exactly as QVariant::load
// maps them, so that every number the framework reads as "a name follows" (QMetaType::User)
// comes out as such. Any other number past it names no type a settings file can hold.
int VariantStreamCheck::mappedType(quint32 type) const
{
    quint32 mapped = type;
    if (m_version < QDataStream::Qt_5_0) {
        if (type == 127)
            mapped = QMetaType::User;
        else if (type >= 128 && type != quint32(QMetaType::User))
            mapped = type - 97;
        else if (type == 75)
            mapped = QMetaType::QSizePolicy;
        else if (type > 75 && type <= 86)
            mapped = type - 1;
    }
    return mapped > quint32(QMetaType::User) ? QMetaType::User + 1 : int(mapped);
}
