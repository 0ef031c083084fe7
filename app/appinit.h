#pragma once

#include <QObject>
#include <QString>

// Application-wide start-up settings and the theme style sheet.
class AppInit : public QObject
{
    Q_OBJECT

public:
    static AppInit *Instance();
    explicit AppInit(QObject *parent = nullptr);

    // "<folder>/<base>.ini", the base being the executable's file name up to its first dot.
    static QString settingsPath(const QString &appDirPath, const QString &appFilePath);
    // Sets g_iniFilePath for the running executable.
    static void initSettingsPath();
    // The rules appended to every theme sheet, built from the current theme colours.
    static QString generatedRules(bool darkSheet);

public slots:
    void start();
    // Applies the sheet at styleName and takes the theme colours from it; a sheet
    // that cannot be opened changes nothing.
    void initStyle(const QString &styleName);

protected:
    // Drag-to-move for widgets carrying the property "canMove" = true.
    bool eventFilter(QObject *watched, QEvent *event) override;
};
