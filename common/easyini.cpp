#include "easyini.h"

#include <QDataStream>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPoint>
#include <QRect>
#include <QSaveFile>
#include <QScopeGuard>
#include <QSize>
#include <QTemporaryFile>
#include <QTextCodec>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <new>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

#include "common/singleinstance.h"
#include "common/smallfile.h"
#include "common/variantstreamcheck.h"

namespace {

bool isComment(const QStringRef &line)
{
    return line.size() < 3 || line.startsWith(QLatin1Char(';')) ||
           line.startsWith(QLatin1Char('#'));
}

bool isHeader(const QStringRef &line)
{
    return !isComment(line) && line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'));
}

// A key line when a non-empty key and value stand around the first "="; false for any
// other line, which is kept as it is.
bool parsedKeyLine(const QStringRef &line, IniEntry *entry)
{
    if (isComment(line))
        return false;
    const int eq = line.indexOf(QLatin1Char('='));
    if (eq <= 0 || eq >= line.size() - 1)
        return false;
    const QStringRef key = line.left(eq).trimmed();
    const QStringRef text = line.mid(eq + 1).trimmed();
    if (key.isEmpty() || text.isEmpty())
        return false;
    entry->isKeyValue = true;
    entry->valueAsRead = true;
    entry->keyOrRawLine = key.toString();
    entry->value = EasyIni::stringToVariant(text.toString());
    return true;
}

// Sections up to this many entries are searched in order: an index of their own would
// cost more than their lines, and a file may hold a great many of them.
const int IndexedFrom = 16;

// The first key line of that key, or -1; a later duplicate stays in the file but is never
// the one found.
int entryIndex(const IniSection &section, const QString &key)
{
    if (!section.m_firstEntry.isEmpty())
        return section.m_firstEntry.value(key, -1);
    for (int i = 0; i < section.entries.size(); ++i) {
        const IniEntry &entry = section.entries.at(i);
        if (entry.isKeyValue && entry.keyOrRawLine == key)
            return i;
    }
    return -1;
}

void indexEntry(IniSection &section, int i)
{
    const IniEntry &entry = section.entries.at(i);
    if (entry.isKeyValue && !section.m_firstEntry.contains(entry.keyOrRawLine))
        section.m_firstEntry.insert(entry.keyOrRawLine, i);
}

void appendEntry(IniSection &section, IniEntry &&entry)
{
    section.entries.append(std::move(entry));
    const int size = section.entries.size();
    if (size > IndexedFrom)
        indexEntry(section, size - 1);
    else if (size == IndexedFrom)
        for (int i = 0; i < size; ++i)
            indexEntry(section, i);
}

// Consecutive raw lines share one entry: a file of blank lines or comments costs little
// more than its text, and is written back byte for byte all the same.
void appendRawLine(IniSection &section, const QStringRef &line)
{
    if (!section.entries.isEmpty() && !section.entries.last().isKeyValue) {
        QString &run = section.entries.last().keyOrRawLine;
        run += QLatin1Char('\n');
        run += line;
        return;
    }
    IniEntry entry;
    entry.keyOrRawLine = line.toString();
    appendEntry(section, std::move(entry));
}

// Appending leaves spare room behind: give it back once a section is complete.
void squeezeRawLines(IniSection &section)
{
    for (IniEntry &entry : section.entries)
        if (!entry.isKeyValue)
            entry.keyOrRawLine.squeeze();
    section.entries.squeeze();
}

// The integers between "(" at openAt and the final ")", split at every blank; empty when
// they are not exactly `count` integers.
QList<int> integerArgs(const QString &text, int openAt, int count)
{
    const QStringList parts =
        text.mid(openAt + 1, text.size() - openAt - 2).split(QLatin1Char(' '));
    if (parts.size() != count)
        return {};
    QList<int> values;
    for (const QString &part : parts) {
        bool ok = false;
        values.append(part.toInt(&ok));
        if (!ok)
            return {};
    }
    return values;
}

// Data-stream bytes as one character per byte, the way QSettings stores them.
QString bytesAsText(const char *tag, const QByteArray &bytes)
{
    return QLatin1String(tag) + QLatin1String(bytes.constData(), bytes.size()) + QLatin1Char(')');
}

QVariant streamedVariant(const QString &text, int offset, QDataStream::Version version)
{
    QByteArray bytes = text.mid(offset, text.size() - offset - 1).toLatin1();
    if (!VariantStreamCheck::isSafe(bytes, version))
        return text;
    QDataStream stream(&bytes, QIODevice::ReadOnly);
    stream.setVersion(version);
    QVariant result;
    try {
        stream >> result;
    } catch (const std::bad_alloc &) {
        // A hostile element count asked for more memory than there is.
        return text;
    }
    if (stream.status() != QDataStream::Ok)
        return text;
    return result;
}

// The line format cannot hold CR or LF. A value text holding one is written as
// "@Escaped(" + the text with backslash, CR and LF as "\\", "\r" and "\n" + ")"; every
// other text keeps the bytes it always had. The old writer never started a value with
// "@Escaped(" (a string starting with "@" goes out as "@@..."), and a text is read as
// escaped only when it unescapes cleanly to one holding a line break, so no text that
// could be written before changes meaning.
const QLatin1String EscapedTag("@Escaped(");

bool hasLineBreak(const QString &text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

bool hasBlankEnds(const QString &text)
{
    return !text.isEmpty() && (text.front().isSpace() || text.back().isSpace());
}

// Each character written behind a backslash, and the letter that follows it there.
const char Escapes[][2] = {{'\\', '\\'}, {'\n', 'n'}, {'\r', 'r'}};

// The escape letter of `c` (side 0) or the character of letter `c` (side 1); 0 for none.
char escapePartner(QChar c, int side)
{
    for (const auto &pair : Escapes)
        if (c == QLatin1Char(pair[side]))
            return pair[1 - side];
    return 0;
}

QString escapedLineBreaks(const QString &text)
{
    QString out = EscapedTag;
    out.reserve(text.size() + EscapedTag.size() + 16);
    for (const QChar c : text) {
        if (const char letter = escapePartner(c, 0))
            out.append(QLatin1Char('\\')).append(QLatin1Char(letter));
        else
            out += c;
    }
    return out + QLatin1Char(')');
}

// False when `text` is not a form escapedLineBreaks() writes.
bool unescapedLineBreaks(const QString &text, QString *out)
{
    if (!text.startsWith(EscapedTag) || !text.endsWith(QLatin1Char(')')))
        return false;
    const int end = text.size() - 1;
    QString plain;
    plain.reserve(end - EscapedTag.size());
    for (int i = EscapedTag.size(); i < end; ++i) {
        QChar c = text.at(i);
        if (c == QLatin1Char('\\')) {
            const char escaped = ++i < end ? escapePartner(text.at(i), 1) : 0;
            if (!escaped)
                return false;
            c = QLatin1Char(escaped);
        }
        plain += c;
    }
    if (!hasLineBreak(plain))
        return false;
    *out = plain;
    return true;
}

// UTF-8 cannot hold half of a surrogate pair: the index of the first such half, or -1.
int lonelySurrogateAt(const QString &text, int from = 0)
{
    const int size = text.size();
    for (int i = from; i < size; ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < size && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return i;
    }
    return -1;
}

// A UTF-16 or UTF-32 file may hold half pairs; read like invalid UTF-8, as the replacement
// character, so that names and lines read back the same after a save.
void replaceLonelySurrogates(QString &text)
{
    for (int i = lonelySurrogateAt(text); i >= 0; i = lonelySurrogateAt(text, i + 1))
        text[i] = QChar::ReplacementCharacter;
}

bool holdsHash(const QVariant &value)
{
    switch (value.userType()) {
    case QMetaType::QVariantHash:
        return true;
    case QMetaType::QVariantList: {
        const QVariantList list = value.toList();
        return std::any_of(list.cbegin(), list.cend(), holdsHash);
    }
    case QMetaType::QVariantMap: {
        const QVariantMap map = value.toMap();
        return std::any_of(map.cbegin(), map.cend(), holdsHash);
    }
    default:
        return false;
    }
}

// The data stream writes a hash in the order of its buckets, which changes with every load,
// so the same value would be written differently at each save. A value holding a hash is
// written here with the hash's keys sorted; everything else as the data stream writes it.
void writeStreamed(QDataStream &stream, const QVariant &value)
{
    if (!holdsHash(value)) {
        stream << value;
        return;
    }
    const int type = value.userType();
    stream << quint32(type);
    if (stream.version() >= QDataStream::Qt_4_2)
        stream << qint8(0);
    if (type == QMetaType::QVariantList) {
        const QVariantList list = value.toList();
        stream << quint32(list.size());
        for (const QVariant &item : list)
            writeStreamed(stream, item);
        return;
    }
    if (type == QMetaType::QVariantMap) {
        // Backwards, as the data stream writes a map: reading puts equal keys back in order.
        const QVariantMap map = value.toMap();
        stream << quint32(map.size());
        for (auto it = map.cend(); it != map.cbegin();) {
            --it;
            stream << it.key();
            writeStreamed(stream, it.value());
        }
        return;
    }
    const QMultiHash<QString, QVariant> hash(value.toHash());
    stream << quint32(hash.size());
    QStringList keys = hash.uniqueKeys();
    std::sort(keys.begin(), keys.end());
    for (const QString &key : qAsConst(keys)) {
        // Equal keys oldest first, likewise.
        const QVariantList newestFirst = hash.values(key);
        for (auto it = newestFirst.crbegin(); it != newestFirst.crend(); ++it) {
            stream << key;
            writeStreamed(stream, *it);
        }
    }
}

// The tagged text form of QSettings' INI format.
QString taggedText(const QVariant &value)
{
    switch (value.userType()) {
    case QMetaType::UnknownType:
        return QStringLiteral("@Invalid()");
    case QMetaType::QByteArray:
        return bytesAsText("@ByteArray(", value.toByteArray());
    case QMetaType::QString:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Bool:
    case QMetaType::Double:
    case QMetaType::QKeySequence: {
        QString text = value.toString();
        // Written as text it would lose half a surrogate pair: kept in its stream form.
        if (lonelySurrogateAt(text) >= 0)
            break;
        // Blanks at the ends would be trimmed away as the line is read. (A text with a line
        // break keeps its escaped form, which ends in ")".)
        if (text.contains(QChar::Null) || (!hasLineBreak(text) && hasBlankEnds(text)))
            return QStringLiteral("@String(") + text + QLatin1Char(')');
        if (text.startsWith(QLatin1Char('@')))
            text.prepend(QLatin1Char('@'));
        return text;
    }
    case QMetaType::QRect: {
        const QRect r = value.toRect();
        return QString::asprintf("@Rect(%d %d %d %d)", r.x(), r.y(), r.width(), r.height());
    }
    case QMetaType::QSize: {
        const QSize s = value.toSize();
        return QString::asprintf("@Size(%d %d)", s.width(), s.height());
    }
    case QMetaType::QPoint: {
        const QPoint p = value.toPoint();
        return QString::asprintf("@Point(%d %d)", p.x(), p.y());
    }
    default:
        break;
    }
    const bool isDateTime = value.userType() == QMetaType::QDateTime;
    QByteArray bytes;
    {
        QDataStream stream(&bytes, QIODevice::WriteOnly);
        stream.setVersion(isDateTime ? QDataStream::Qt_5_6 : QDataStream::Qt_4_0);
        writeStreamed(stream, value);
    }
    return bytesAsText(isDateTime ? "@DateTime(" : "@Variant(", bytes);
}

// The text of a key line's value that reads back as `value`. A key read from a file may
// begin with "[", and a value as read may be empty: written as they stand, the line would
// read back as a header, or as no key at all. An empty value set by the program stays
// "key=", as the settings page has always written an emptied field.
QString storedValue(const IniEntry &entry)
{
    const QString text = EasyIni::variantToString(entry.value);
    const bool header =
        entry.keyOrRawLine.startsWith(QLatin1Char('[')) && text.endsWith(QLatin1Char(']'));
    if (!header && !(entry.valueAsRead && text.isEmpty()))
        return text;
    // Only plain texts get here: every tagged or escaped form begins with "@" and ends
    // with ")".
    return QStringLiteral("@String(") + entry.value.toString() + QLatin1Char(')');
}

// All of bytes at offset 0; 0 or the errno of the write that failed, with what went out
// in written.
int writeAll(int fd, const QByteArray &bytes, qint64 *written)
{
    *written = 0;
    while (*written < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.constData() + *written,
                                   size_t(bytes.size() - *written), off_t(*written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        *written += n;
    }
    return 0;
}

// The old bytes back over a write that did not finish, at the old length; 0 or the errno of
// the step that failed.
int restore(int fd, const QByteArray &old, qint64 written, off_t size)
{
    qint64 restored = 0;
    if (const int error = writeAll(fd, old.left(int(written)), &restored))
        return error;
    if (::ftruncate(fd, size) != 0 || ::fsync(fd) != 0)
        return errno;
    return 0;
}

// Over the old bytes, for a file beside which none may be made, and only into the file that
// was read. Room for the new content is reserved first and the old bytes it covers are kept,
// so a write that cannot finish puts them back. Empty, or the cause of the failure.
QString writeInPlace(const QString &path, const QByteArray &bytes,
                     const std::optional<SmallFile::FileId> &fileRead)
{
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return qt_error_string(errno);
    const auto closeFd = qScopeGuard([fd] { ::close(fd); });
    struct stat info;
    if (::fstat(fd, &info) != 0)
        return qt_error_string(errno);
    if (!S_ISREG(info.st_mode))
        return SmallFile::refusal(SmallFile::Outcome::NotRegular);
    // Replaced since the load (a link to another file put in its place): never written.
    if (fileRead != SmallFile::idOf(info))
        return QStringLiteral("已不是读取时的那个文件");
    const qint64 covered = qMin<qint64>(info.st_size, bytes.size());
    QByteArray old;
    if (covered > 0) {
        if (const int error = SmallFile::readUpTo(fd, covered, covered, &old))
            return qt_error_string(error);
    }
    int error = 0;
    if (bytes.size() > info.st_size)
        error = ::posix_fallocate(fd, 0, bytes.size());
    qint64 written = 0;
    if (error == 0)
        error = writeAll(fd, bytes, &written);
    if (error == 0 && info.st_size > bytes.size() && ::ftruncate(fd, bytes.size()) != 0)
        error = errno;
    // Done only once it is on the disk, as a renamed file is.
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (error == 0)
        return {};
    const QString cause = qt_error_string(error);
    if (const int lost = restore(fd, old, written, info.st_size))
        return cause + QStringLiteral("；原内容也未能恢复：") + qt_error_string(lost);
    return cause;
}

} // namespace

EasyIni *EasyIni::Instance()
{
    return PageInstance<EasyIni>::get();
}

EasyIni::EasyIni(QObject *parent) : QObject(parent) {}

EasyIni::~EasyIni()
{
    save();
}

void EasyIni::load(const QString &filePath, int mode)
{
    save();
    this->filePath = filePath;
    this->mode = mode;
    readFile();
}

void EasyIni::reload(const QString &filePath)
{
    save();
    if (!filePath.isEmpty())
        this->filePath = filePath;
    readFile();
}

bool EasyIni::save()
{
    m_error.clear();
    if (mode == ReadOnly || !dirty)
        return true;
    if (!m_refusal.isEmpty()) {
        m_error = QStringLiteral("文件未读取，不覆盖");
        return false;
    }
    const QByteArray bytes = serialized();
    // The next start would refuse the file and read every setting as empty.
    if (bytes.size() > MaxFileSize) {
        m_error = SmallFile::refusal(SmallFile::Outcome::TooLarge, 0, MaxFileSize);
        return false;
    }
    if (!canWrite(&m_error))
        return false;
    qDebug().noquote() << "save ini" << filePath;
    // Written aside and renamed over the old file: a crash or a full disk midway leaves
    // the operator's settings as they were.
    QSaveFile out(filePath);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Text)) {
        // A folder that refuses the temporary file while the file itself may be written (an
        // installation folder): written in place, as the check above allowed.
        m_error = QFileInfo(filePath).isFile() ? writeInPlace(filePath, bytes, m_fileRead)
                                               : out.errorString();
        return m_error.isEmpty();
    }
    // QSaveFile alone commits a short file when the disk fills midway: check every byte
    // went out before the rename. Straight to the descriptor, where errno tells the cause.
    qint64 written = 0;
    if (const int error = writeAll(out.handle(), bytes, &written)) {
        m_error = qt_error_string(error);
        out.cancelWriting();
        return false;
    }
    if (!out.commit()) {
        m_error = out.errorString();
        return false;
    }
    // A new file now stands at the name: the one a later in-place save may write.
    m_fileRead = SmallFile::idAt(filePath);
    return true;
}

