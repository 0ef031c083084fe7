#include "iniroundtrip.h"

#include <QFile>
#include <QList>
#include <QStringList>
#include <QTextCodec>
#include <QVariant>

#include "common/easyini.h"

namespace {

// The line rules are written out again here on purpose: the reader's own parser (runs of
// raw lines, indexes, views into the text) is what is checked, so it is not its own judge.

// One line as the reader's rules see it.
struct Line
{
    enum Kind
    {
        Raw,
        Header,
        Key
    } kind = Raw;
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
    Line out;
    out.text = line;
    if (line.size() < 3 || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
        return out;
    if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
        out.kind = Line::Header;
        out.text = line.mid(1, line.size() - 2);
        return out;
    }
    const int eq = line.indexOf(QLatin1Char('='));
    if (eq <= 0 || eq >= line.size() - 1)
        return out;
    const QString key = line.left(eq).trimmed();
    const QString value = line.mid(eq + 1).trimmed();
    if (key.isEmpty() || value.isEmpty())
        return out;
    out.kind = Line::Key;
    out.text = key;
    out.value = EasyIni::stringToVariant(value);
    return out;
}

// UTF-8 unless a byte-order mark says otherwise; CR, LF and CRLF end lines.
QList<Line> lines(const QByteArray &bytes)
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
    QList<Line> out;
    int start = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('\n') && text.at(i) != QLatin1Char('\r'))
            continue;
        out.append(parsed(text.mid(start, i - start).trimmed()));
        if (text.at(i) == QLatin1Char('\r') && i + 1 < text.size() &&
            text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        out.append(parsed(text.mid(start).trimmed()));
    return out;
}

// Equal, or written alike (a NaN is never equal to itself).
bool sameValue(const QVariant &a, const QVariant &b)
{
    return a.isValid() == b.isValid() &&
           (a == b || EasyIni::variantToString(a) == EasyIni::variantToString(b));
}

QString describe(int index, const Line &line)
{
    return QStringLiteral("line %1 (%2 \"%3\" = \"%4\")")
        .arg(index + 1)
        .arg(int(line.kind))
        .arg(line.text, EasyIni::variantToString(line.value));
}

// Sets the first key of a named section to its own value and saves.
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
    const QList<Line> before = lines(fileBytes(path));
    // A key of the first section of its name: lookups never reach a later one.
    QString section, key;
    QStringList seen;
    bool firstOfName = false;
    for (const Line &line : before) {
        if (line.kind == Line::Header) {
            section = line.text;
            firstOfName = !seen.contains(section);
            seen.append(section);
        } else if (line.kind == Line::Key && firstOfName && !section.isEmpty()) {
            key = line.text;
            break;
        }
    }
    if (key.isEmpty())
        return {};

    saveOnce(path, section, key);
    const QByteArray first = fileBytes(path);
    const QList<Line> after = lines(first);
    for (int i = 0; i < qMax(before.size(), after.size()); ++i) {
        if (i >= before.size() || i >= after.size())
            return QStringLiteral("%1 lines became %2").arg(before.size()).arg(after.size());
        const Line &a = before.at(i);
        const Line &b = after.at(i);
        if (a.kind != b.kind || a.text != b.text || !sameValue(a.value, b.value))
            return describe(i, a) + QStringLiteral(" became ") + describe(i, b);
    }
    saveOnce(path, section, key);
    if (fileBytes(path) != first)
        return QStringLiteral("a second save wrote other bytes");
    return {};
}

} // namespace IniRoundTrip
