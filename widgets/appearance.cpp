#include "appearance.h"

QString g_textColor = QStringLiteral("#F0F0F0");
QString g_panelColor = QStringLiteral("#F0F0F0");
QString g_borderColor = QStringLiteral("#F0F0F0");
QString g_normalColorStart = QStringLiteral("#F0F0F0");
QString g_normalColorEnd = QStringLiteral("#F0F0F0");
QString g_darkColorStart = QStringLiteral("#F0F0F0");
QString g_darkColorEnd = QStringLiteral("#F0F0F0");
QString g_highColor = QStringLiteral("#F0F0F0");

QString g_fontName = QStringLiteral("Microsoft Yahei");
int g_fontSize = 12;

int g_iconMain = 0xf072;
int g_iconMenu = 0xf0d7;
int g_iconMin = 0xf068;
int g_iconMax = 0xf2d2;
int g_iconNormal = 0xf2d0;
int g_iconClose = 0xf00d;
