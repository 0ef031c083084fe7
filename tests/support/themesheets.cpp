#include "themesheets.h"

#include <QDir>
#include <QtTest>

void ThemeSheets::addRows()
{
    QTest::addColumn<QString>("sheet");
    const QStringList sheets = QDir(QStringLiteral(":/qss")).entryList({QStringLiteral("*.css")});
    QCOMPARE(sheets.size(), 17);
    for (const QString &sheet : sheets)
        QTest::newRow(qPrintable(sheet)) << QStringLiteral(":/qss/") + sheet;
}
