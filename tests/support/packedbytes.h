#pragma once

#include <QByteArray>
#include <QtGlobal>

// Small builders of binary files for the tests.
namespace PackedBytes {
// Four bytes, most significant first unless little.
QByteArray word(quint32 value, bool little = false);
// The CRC-32 of gzip and PNG.
quint32 crc32(const QByteArray &bytes);
// The bytes as a gzip file.
QByteArray gzip(const QByteArray &bytes);
} // namespace PackedBytes