QVariant EasyIni::value(const QString &section, const QString &key) const
{
    if (section.isEmpty() || key.isEmpty())
        return {};
    const int s = sectionIndex(section);
    if (s < 0)
        return {};
    const int k = entryIndex(sections.at(s), key);
    if (k < 0)
        return {};
    return sections.at(s).entries.at(k).value;
}

void EasyIni::setValue(const QString &section, const QString &key, const QVariant &value)
{
    if (section.isEmpty() || key.isEmpty())
        return;
    int s = sectionIndex(section);
    if (s < 0) {
        IniSection added;
        added.name = section;
        appendSection(std::move(added));
        s = sections.size() - 1;
    }
    IniSection &target = sections[s];
    int k = entryIndex(target, key);
    if (k < 0) {
        IniEntry entry;
        entry.isKeyValue = true;
        entry.keyOrRawLine = key;
        appendEntry(target, std::move(entry));
        k = target.entries.size() - 1;
    }
    IniEntry &entry = target.entries[k];
    // The value it already holds keeps the form it was read in, so the file means the same.
    if (!entry.valueAsRead || entry.value != value) {
        entry.value = value;
        entry.valueAsRead = false;
    }
    dirty = true;
}

void EasyIni::readFile()
{
    dirty = false;
    m_refusal.clear();
    m_fileRead.reset();
    sections.clear();
    m_firstSection.clear();
    if (mode == WriteOnly) {
        m_fileRead = SmallFile::idAt(filePath);
        return;
    }
    QByteArray bytes;
    if (!readBytes(&bytes))
        return;
    qDebug().noquote() << "load ini" << filePath;
    // UTF-8 unless a byte-order mark names another Unicode form, as a text stream reads it.
    const QTextCodec *codec = QTextCodec::codecForUtfText(bytes, QTextCodec::codecForMib(106));
    QString text = codec->toUnicode(bytes);
    bytes.clear();
    replaceLonelySurrogates(text);
    parse(text);
}

