#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

// The picture in the PNG or JPEG file at path, fitted into box keeping its aspect ratio. A
// null pixmap when the file is no regular file of a few megabytes or promises more than a
// cheap decode: at most 4096 x 4096 pixels, fewer for the kinds decoded whole, a JPEG of at
// most 100 scans, a PNG whose picture data inflates to no more than its rows. What lies at
// path is never waited on, nor decoded beyond that, nor read as another format. refusal
// says why a present file was not shown; empty when it was shown or is missing.
QPixmap readLogo(const QString &path, const QSize &box, QString *refusal);
