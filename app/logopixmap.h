#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

// The picture in the file at path, fitted into box keeping its aspect ratio. A null pixmap
// when the file is no regular file of a few megabytes or holds no picture of at most
// 4096 x 4096 pixels: what lies at path is never waited on, nor decoded beyond that.
QPixmap readLogo(const QString &path, const QSize &box);
