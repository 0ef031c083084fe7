#include "iniroundtrip.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QTextCodec>
#include <QVariant>
#include <QVector>

#include "common/easyini.h"

namespace {

// The line rules are written again on purpose, from the format and not from the reader:
// the reader's own parsing (runs of raw lines, indexes, views into the text) is what is
// judged, and a line it lost or merged would read the same twice through it.
struct Line
{
    char kind;    // 'r'aw, 'h'eader or 'k'ey
    QString text; // the trimmed line, the section name or the key
    QVariant value;
};

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Line parsed(const QString &line)
{
    if (line.size() < 3 || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
        return {'r', line, {}};
    if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']')))
        return {'h', line.mid(1, line.size() - 2), {}};
    const int eq = line.indexOf(QLatin1Char('='));
    const QString key = line.left(eq).trimmed();
    const QString value = line.mid(eq + 1).trimmed();
    if (eq <= 0 || key.isEmpty() || value.isEmpty())
        return {'r', line, {}};
    return {'k', key, EasyIni::stringToVariant(value)};
}

// UTF-8 unless a byte-order mark says otherwise; CR, LF and CRLF end lines.
QVector<Line> lines(const QByteArray &bytes)
{
    QString text =
        QTextCodec::codecForUtfText(bytes, QTextCodec::codecForMib(106))->toUnicode(bytes);
    // Half surrogate pairs (from a UTF-16 or UTF-32 file) read as the replacement character.
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (text.at(i).isSurrogate())
            text[i] = QChar::ReplacementCharacter;
    }
    QStringList split = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    if (split.last().isEmpty())
        split.removeLast(); // what follows the break ending the last line, or an empty file
    QVector<Line> out;
    for (const QString &line : qAsConst(split))
        out.append(parsed(line.trimmed()));
    return out;
}

// Alike, or written alike (a NaN is never equal to itself).
bool same(const Line &a, const Line &b)
{
    return a.kind == b.kind && a.text == b.text && a.value.isValid() == b.value.isValid() &&
           (a.value == b.value ||
            EasyIni::variantToString(a.value) == EasyIni::variantToString(b.value));
}

QString describe(int index, const Line &line)
{
    return QStringLiteral("line %1 (%2 \"%3\" = \"%4\")")
        .arg(index + 1)
        .arg(QLatin1Char(line.kind))
        .arg(line.text, EasyIni::variantToString(line.value));
}

// Sets a key to its own value and saves.
void saveOnce(const QString &path, const QString &section, const QString &key)
{
    EasyIni ini;
    ini.load(path, EasyIni::ReadWrite);
    ini.setValue(section, key, ini.value(section, key));
    ini.save();
}

} // namespace

namespace IniRoundTrip {

QString mismatch(const QString &path)
{
    const QVector<Line> before = lines(fileBytes(path));
    // A key of the first section of its name (lookups never reach a later one); no header
    // has an empty name.
    QString section, key;
    QStringList seen;
    for (const Line &line : before) {
        if (line.kind == 'h') {
            section = seen.contains(line.text) ? QString() : line.text;
            seen.append(line.text);
        } else if (line.kind == 'k' && !section.isEmpty()) {
            key = line.text;
            break;
        }
    }
    if (key.isEmpty())
        return {};

    saveOnce(path, section, key);
    const QByteArray first = fileBytes(path);
    const QVector<Line> after = lines(first);
    if (after.size() != before.size())
        return QStringLiteral("%1 lines became %2").arg(before.size()).arg(after.size());
    for (int i = 0; i < before.size(); ++i) {
        if (!same(before.at(i), after.at(i)))
            return describe(i, before.at(i)) + QStringLiteral(" became ") +
                   describe(i, after.at(i));
    }
    saveOnce(path, section, key);
    return fileBytes(path) == first ? QString() : QStringLiteral("a second save wrote other bytes");
}

} // namespace IniRoundTrip
