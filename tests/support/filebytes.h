#pragma once

#include <QByteArray>
#include <QString>

// Whole files as raw bytes, for comparing what was written byte for byte.
namespace FileBytes {
// Fails the running test when the file cannot be written.
void write(const QString &path, const QByteArray &bytes);
// "<missing>" when the file cannot be read.
QByteArray read(const QString &path);
} // namespace FileBytes
