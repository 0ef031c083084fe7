#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Looks over the data-stream bytes of one stored variant before QDataStream reads them.
// Some of the framework's loaders trust the element counts they read (a polygon or a region
// with four billion points, a list nested a million deep) and crash or exhaust memory on
// hostile bytes; those types, user types, type numbers naming no type, counts beyond the
// bytes there are, and nesting deeper than a settings value needs are refused. A type stored
// by name is checked as the type it names. Every value is walked, lone ones and the elements
// of lists, maps and hashes alike; date-times must carry a valid time spec and name only a
// system time zone; a value whose loader is bounded is stepped over by reading it.
class VariantStreamCheck
{
public:
    // `version` is the QDataStream version the bytes were written with.
    static bool isSafe(const QByteArray &bytes, int version);
    // True when QRect(x, y, width, height), its right and bottom edges, width and height all
    // stay within int.
    static bool rectFits(qint64 x, qint64 y, qint64 width, qint64 height);

private:
    VariantStreamCheck(const QByteArray &bytes, int version);

    bool variant(int depth);
    bool skipValue(int type, int depth);
    // A count, then that many elements, each stepped over by `skipOne`.
    bool skipEach(int leastElementSize, const std::function<bool()> &skipOne);
    bool skipRect();
    bool skipDateTime();
    bool skipTimeZone();
    bool readString(QString *text);
    bool skipString();
    bool skipBytes();
    bool skipLoaded(int type);
    bool userTypeByName(int *type);
    bool readCount(quint32 *count, int leastElementSize);
    bool readU32(quint32 *value);
    bool readI32(qint32 *value);
    bool readU8(quint8 *value);
    bool skip(qint64 size);
    int mappedType(quint32 type) const;

    const QByteArray &m_bytes;
    const int m_version;
    qint64 m_pos = 0;
};
