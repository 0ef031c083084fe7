#pragma once

#include <QByteArray>

// Looks over the data-stream bytes of one stored variant before QDataStream reads them.
// Some of the framework's loaders trust the element counts they read (a polygon or a region
// with four billion points, a list nested a million deep) and crash or exhaust memory on
// hostile bytes; those types, user types, counts beyond the bytes there are, and nesting
// deeper than a settings value needs are refused. Lists, maps and hashes are walked element
// by element, so a refused type cannot hide inside them; an element whose loader is bounded
// is stepped over by reading it.
class VariantStreamCheck
{
public:
    // `version` is the QDataStream version the bytes were written with.
    static bool isSafe(const QByteArray &bytes, int version);

private:
    VariantStreamCheck(const QByteArray &bytes, int version);

    bool variant(int depth, bool topLevel);
    bool skipValue(int type, int depth);
    bool skipString();
    bool skipBytes();
    bool skipLoaded(int type);
    bool userTypeByName(int *type);
    bool readCount(quint32 *count, int leastElementSize);
    bool readU32(quint32 *value);
    bool readU8(quint8 *value);
    bool skip(qint64 size);
    int mappedType(quint32 type) const;

    const QByteArray &m_bytes;
    const int m_version;
    qint64 m_pos = 0;
};