bool EasyIni::readBytes(QByteArray *bytes)
{
    int error = 0;
    SmallFile::FileId id;
    const SmallFile::Outcome outcome = SmallFile::read(filePath, MaxFileSize, bytes, &error, &id);
    if (outcome == SmallFile::Outcome::Read) {
        m_fileRead = id;
        return true;
    }
    // A missing file is read as an empty one, silently.
    if (outcome != SmallFile::Outcome::Missing)
        refuse(SmallFile::refusal(outcome, error, MaxFileSize));
    return false;
}

void EasyIni::refuse(const QString &cause)
{
    m_refusal = QStringLiteral("设置文件未读取：%1：%2").arg(filePath, cause);
    qCritical().noquote() << m_refusal;
}

void EasyIni::parse(const QString &text)
{
    IniSection current;
    current.noHeader = true;
    const int size = text.size();
    int start = 0;
    // CRLF, LF and a lone CR each end a line.
    while (start < size) {
        int end = start;
        while (end < size && text.at(end) != QLatin1Char('\n') && text.at(end) != QLatin1Char('\r'))
            ++end;
        const QStringRef line = text.midRef(start, end - start).trimmed();
        IniEntry entry;
        if (isHeader(line)) {
            appendSection(std::move(current));
            current = IniSection();
            current.name = line.mid(1, line.size() - 2).toString();
        } else if (parsedKeyLine(line, &entry)) {
            appendEntry(current, std::move(entry));
        } else {
            appendRawLine(current, line);
        }
        if (end + 1 < size && text.at(end) == QLatin1Char('\r') &&
            text.at(end + 1) == QLatin1Char('\n'))
            ++end;
        start = end + 1;
    }
    appendSection(std::move(current));
    sections.squeeze();
}

