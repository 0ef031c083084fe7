#include "quihelper.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QTextCodec>
#include <QTime>
#include <QTranslator>
#include <QWidget>

#include "common/programfolder.h"
#include "widgets/appearance.h"
#include "widgets/quiinputbox.h"
#include "widgets/quimessagebox.h"

QString QUIHelper::appDirPath()
{
    return QCoreApplication::applicationDirPath();
}

bool QUIHelper::fileExists(const QString &path)
{
    return QFile(path).exists();
}

bool QUIHelper::dirExists(const QString &path)
{
    return QDir(path).exists();
}

void QUIHelper::ensureDir(const QString &path)
{
    const QString target = underProgramFolder(path);
    QDir dir(target);
    if (!dir.exists())
        dir.mkpath(target);
}

void QUIHelper::clearDir(const QString &path)
{
    // QDir("") is the working folder; an empty path names no folder at all.
    if (path.isEmpty())
        return;
    QDir dir(path);
    if (!dir.exists())
        return;

    const QFileInfoList entries = dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        if (entry.isDir() && !entry.isSymLink()) {
            clearDir(entry.absoluteFilePath());
            dir.rmdir(entry.fileName());
        } else {
            entry.dir().remove(entry.fileName());
        }
    }
}

bool QUIHelper::copyFileWritable(const QString &source, const QString &target)
{
    QFile::copy(source, target);
    // Add the owner's write right to what the target has; never take the read right away.
    QFile file(target);
    return file.setPermissions(file.permissions() | QFileDevice::WriteOwner);
}

QByteArray QUIHelper::utf8ToGb2312(const QByteArray &utf8)
{
    QTextCodec *utf8Codec = QTextCodec::codecForName("UTF-8");
    QTextCodec *gbCodec = QTextCodec::codecForName("GB2312");
    return gbCodec->fromUnicode(utf8Codec->toUnicode(utf8));
}

void QUIHelper::centerOnScreen(QWidget *widget)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    widget->move(centeredPos(screen->availableGeometry(), widget->size()));
}

QPoint QUIHelper::centeredPos(const QRect &area, const QSize &size)
{
    // The area's origin counts: a task bar at the left or top shifts it.
    return QPoint(area.x() + area.width() / 2 - size.width() / 2,
                  area.y() + area.height() / 2 - size.height() / 2);
}

void QUIHelper::setLocaleCodecUtf8()
{
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("utf-8"));
}

void QUIHelper::installTranslatorFile(const QString &qmFile)
{
    auto *translator = new QTranslator(qApp);
    translator->load(qmFile);
    QCoreApplication::installTranslator(translator);
}

void QUIHelper::seedRandom()
{
    const QTime now = QTime::currentTime();
    // qrand() is what callers draw from, so its own seed is the one to set.
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    qsrand(uint(now.second() * 1000 + now.msec()));
    QT_WARNING_POP
}

void QUIHelper::readQssColors(const QString &qss, QString &textColor, QString &panelColor,
                              QString &borderColor, QString &normalColorStart,
                              QString &normalColorEnd, QString &darkColorStart,
                              QString &darkColorEnd, QString &highColor)
{
    const struct
    {
        QLatin1String key;
        QString &out;
    } entries[] = {
        {QLatin1String("TextColor:"), textColor},
        {QLatin1String("PanelColor:"), panelColor},
        {QLatin1String("BorderColor:"), borderColor},
        {QLatin1String("NormalColorStart:"), normalColorStart},
        {QLatin1String("NormalColorEnd:"), normalColorEnd},
        {QLatin1String("DarkColorStart:"), darkColorStart},
        {QLatin1String("DarkColorEnd:"), darkColorEnd},
        {QLatin1String("HighColor:"), highColor},
    };
    for (const auto &entry : entries) {
        const int index = qss.indexOf(entry.key);
        if (index >= 0)
            entry.out = qss.mid(index + entry.key.size(), 7);
    }
}

QString QUIHelper::styleSheetPath(int number)
{
    static const char *const sheets[] = {
        "silvery",   "blue",     "lightblue",  "darkblue",  "gray",       "lightgray",
        "darkgray",  "black",    "lightblack", "darkblack", "psblack",    "flatblack",
        "flatwhite", "flatblue", "purple",     "blackblue", "blackvideo",
    };
    const char *name = "lightblue";
    if (number >= 0 && number < int(sizeof(sheets) / sizeof(sheets[0])))
        name = sheets[number];
    return QStringLiteral(":/qss/%1.css").arg(QLatin1String(name));
}

bool QUIHelper::loadThemeSheet(const QString &path, QString &qss)
{
    QFile file(path);
    if (!file.open(QFile::ReadOnly))
        return false;
    // The sheets are plain ASCII; anything after a NUL byte is not part of them.
    const QByteArray bytes = file.readAll();
    qss = QString::fromLatin1(bytes.constData(),
                              int(qstrnlen(bytes.constData(), uint(bytes.size()))));
    readQssColors(qss, g_textColor, g_panelColor, g_borderColor, g_normalColorStart,
                  g_normalColorEnd, g_darkColorStart, g_darkColorEnd, g_highColor);
    return true;
}

void QUIHelper::setStyleByNumber(int number)
{
    QString qss;
    if (!loadThemeSheet(styleSheetPath(number), qss))
        return;
    const QString paletteColor = qss.mid(20, 7);
    qApp->setPalette(QPalette(QColor(paletteColor)));
    qApp->setStyleSheet(qss);
}

int QUIHelper::askQuestion(const QString &message)
{
    QUIMessageBox box;
    box.setMessage(message, 1, 0);
    return box.exec();
}

QString QUIHelper::askInput(const QString &title, int type, int closeSec,
                            const QString &placeholderText, bool pwd, const QString &defaultValue)
{
    QUIInputBox box;
    box.setParameter(title, type, closeSec, placeholderText, pwd, defaultValue);
    box.exec();
    return box.getValue();
}
