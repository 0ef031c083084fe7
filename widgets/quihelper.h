#pragma once

#include <QByteArray>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

// The kit's stateless helpers: files and folders, code pages, centring, application-wide
// start-up settings, theme sheets, and blocking question and input boxes.
class QUIHelper : public QObject
{
    Q_OBJECT
public:
    static QString appDirPath();
    static bool fileExists(const QString &path);
    static bool dirExists(const QString &path);
    // Creates the folder with its parents; a relative path lands under appDirPath().
    static void ensureDir(const QString &path);
    // Empties the folder recursively and keeps the folder itself; an empty path does nothing.
    static void clearDir(const QString &path);
    // Copies (never over an existing target) and makes the target owner-writable;
    // returns whether its permissions could be set.
    static bool copyFileWritable(const QString &source, const QString &target);
    static QByteArray utf8ToGb2312(const QByteArray &utf8);
    // Centres the widget in the available area of the primary screen.
    static void centerOnScreen(QWidget *widget);
    // Top-left corner that centres `size` in `area`, the area's origin included.
    static QPoint centeredPos(const QRect &area, const QSize &size);

    static void setLocaleCodecUtf8();
    static void installTranslatorFile(const QString &qmFile);
    static void seedRandom();

    // Fills each output from its "Key:#RRGGBB" entry in the sheet; an absent key keeps its value.
    static void readQssColors(const QString &qss, QString &textColor, QString &panelColor,
                              QString &borderColor, QString &normalColorStart,
                              QString &normalColorEnd, QString &darkColorStart,
                              QString &darkColorEnd, QString &highColor);
    // Reads the sheet's text (up to a NUL byte, if any) and its theme colours into the
    // kit's colours; false, changing nothing, when the sheet cannot be opened.
    static bool loadThemeSheet(const QString &path, QString &qss);
    // Applies theme 0..16 (any other number: light blue) and refills the kit's theme colours.
    static void setStyleByNumber(int number);
    static QString styleSheetPath(int number);

    // 0x4000 when confirmed, 0x10000 for Cancel or the close button, 0 otherwise.
    static int askQuestion(const QString &message);
    // The confirmed text, or an empty text when the box closed without confirming.
    static QString askInput(const QString &title, int type, int closeSec,
                            const QString &placeholderText, bool pwd, const QString &defaultValue);

private:
    QUIHelper() = default;
};