int EasyIni::sectionIndex(const QString &name) const
{
    return m_firstSection.value(name, -1);
}

void EasyIni::appendSection(IniSection &&section)
{
    squeezeRawLines(section);
    if (!m_firstSection.contains(section.name))
        m_firstSection.insert(section.name, sections.size());
    sections.append(std::move(section));
}

bool EasyIni::canWrite(QString *reason) const
{
    if (filePath.isEmpty()) {
        *reason = QStringLiteral("未指定文件");
        return false;
    }
    const QFileInfo info(filePath);
    if (info.exists()) {
        // Never opened for writing: a device, a FIFO or a folder is not a settings file.
        if (!info.isFile()) {
            *reason = SmallFile::refusal(SmallFile::Outcome::NotRegular);
            return false;
        }
        QFile probe(filePath);
        if (!probe.open(QIODevice::ReadWrite)) {
            *reason = probe.errorString();
            return false;
        }
        return true;
    }
    if (!QDir().mkpath(info.absolutePath())) {
        *reason = QStringLiteral("无法创建文件夹 %1").arg(info.absolutePath());
        return false;
    }
    QTemporaryFile probe(info.absoluteFilePath() + QStringLiteral(".probe-XXXXXX"));
    if (!probe.open()) {
        *reason = probe.errorString();
        return false;
    }
    return true;
}

QByteArray EasyIni::serialized() const
{
    QString text;
    for (const IniSection &section : sections) {
        if (!section.noHeader)
            text += QLatin1Char('[') + section.name + QStringLiteral("]\n");
        for (const IniEntry &entry : section.entries) {
            if (entry.isKeyValue)
                text += entry.keyOrRawLine + QLatin1Char('=') + storedValue(entry);
            else
                text += entry.keyOrRawLine;
            text += QLatin1Char('\n');
        }
    }
    // A leading U+FEFF would read back as a byte-order mark and vanish: a mark in front
    // keeps it a character of the first line.
    if (text.startsWith(QChar(QChar::ByteOrderMark)))
        text.prepend(QChar(QChar::ByteOrderMark));
    return text.toUtf8();
}

QString EasyIni::variantToString(const QVariant &value)
{
    const QString text = taggedText(value);
    return hasLineBreak(text) ? escapedLineBreaks(text) : text;
}

QVariant EasyIni::stringToVariant(const QString &stored)
{
    // One level only: the writer never escapes twice.
    QString text = stored;
    unescapedLineBreaks(stored, &text);
    if (!text.startsWith(QLatin1Char('@')))
        return text;
    if (text.endsWith(QLatin1Char(')'))) {
        if (text.startsWith(QLatin1String("@ByteArray(")))
            return text.mid(11, text.size() - 12).toLatin1();
        if (text.startsWith(QLatin1String("@String(")))
            return text.mid(8, text.size() - 9);
        if (text.startsWith(QLatin1String("@Variant(")))
            return streamedVariant(text, 9, QDataStream::Qt_4_0);
        if (text.startsWith(QLatin1String("@DateTime("))) {
            // Any other type would be written back as "@Variant(", at another stream version.
            const QVariant value = streamedVariant(text, 10, QDataStream::Qt_5_6);
            return value.userType() == QMetaType::QDateTime ? value : QVariant(text);
        }
        if (text.startsWith(QLatin1String("@Rect("))) {
            const QList<int> a = integerArgs(text, 5, 4);
            if (!a.isEmpty() && VariantStreamCheck::rectFits(a.at(0), a.at(1), a.at(2), a.at(3)))
                return QRect(a.at(0), a.at(1), a.at(2), a.at(3));
        } else if (text.startsWith(QLatin1String("@Size("))) {
            const QList<int> a = integerArgs(text, 5, 2);
            if (!a.isEmpty())
                return QSize(a.at(0), a.at(1));
        } else if (text.startsWith(QLatin1String("@Point("))) {
            const QList<int> a = integerArgs(text, 6, 2);
            if (!a.isEmpty())
                return QPoint(a.at(0), a.at(1));
        } else if (text == QLatin1String("@Invalid()")) {
            return {};
        }
    }
    if (text.startsWith(QLatin1String("@@")))
        return text.mid(1);
    return text;
}
