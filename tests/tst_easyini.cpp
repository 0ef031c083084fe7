#include <QtTest>

#include <QColor>
#include <QEasingCurve>
#include <QFont>
#include <QProcess>
#include <QRandomGenerator>
#include <QUrl>
#include <QUuid>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTimeZone>
#include <QTemporaryDir>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/easyini.h"
#include "support/filebytes.h"
#include "support/filesizelimit.h"
#include "support/iniroundtrip.h"
#include "support/messagecapture.h"

// A failing allocation must come back as std::bad_alloc, as it does in the release build,
// so that a hostile element count reaches the reader's handler under the sanitizer too.
extern "C" const char *__asan_default_options()
{
    return "allocator_may_return_null=1";
}

namespace {

// The eight keys in the order the settings page writes them.
void setPageKeys(EasyIni &ini)
{
    ini.setValue("Http", "ip", "10.1.2.3");
    ini.setValue("Http", "port", "8080");
    ini.setValue("Path", "craftDataDir", "D:/craft");
    ini.setValue("Path", "tmpDir", "tmp");
    ini.setValue("Path", "logFileDir", "logs");
    ini.setValue("Minio", "ip", "10.1.2.4");
    ini.setValue("Minio", "port", "9005");
    ini.setValue("Minio", "bukeName", "zaravazez");
}

// The file at `path`: the bytes, or a "device", "fifo", "directory" or "link" to the bytes, or
// the bytes "unreadable" in a folder that may be searched.
void makeFile(const QString &path, const QString &kind, const QByteArray &bytes)
{
    if (kind == QLatin1String("unreadable")) {
        FileBytes::write(path, bytes);
        QCOMPARE(chmod(QFile::encodeName(path).constData(), 0), 0);
        QCOMPARE(chmod(QFile::encodeName(QFileInfo(path).path()).constData(), 0711), 0);
    } else if (kind == QLatin1String("device"))
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    else if (kind == QLatin1String("fifo"))
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == QLatin1String("directory"))
        QVERIFY(QDir().mkpath(path));
    else if (kind == QLatin1String("link")) {
        FileBytes::write(path + QStringLiteral(".target"), bytes);
        QVERIFY(QFile::link(path + QStringLiteral(".target"), path));
    } else
        FileBytes::write(path, bytes);
}

// A reading row of `file` and the values it holds.
void readRow(const char *name, const QByteArray &file, const QVariantMap &values)
{
    QTest::newRow(name) << file << values;
}

// Every "section/key" of `values` holds its value in `ini`; an invalid one, no value at all.
void compareValues(const EasyIni &ini, const QVariantMap &values)
{
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const QVariant got = ini.value(it.key().section('/', 0, 0), it.key().section('/', 1));
        QVERIFY2(got.isValid() == it.value().isValid(), qPrintable(it.key()));
        QCOMPARE(got, it.value());
    }
}

const QByteArray kPageFile = "[Http]\nip=10.1.2.3\nport=8080\n"
                             "[Path]\ncraftDataDir=D:/craft\ntmpDir=tmp\nlogFileDir=logs\n"
                             "[Minio]\nip=10.1.2.4\nport=9005\nbukeName=zaravazez\n";

// A hostile-file row of a regular file (or `kind`) that reads, and saves and reads back, whole.
void readableRow(const char *name, const QByteArray &file, const QVariantMap &values,
                 const QString &kind = QString())
{
    QTest::newRow(name) << file << kind << QString() << values << true;
}

// A hostile-file row of value texts as s/k0, s/k1, ...: each reads back as its own text.
void addValueRow(const char *name, const QStringList &texts)
{
    QByteArray file("[s]\n");
    QVariantMap values;
    for (int i = 0; i < texts.size(); ++i) {
        QVERIFY(!texts.at(i).contains(QLatin1Char('\n')) && !texts.at(i).contains('\r'));
        file += 'k' + QByteArray::number(i) + '=' + texts.at(i).toUtf8() + '\n';
        values.insert(QStringLiteral("s/k") + QString::number(i), texts.at(i));
    }
    readableRow(name, file, values);
}

// `text` as a little-endian UTF-16 file behind its byte-order mark (x86 byte order).
QByteArray utf16File(const QString &text)
{
    return "\xff\xfe" + QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
}

// A value text of data-stream bytes: "@Variant(" at version 4.0, "@DateTime(" otherwise.
QString streamedValue(int version, const std::function<void(QDataStream &)> &write)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(version);
    write(out);
    return QString::fromLatin1(version == QDataStream::Qt_4_0 ? "@Variant(" : "@DateTime(") +
           QString::fromLatin1(bytes.constData(), bytes.size()) + QLatin1Char(')');
}

// A stored date-time at version 5.6: fixed date and time, then `tail` after them.
QString dateTimeValue(const std::function<void(QDataStream &)> &tail)
{
    return streamedValue(QDataStream::Qt_5_6, [&](QDataStream &out) {
        out << quint32(QMetaType::QDateTime) << quint8(0) << QDate(2024, 5, 17) << QTime(8, 30);
        tail(out);
    });
}

// Files are opened with nobody's rights on this thread while it lives: root reads anything.
struct FilesAsNobody
{
    FilesAsNobody() { setfsuid(65534); }
    ~FilesAsNobody() { setfsuid(geteuid()); }
};

} // namespace

class tst_EasyIni : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void reading_data();
    void reading();
    void rawLinesKeptInFileOrder();
    void setValueChangesTheFirst_data();
    void setValueChangesTheFirst();
    void loadForgetsTheOldFile();
    void pageSaveDropsEverythingElse();
    void dirtyAfterSave();
    void readOnlyNeverWrites();
    void taggedValuesMatchQSettings_data();
    void taggedValuesMatchQSettings();
    void decodingEdges_data();
    void decodingEdges();
    void lineBreaksRoundTrip_data();
    void lineBreaksRoundTrip();
    void randomDateTimesRoundTrip();
    void plainValuesKeepTheirBytes();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void saveIntoReadOnlyFolder();
    void saveCreatesFolderAndLeavesNoProbe();
    void pendingChangesStayWithTheirFile();
    void fuzzInputsReadWithoutCrash();
    void swappedInFifoNeverBlocks();
    void hostileFile_data();
    void hostileFile();

private:
    QTemporaryDir *m_dir = nullptr;
    QString path(const QString &name = QStringLiteral("app.ini")) const
    {
        return m_dir->filePath(name);
    }
};

void tst_EasyIni::init()
{
    m_dir = new QTemporaryDir;
}

void tst_EasyIni::cleanup()
{
    m_dir->setAutoRemove(!QTest::currentTestFailed());
    delete m_dir;
}

void tst_EasyIni::reading_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QVariantMap>("values"); // "section/key" -> value after a read-only load

    readRow("blanks around =", "[s]\n  k  =  v w  \n", {{"s/k", "v w"}});
    readRow("= last", "[s]\nk=\n", {{"s/k", {}}});
    readRow("= first", "[s]\n=v\n", {{"s/", {}}});
    readRow("blank key", "[s]\n  =vv\n", {{"s/ ", {}}});
    readRow("two =", "[s]\na=b=c\n", {{"s/a", "b=c"}});
    readRow("[] is not a header", "[s]\n[]\nk=v\n", {{"s/k", "v"}});
    readRow("name not trimmed", "[ s ]\nk=v\n", {{" s /k", "v"}});
    readRow("comment ;", "[s]\n;k=v\n", {{"s/;k", {}}});
    readRow("comment #", "[s]\n#k=v\n", {{"s/#k", {}}});
    readRow("short line", "[s]\na=\nb=1\n", {{"s/b", "1"}});
    readRow("no =", "[s]\nk:v\n", {{"s/k:v", {}}});
    readRow("before any header", "k=v\n[s]\n", {{"/k", {}}});
    readRow("first of two sections", "[s]\nk=1\n[s]\nk=2\nj=3\n", {{"s/k", "1"}});
    readRow("first of two keys", "[s]\nk=1\nk=2\n", {{"s/k", "1"}});
    readRow("key only in the second of two sections", "[s]\nk=1\n[s]\nj=2\n", {{"s/j", {}}});
    readRow("raw line, then the key", "[s]\nk=\nk=2\n", {{"s/k", "2"}});
    readRow("section case", "[S]\nk=1\n[s]\nk=2\n", {{"s/k", "2"}});
    readRow("key case", "[s]\nK=1\nk=2\n", {{"s/k", "2"}});
    readRow("missing section", "[s]\nk=1\n", {{"t/k", {}}});
    readRow("@@", "[s]\nk=@@home\n", {{"s/k", "@home"}});
    readRow("@Invalid", "[s]\nk=@Invalid()\n", {{"s/k", {}}});
    readRow("CRLF file", "[s]\r\nk=v\r\n", {{"s/k", "v"}});
    readRow("byte-order mark", "\xEF\xBB\xBF[s]\nk=v\n", {{"s/k", "v"}});
    readRow("UTF-8", "[路径]\n目录=D:/数据\n", {{"路径/目录", QStringLiteral("D:/数据")}});
    // Saved as "Unicode" by a Windows editor: UTF-16 behind its byte-order mark.
    const char utf16[] = "\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0\xE5\x65\r\0\n\0";
    readRow("UTF-16 with byte-order mark", QByteArray(utf16, sizeof utf16 - 1),
            {{"s/k", QStringLiteral("日")}});
    // Bad input reads as the format says and never crashes.
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(char((i * 7919) % 256));
    readRow("empty file", QByteArray(), {{"s/k", {}}});
    readRow("binary", garbage, {{"s/k", {}}});
    readRow("invalid UTF-8", "[s]\nk=\xff\xfe\xc3(\n", {{"s/k", "\uFFFD\uFFFD\uFFFD("}});
    readRow("1 MB line", QByteArray("[s]\nk=") + QByteArray(1 << 20, 'v') + "\n",
            {{"s/k", QString(1 << 20, QLatin1Char('v'))}});
    readRow("hostile date-time", "[s]\nk=@DateTime(\x01\x02\x03)\n",
            {{"s/k", QString::fromLatin1("@DateTime(\x01\x02\x03)")}});
    readRow("lone CR ends a line", "[s]\rk=v\rj=w\r", {{"s/j", "w"}});
    readRow("backslashes by hand", "[s]\nk=D:\\logs\\new\\r\n", {{"s/k", "D:\\logs\\new\\r"}});
    readRow("backslash in @String", "[s]\nk=@String(C:\\n)\n", {{"s/k", "C:\\n"}});
    readRow("escaped tag without a break", "[s]\nk=@Escaped(a\\\\b)\n",
            {{"s/k", "@Escaped(a\\\\b)"}});
    readRow("escaped tag, unknown escape", "[s]\nk=@Escaped(a\\n\\t)\n",
            {{"s/k", "@Escaped(a\\n\\t)"}});
    readRow("escaped break", "[s]\nk=@Escaped(a\\r\\nb\\\\n)\n", {{"s/k", "a\r\nb\\n"}});
}

void tst_EasyIni::reading()
{
    QFETCH(QByteArray, file);
    QFETCH(QVariantMap, values);
    FileBytes::write(path(), file);
    EasyIni ini;
    ini.load(path(), EasyIni::ReadOnly);
    compareValues(ini, values);
}

void tst_EasyIni::rawLinesKeptInFileOrder()
{
    FileBytes::write(path(),
                     "  ; head comment  \n\nx=1\n[a]\n# note\n k = v \nbroken\n[b]\n\n[]\n");
    {
        EasyIni ini;
        ini.load(path(), EasyIni::ReadWrite);
        ini.setValue("a", "k", "w");
        ini.setValue("a", "new", "@n");
        ini.setValue("c", "z", 5);
        ini.setValue("", "ignored", 1);
        ini.setValue("a", "", 1);
        ini.save();
    }
    // Lines trimmed, comments and raw lines kept in place, new keys and sections appended,
    // no blank lines added between sections.
    QCOMPARE(FileBytes::read(path()), QByteArray("; head comment\n\nx=1\n[a]\n# note\nk=w\nbroken\n"
                                                 "new=@@n\n[b]\n\n[]\n[c]\nz=5\n"));
}

void tst_EasyIni::setValueChangesTheFirst_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("writes"); // section, key, value, ...
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("first of two keys")
        << QByteArray("[s]\nk=1\nk=2\n") << QStringList{"s", "k", "x"}
        << QByteArray("[s]\nk=x\nk=2\n");
    QTest::newRow("first of two sections")
        << QByteArray("[s]\nk=1\n[s]\nj=2\n") << QStringList{"s", "j", "x"}
        << QByteArray("[s]\nk=1\nj=x\n[s]\nj=2\n");
    QTest::newRow("appended section and key found again")
        << QByteArray("[s]\nk=1\n") << QStringList{"c", "z", "5", "c", "w", "6", "c", "z", "7"}
        << QByteArray("[s]\nk=1\n[c]\nz=7\nw=6\n");
    QTest::newRow("raw lines of the key's name")
        << QByteArray("[s]\nk=\nk\n") << QStringList{"s", "k", "v", "s", "k", "w"}
        << QByteArray("[s]\nk=\nk\nk=w\n");
    QTest::newRow("case kept apart") << QByteArray("[S]\nk=1\n") << QStringList{"s", "K", "2"}
                                     << QByteArray("[S]\nk=1\n[s]\nK=2\n");
}

void tst_EasyIni::setValueChangesTheFirst()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, writes);
    QFETCH(QByteArray, expected);
    FileBytes::write(path(), file);
    EasyIni ini;
    ini.load(path(), EasyIni::ReadWrite);
    for (int i = 0; i + 2 < writes.size(); i += 3) {
        ini.setValue(writes.at(i), writes.at(i + 1), writes.at(i + 2));
        QCOMPARE(ini.value(writes.at(i), writes.at(i + 1)).toString(), writes.at(i + 2));
    }
    ini.save();
    QCOMPARE(FileBytes::read(path()), expected);
}

void tst_EasyIni::loadForgetsTheOldFile()
{
    FileBytes::write(path("a.ini"), "[x]\nk=1\n[y]\nk=2\n");
    FileBytes::write(path("b.ini"), "[y]\nk=3\n");
    EasyIni ini;
    ini.load(path("a.ini"), EasyIni::ReadOnly);
    QCOMPARE(ini.value("y", "k").toString(), QStringLiteral("2"));
    ini.load(path("b.ini"), EasyIni::ReadOnly);
    QCOMPARE(ini.value("y", "k").toString(), QStringLiteral("3"));
    QVERIFY(!ini.value("x", "k").isValid());

    ini.load(path("b.ini"), EasyIni::WriteOnly);
    QVERIFY(!ini.value("y", "k").isValid());
    ini.setValue("y", "k", "4");
    ini.save();
    QCOMPARE(FileBytes::read(path("b.ini")), QByteArray("[y]\nk=4\n"));
}

void tst_EasyIni::pageSaveDropsEverythingElse()
{
    FileBytes::write(path(), "; keep me?\n[Http]\nip=old\nextra=1\n[Other]\nk=v\n");
    EasyIni ini;
    ini.load(path(), EasyIni::ReadOnly);
    QCOMPARE(ini.value("Http", "ip").toString(), QStringLiteral("old"));
    ini.load(path(), EasyIni::WriteOnly);
    QVERIFY(!ini.value("Http", "ip").isValid());
    setPageKeys(ini);
    ini.save();
    QCOMPARE(FileBytes::read(path()), kPageFile);

    // Saving twice in a row gives the same file.
    ini.load(path(), EasyIni::WriteOnly);
    setPageKeys(ini);
    ini.save();
    QCOMPARE(FileBytes::read(path()), kPageFile);
}

void tst_EasyIni::dirtyAfterSave()
{
    auto *ini = new EasyIni;
    ini->load(path(), EasyIni::WriteOnly);
    setPageKeys(*ini);
    ini->save();
    QCOMPARE(FileBytes::read(path()), kPageFile);
    FileBytes::write(path(), "changed by hand\n");
    // Still counted as changed: destruction writes the same content once more.
    delete ini;
    QCOMPARE(FileBytes::read(path()), kPageFile);
}

void tst_EasyIni::readOnlyNeverWrites()
{
    const QByteArray original("[Http]\nip=1\n");
    FileBytes::write(path(), original);
    {
        EasyIni ini;
        ini.load(path(), EasyIni::ReadOnly);
        ini.setValue("Http", "ip", "2");
        QCOMPARE(ini.value("Http", "ip").toString(), QStringLiteral("2"));
        ini.save();
    }
    QCOMPARE(FileBytes::read(path()), original);
}

void tst_EasyIni::taggedValuesMatchQSettings_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("expected");
    QTest::addColumn<QString>("text"); // the stored text, when it matters

    // Read back as the very value that was written.
    const auto same = [](const char *name, const QVariant &value, const QString &text = {}) {
        QTest::newRow(name) << value << value << text;
    };
    same("rect", QRect(-1, 2, 30, 40), "@Rect(-1 2 30 40)");
    same("size", QSize(7, 8), "@Size(7 8)");
    same("point", QPoint(-5, 6), "@Point(-5 6)");
    same("bytes", QByteArray("ab\xE9z"), QString::fromLatin1("@ByteArray(ab\xE9z)"));
    same("at string", "@home", "@@home");
    same("nul string", QString::fromUtf16(u"a\0b", 3), QString::fromUtf16(u"@String(a\0b)", 12));
    // As they stand, blanks at the ends would be trimmed away as the line is read.
    same("blanks at the ends", " 10.0.0.1 ", "@String( 10.0.0.1 )");
    same("tabs at the ends", "\t@home\t", "@String(\t@home\t)");
    same("blanks only", "  ", "@String(  )");
    QTest::newRow("int") << QVariant(42) << QVariant("42") << "42";
    QTest::newRow("bool") << QVariant(true) << QVariant("true") << "true";
    QTest::newRow("double") << QVariant(2.5) << QVariant("2.5") << "2.5";
    same("invalid", QVariant(), "@Invalid()");
    const QDateTime when(QDate(2024, 5, 17), QTime(8, 30, 15), Qt::UTC);
    same("date-time", when);
    same("date-time in a system zone",
         QDateTime(when.date(), when.time(), QTimeZone("Europe/Berlin")));
    same("date-time with an offset",
         QDateTime(when.date(), when.time(), Qt::OffsetFromUTC, -5 * 3600));
    same("date", QDate(2023, 1, 2));
    // No nested QString: its type number is a line feed, escaped in a form QSettings lacks.
    same("nested list",
         QVariantList{1, QStringList{"a", "b"}, QVariantMap{{"k", 2.5}, {"d", QDate(2020, 2, 29)}},
                      QVariantHash{{"c", QColor(Qt::blue)}}, QVariant(), when});
    same("colour", QColor(Qt::red));
    // Bounded loaders, alone and inside containers.
    const QUuid uuid(QStringLiteral("{67c8770b-44f1-4107-ab9a-f9b5446f13ee}"));
    const QUrl url(QStringLiteral("http://10.1.2.3:9005/zaravazez?a=1#f"));
    const QFont font(QStringLiteral("Noto Sans"), 11, QFont::Bold);
    same("uuid", uuid);
    same("url", url);
    same("float", 1.5f);
    same("font", font);
    same("bounded in containers",
         QVariantList{uuid, url, 1.5f, font, QVariantMap{{"u", url}, {"f", font}}});
}

void tst_EasyIni::taggedValuesMatchQSettings()
{
    QFETCH(QVariant, value);
    QFETCH(QVariant, expected);
    QFETCH(QString, text);

    const QString encoded = EasyIni::variantToString(value);
    if (!text.isEmpty())
        QCOMPARE(encoded, text);
    {
        EasyIni ini;
        ini.load(path(), EasyIni::WriteOnly);
        ini.setValue("s", "k", value);
        ini.save();
    }
    EasyIni ini;
    ini.load(path(), EasyIni::ReadOnly);
    const QVariant ours = ini.value("s", "k");
    QCOMPARE(ours, expected);

    // QSettings reading the very same bytes agrees.
    QSettings settings(path(), QSettings::IniFormat);
    settings.setIniCodec("UTF-8");
    QCOMPARE(settings.value("s/k"), ours);
    QCOMPARE(settings.status(), QSettings::NoError);
}

void tst_EasyIni::decodingEdges_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("expected");
    // Texts that fit no tag, or bytes that must never reach a loader: read as plain text.
    const auto plain = [](const char *name, const QString &text) {
        QTest::newRow(name) << text << QVariant(text);
    };
    plain("rect of three", "@Rect(1 2 3)");
    plain("rect of five", "@Rect(1 2 3 4 5)");
    plain("rect, two blanks", "@Rect(1  2 3)");
    plain("rect of words", "@Rect(a b c d)");
    plain("size of one", "@Size(1)");
    plain("point unclosed", "@Point(1 2");
    plain("unknown tag", "@Foo(1)");
    QTest::newRow("@@ tag") << "@@Rect(1 2 3 4)" << QVariant("@Rect(1 2 3 4)");
    plain("lone @", "@");
    QTest::newRow("empty byte array") << "@ByteArray()" << QVariant(QByteArray());
    plain("empty variant", "@Variant()");
    plain("truncated variant", QString::fromLatin1("@Variant(\0\0\0\x0a\0\0\0\x10"
                                                   "ab)",
                                                   20));
    plain("hostile list count", QString::fromLatin1("@Variant(\0\0\0\x0b\x7f\xff\xff\xff)", 18));
    plain("unknown user type", QString::fromLatin1("@Variant(\0\0\0\x7f\0\0\0\0\x03xyz)", 22));
    // A polygon claiming four billion points: the framework's loader would run away.
    plain("hostile polygon", streamedValue(QDataStream::Qt_5_6, [](QDataStream &out) {
              out << quint32(QMetaType::QPolygonF) << quint8(0) << quint32(0xffffffff);
          }));
    plain("hostile polygon, old numbering",
          streamedValue(QDataStream::Qt_4_0,
                        [](QDataStream &out) { out << quint32(183) << quint32(0x7fffffff); }));
    plain("polygon inside a list", streamedValue(QDataStream::Qt_4_0, [](QDataStream &out) {
              out << quint32(QMetaType::QVariantList) << quint32(2) << quint32(QMetaType::Int)
                  << qint32(1) << quint32(183) << quint32(0x7fffffff);
          }));
    plain("polygon as a user type", streamedValue(QDataStream::Qt_5_6, [](QDataStream &out) {
              out << quint32(QMetaType::User) << quint8(0) << QByteArray("QPolygonF")
                  << quint32(0xffffffff);
          }));
    plain("lists nested 100000 deep", streamedValue(QDataStream::Qt_4_0, [](QDataStream &out) {
              for (int i = 0; i < 100000; ++i)
                  out << quint32(QMetaType::QVariantList) << quint32(1);
          }));
    plain("list longer than its bytes", streamedValue(QDataStream::Qt_4_0, [](QDataStream &out) {
              out << quint32(QMetaType::QStringList) << quint32(0x10000000);
          }));
    plain("variants nested 1000000 deep", streamedValue(QDataStream::Qt_4_0, [](QDataStream &out) {
              for (int i = 0; i < 1000000; ++i)
                  out << quint32(QMetaType::QVariant);
              out << quint32(QMetaType::Int) << qint32(1);
          }));
    plain("easing curve with a function pointer",
          streamedValue(QDataStream::Qt_4_0, [](QDataStream &out) {
              out << quint32(QMetaType::QEasingCurve + 97) << qint32(QEasingCurve::Custom)
                  << quint64(0xdeadbeef) << false;
          }));
    const QString namedUuid = streamedValue(QDataStream::Qt_4_0, [](QDataStream &out) {
        out << quint32(QMetaType::QVariantList) << quint32(1) << quint32(127) << QByteArray("QUuid")
            << QUuid(0x12345678, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10);
    });
    QTest::newRow("uuid stored by name in a list")
        << namedUuid << QVariant(QVariantList{QUuid(0x12345678, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10)});
    plain("truncated date-time", QString::fromLatin1("@DateTime(\0\0\0\x10\0\0\0)", 18));
}

void tst_EasyIni::decodingEdges()
{
    QFETCH(QString, text);
    QFETCH(QVariant, expected);
    QCOMPARE(EasyIni::stringToVariant(text), expected);
}

void tst_EasyIni::lineBreaksRoundTrip_data()
{
    QTest::addColumn<QVariant>("value");

    const char *const strings[][2] = {{"LF", "a\nb"},
                                      {"CR", "a\rb"},
                                      {"CRLF", "a\r\nb"},
                                      {"only LF", "\n"},
                                      {"breaks and blanks at the ends", "\r\n  x  \r"},
                                      {"@ and LF", "@a\nb"},
                                      {"backslashes and LF", "C:\\n\n\\r"},
                                      {"escaped tag and LF", "@Escaped(a\nb)"},
                                      {"pasted key line", "/data/t2\nlogFileDir=/data/injected"}};
    for (const auto &row : strings)
        QTest::newRow(row[0]) << QVariant(QString::fromUtf8(row[1]));
    QTest::newRow("NUL and LF") << QVariant(QString::fromUtf16(u"a\0b\nc", 5));
    QTest::newRow("bytes LF") << QVariant(QByteArray("a\nb"));
    QTest::newRow("bytes CR") << QVariant(QByteArray("a\rb"));
    QTest::newRow("bytes CRLF") << QVariant(QByteArray("a\r\nb\\r"));
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    QTest::newRow("all 256 bytes") << QVariant(all);
    QTest::newRow("list holding strings")
        << QVariant(QVariantList{QStringLiteral("a\nb"), QStringLiteral("c"), 7});
    QTest::newRow("string list") << QVariant(QStringList{"x\ry", "\\n"});
}

void tst_EasyIni::lineBreaksRoundTrip()
{
    QFETCH(QVariant, value);
    const QString text = EasyIni::variantToString(value);
    QVERIFY(!text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')));
    {
        EasyIni ini;
        ini.load(path(), EasyIni::WriteOnly);
        ini.setValue("s", "k", value);
        ini.setValue("s", "after", "kept");
    }
    // Saved again in read-write mode, everything re-encoded from what was read.
    for (int pass = 0; pass < 2; ++pass) {
        EasyIni ini;
        ini.load(path(), EasyIni::ReadWrite);
        QCOMPARE(ini.value("s", "k"), value);
        QCOMPARE(ini.value("s", "after"), QVariant("kept"));
        ini.setValue("t", "touch", pass);
    }
    QCOMPARE(FileBytes::read(path()).count('\n'), 5);
}

void tst_EasyIni::randomDateTimesRoundTrip()
{
    QRandomGenerator random(20240517);
    QList<QDateTime> values;
    {
        EasyIni ini;
        ini.load(path(), EasyIni::WriteOnly);
        for (int i = 0; i < 2000; ++i) {
            const qint64 ms = qint64(random.bounded(4102444800.0) * 1000.0);
            values.append(QDateTime::fromMSecsSinceEpoch(ms, i % 2 ? Qt::UTC : Qt::LocalTime));
            ini.setValue("d", QString::number(i), values.last());
        }
    }
    EasyIni ini;
    ini.load(path(), EasyIni::ReadOnly);
    for (int i = 0; i < values.size(); ++i)
        QCOMPARE(ini.value("d", QString::number(i)), QVariant(values.at(i)));
}

void tst_EasyIni::plainValuesKeepTheirBytes()
{
    // Texts that always read back keep the exact bytes they were written with.
    const QStringList values{"D:\\logs\\new",     "a\\nb",   "\"quoted\" 'too'",
                             "\\\\server\\share", "@x",      "@Escaped(a\\nb)",
                             "日志目录",          "-12.5e3", "a;b#c=d"};
    {
        EasyIni ini;
        ini.load(path(), EasyIni::WriteOnly);
        for (int i = 0; i < values.size(); ++i)
            ini.setValue("s", QString::number(i), values.at(i));
        ini.setValue("s", "n", 42);
    }
    QCOMPARE(FileBytes::read(path()), QByteArray("[s]\n0=D:\\logs\\new\n1=a\\nb\n"
                                                 "2=\"quoted\" 'too'\n3=\\\\server\\share\n4=@@x\n"
                                                 "5=@@Escaped(a\\nb)\n6=日志目录\n7=-12.5e3\n"
                                                 "8=a;b#c=d\nn=42\n"));
    EasyIni ini;
    ini.load(path(), EasyIni::ReadOnly);
    for (int i = 0; i < values.size(); ++i)
        QCOMPARE(ini.value("s", QString::number(i)).toString(), values.at(i));
}

void tst_EasyIni::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<bool>("inPlace");
    // What stands at the name by the save: "symbolic"/"hard" links to another file put there
    // after the load, "elsewhere" a symbolic one to a file in a folder that refuses new files;
    // "symbolic at load" stood there already when the file was read.
    QTest::addColumn<QString>("swap");
    QTest::addColumn<QString>("cause");
    const QString full = qt_error_string(EFBIG), swapped = QStringLiteral("已不是读取时的那个文件");
    QTest::newRow("beside, then renamed") << false << QString() << full;
    // A folder that refuses a file beside it, with the file itself writable.
    QTest::newRow("in place") << true << QString() << full;
    QTest::newRow("in place, swapped for a symbolic link") << true << "symbolic" << swapped;
    QTest::newRow("in place, swapped for a hard link") << true << "hard" << swapped;
    QTest::newRow("in place, through a symbolic link there at load")
        << true << "symbolic at load" << full;
    QTest::newRow("beside, swapped for a link to a folder refusing new files")
        << false << "elsewhere" << swapped;
}

void tst_EasyIni::failedWriteKeepsOldFile()
{
    QFETCH(bool, inPlace);
    QFETCH(QString, swap);
    QFETCH(QString, cause);
    if ((inPlace || !swap.isEmpty()) && geteuid() != 0)
        QSKIP("needs root to write as a user who may not write the folder");
    const QByteArray original("[Http]\nip=keep\n; the operator's file\n");
    FileBytes::write(path(), original);
    // Nobody keeps root's group here.
    using P = QFileDevice;
    const auto groupMay = P::ReadOwner | P::WriteOwner | P::ExeOwner | P::ReadGroup | P::ExeGroup;
    QVERIFY(QFile::setPermissions(m_dir->path(), inPlace ? groupMay : groupMay | P::WriteGroup));
    const auto readWrite = P::ReadOwner | P::WriteOwner | P::ReadGroup | P::WriteGroup;
    QVERIFY(QFile::setPermissions(path(), readWrite));
    const QByteArray othersBytes("[Other]\nkept=1\n");
    const QString other =
        m_dir->filePath(swap == QLatin1String("elsewhere") ? "far/other.ini" : "other.ini");
    const auto putLink = [&] {
        QVERIFY(QDir().mkpath(QFileInfo(other).path()));
        FileBytes::write(other, othersBytes);
        QVERIFY(QFile::setPermissions(other, readWrite));
        QVERIFY(QFile::setPermissions(QFileInfo(other).path(), groupMay));
        const QByteArray next = QFile::encodeName(path() + QStringLiteral(".next"));
        QCOMPARE(swap == QLatin1String("hard")
                     ? ::link(QFile::encodeName(other).constData(), next.constData())
                     : ::symlink(QFile::encodeName(other).constData(), next.constData()),
                 0);
        QCOMPARE(::rename(next.constData(), QFile::encodeName(path()).constData()), 0);
    };
    const bool swapped = !swap.isEmpty() && !swap.endsWith(QLatin1String(" at load"));
    if (!swap.isEmpty() && !swapped)
        putLink();
    EasyIni ini;
    ini.load(path(), EasyIni::WriteOnly);
    ini.setValue("Http", "ip", QString(4096, QLatin1Char('x')));
    if (swapped)
        putLink();
    if (QTest::currentTestFailed())
        return;
    std::unique_ptr<FilesAsNobody> nobody(inPlace || !swap.isEmpty() ? new FilesAsNobody : nullptr);

    {
        // None for a swap: a write into the other file would go through.
        std::optional<FileSizeLimit> full;
        if (!swapped)
            QVERIFY(full.emplace(1000).isSet());
        QVERIFY(!ini.save());
    }

    QCOMPARE(FileBytes::read(swap.isEmpty() ? path() : other),
             swap.isEmpty() ? original : othersBytes);
    QCOMPARE(ini.errorString(), cause);
    QStringList names{"app.ini"};
    if (!swap.isEmpty() && QFileInfo(other).path() == m_dir->path())
        names << "other.ini";
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), names);

    // With room again the same object writes the new content, into the file it read only.
    QCOMPARE(ini.save(), !swapped);
    QCOMPARE(FileBytes::read(path()).startsWith("[Http]\nip=xxxx"), !swapped);
}

void tst_EasyIni::saveIntoReadOnlyFolder()
{
    if (geteuid() != 0)
        QSKIP("needs root to run the save as a user who may not write the folder");
    const QString self = QCoreApplication::applicationFilePath();
    QProcess probe;
    probe.start(QStringLiteral("runuser"), {"-u", "nobody", "--", self, "-functions"});
    if (!probe.waitForFinished(60000) || probe.exitCode() != 0)
        QSKIP("runuser cannot start this test as nobody (binary or its folders unreadable)");

    // A folder only root may write, holding a file that nobody may write.
    QTemporaryDir base(QDir::tempPath() + QStringLiteral("/tst_easyini_ro_XXXXXX"));
    QVERIFY(base.isValid());
    const QString file = base.filePath(QStringLiteral("app.ini"));
    FileBytes::write(file, "[s]\nk=old\n");
    QVERIFY(QFile::setPermissions(base.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                   QFileDevice::ExeOther));
    QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ReadOther | QFileDevice::WriteOther));

    QProcess child;
    child.start(QStringLiteral("runuser"), {"-u", "nobody", "--", self, "--save-as-child", file});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitCode(), 0);
    QCOMPARE(FileBytes::read(file), QByteArray("[s]\nk=new\nline=a\\nb\n"));
    QCOMPARE(QDir(base.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"app.ini"});
}

void tst_EasyIni::saveCreatesFolderAndLeavesNoProbe()
{
    const QString deep = m_dir->filePath(QStringLiteral("a/b/app.ini"));
    EasyIni ini;
    ini.load(deep, EasyIni::WriteOnly);
    ini.setValue("s", "k", "v");
    ini.save();
    QCOMPARE(FileBytes::read(deep), QByteArray("[s]\nk=v\n"));
    QCOMPARE(QDir(m_dir->filePath(QStringLiteral("a/b"))).entryList(QDir::Files),
             QStringList{"app.ini"});

    // A folder that cannot exist (a file is in the way): silently nothing.
    FileBytes::write(m_dir->filePath(QStringLiteral("file")), "x");
    EasyIni blocked;
    blocked.load(m_dir->filePath(QStringLiteral("file/app.ini")), EasyIni::WriteOnly);
    blocked.setValue("s", "k", "v");
    blocked.save();
    QCOMPARE(FileBytes::read(m_dir->filePath(QStringLiteral("file"))), QByteArray("x"));
}

void tst_EasyIni::pendingChangesStayWithTheirFile()
{
    FileBytes::write(path("a.ini"), "[s]\nk=a\n");
    FileBytes::write(path("b.ini"), "[s]\nk=b\n");
    EasyIni ini;
    ini.load(path("a.ini"), EasyIni::ReadWrite);
    ini.setValue("s", "k", "changed");
    ini.load(path("b.ini"), EasyIni::ReadWrite);
    QCOMPARE(FileBytes::read(path("a.ini")), QByteArray("[s]\nk=changed\n"));
    QCOMPARE(FileBytes::read(path("b.ini")), QByteArray("[s]\nk=b\n"));
    QCOMPARE(ini.value("s", "k").toString(), QStringLiteral("b"));

    ini.setValue("s", "k", "b2");
    ini.reload(path("a.ini"));
    QCOMPARE(FileBytes::read(path("b.ini")), QByteArray("[s]\nk=b2\n"));
    QCOMPARE(ini.value("s", "k").toString(), QStringLiteral("changed"));
}

void tst_EasyIni::fuzzInputsReadWithoutCrash()
{
    // Seeds and every input the fuzzer ever failed on; each also survives a save unchanged.
    int files = 0;
    for (const char *folder : {"fuzz/corpus", "fuzz/regressions"}) {
        const QString dir = QFINDTESTDATA(folder);
        QVERIFY(!dir.isEmpty());
        const QStringList names = QDir(dir).entryList(QDir::Files | QDir::Hidden);
        for (const QString &name : names) {
            const QString file = QDir(dir).filePath(name);
            EasyIni ini;
            ini.load(file, EasyIni::ReadOnly);
            (void)ini.value("s", "k").toString();
            (void)EasyIni::variantToString(
                EasyIni::stringToVariant(QString::fromLatin1(FileBytes::read(file))));
            FileBytes::write(path(), FileBytes::read(file));
            const QString changed = IniRoundTrip::mismatch(path());
            QVERIFY2(changed.isEmpty(), qPrintable(name + QLatin1String(": ") + changed));
            ++files;
        }
    }
    QVERIFY(files > 5);
}

void tst_EasyIni::swappedInFifoNeverBlocks()
{
    const QByteArray name = QFile::encodeName(path()), file = name + ".file", fifo = name + ".fifo";
    FileBytes::write(path(), "[s]\nk=v\n");
    QVERIFY(QFile::copy(path(), QFile::decodeName(file)));
    QCOMPARE(mkfifo(fifo.constData(), 0600), 0);
    MessageCapture quiet;
    // The name is the file and the FIFO by turns; the FIFO's writer never writes. At the
    // deadline the name stays the file and a read waiting on the FIFO is let go.
    const int writer = ::open(fifo.constData(), O_RDWR);
    std::atomic<bool> stop{false}, late{false};
    std::thread flipping([&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        for (bool toFifo = true; !stop && !late; toFifo = !toFifo) {
            late = std::chrono::steady_clock::now() > deadline;
            if (::link((late || !toFifo ? file : fifo).constData(), (name + ".next").constData()) ==
                0)
                ::rename((name + ".next").constData(), name.constData());
        }
        ::close(writer);
    });
    // Until the FIFO has been met, and refused, many times.
    int refused = 0, wrong = 0;
    while (refused < 5000 && !late) {
        EasyIni ini;
        ini.load(path(), EasyIni::ReadOnly);
        const QVariant value = ini.value("s", "k");
        wrong += value.isValid() && value != QVariant("v");
        refused += !value.isValid();
    }
    stop = true;
    flipping.join();
    QCOMPARE(wrong, 0);
    QVERIFY(!late);
}

void tst_EasyIni::hostileFile_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("kind");       // a plain file unless makeFile() knows it
    QTest::addColumn<QString>("critical");   // expected in the one critical message, if any
    QTest::addColumn<QVariantMap>("values"); // "section/key" -> value after a read-only load
    QTest::addColumn<bool>("roundTrip");     // a read-write save succeeds and keeps every value

    const QByteArray page("[s]\nk=v\n");
    // Bytes that fit beside the page lines, the added key of the save included.
    const int room = int(EasyIni::MaxFileSize) - page.size() - 16;
    const QVariantMap unread{{"s/k", {}}};
    for (const char *kind : {"device", "fifo", "directory"})
        QTest::newRow(kind) << page << kind << "不是普通文件" << unread << false;
    readableRow("link to a file", page, {{"s/k", "v"}}, QStringLiteral("link"));
    QTest::newRow("unreadable") << page << "unreadable" << qt_error_string(EACCES) << unread
                                << false;
    // Read whole, but saved they would be more than the next start reads.
    const QVariantMap read{{"s/k", "v"}};
    QTest::newRow("save over the bound")
        << page + QByteArray(int(EasyIni::MaxFileSize) - page.size(), ';') << QString() << QString()
        << read << false;
    const QString wide =
        QString::fromLatin1(page) + QString(int(EasyIni::MaxFileSize) / 2 - 16, QChar(0x65e5));
    QTest::newRow("UTF-16 growing as UTF-8")
        << utf16File(wide) << QString() << QString() << read << false;
    QTest::newRow("over the bound") << page + QByteArray(room + 17, ';') << ""
                                    << "超过" << unread << false;
    // Shapes that once took dozens of times their size in memory load whole at the bound.
    readableRow("blank lines", page + QByteArray(room - 4, '\n') + "j=w\n",
                {{"s/k", "v"}, {"s/j", "w"}});
    readableRow("tiny sections", QByteArray(room / 4, '.').replace(".", "[a]\n") + page,
                {{"s/k", "v"}, {"a/k", {}}});
    readableRow("tiny keys", page + QByteArray(room / 4, '.').replace(".", "a=b\n"),
                {{"s/k", "v"}, {"s/a", "b"}});
    // Written as they stand these would read back as a header, or trimmed, or as no key.
    readableRow("key line read back as a header", "[s]\n[k=@String(v])\nafter=1\n",
                {{"s/[k", "v]"}, {"s/after", "1"}});
    readableRow("blanks at the ends, empty value", "[s]\nk=@String( v )\ne=@String()\nafter=1\n",
                {{"s/k", " v "}, {"s/e", ""}, {"s/after", "1"}});
    // UTF-8 cannot hold half a surrogate pair: read as the replacement character.
    const QString halves = QStringLiteral("[s]\nk") + QChar(0xd800) + QStringLiteral("=v") +
                           QChar(0xdc00) + QStringLiteral("\n");
    readableRow("half surrogate pairs in a UTF-16 file", utf16File(halves),
                {{QStringLiteral("s/k\uFFFD"), QStringLiteral("v\uFFFD")}});
    // Only the first is a mark; the second is a character of the first line.
    readableRow("byte-order mark twice", "\xef\xbb\xbf\xef\xbb\xbf[s]\nk=v\n", unread);

    // Stored values that must never reach a loader: each reads as its own plain text.
    const auto polygonNamed = [](quint32 type) {
        return streamedValue(QDataStream::Qt_4_0, [type](QDataStream &out) {
            out << type << QByteArray("QPolygon") << quint32(0x7fffffff);
        });
    };
    // 1121 maps down to 1024 at old versions, which means a name follows as well.
    addValueRow("named type reaching a refused loader",
                QStringList{polygonNamed(1024), polygonNamed(1121)});
    addValueRow(
        "type number naming no type",
        QStringList{streamedValue(QDataStream::Qt_4_0,
                                  [](QDataStream &out) { out << quint32(297) << QString(); }),
                    streamedValue(QDataStream::Qt_5_6,
                                  [](QDataStream &out) { out << quint32(1025) << quint8(0); })});

    // A zone id is a file name below the zone folder as it stands: a path to any file, even
    // a FIFO that blocks the reader, would be opened.
    const QString id = QStringLiteral("Etc/../UTC");
    addValueRow(
        "date-time in a zone named by a path",
        QStringList{dateTimeValue([&](QDataStream &out) { out << qint8(Qt::TimeZone) << id; }),
                    dateTimeValue([&](QDataStream &out) {
                        out << qint8(Qt::TimeZone) << QStringLiteral("OffsetFromUtc") << id
                            << qint32(3600) << QString() << QString() << qint32(0) << QString();
                    })});
    addValueRow("date-time fields out of range",
                QStringList{dateTimeValue([](QDataStream &out) { out << qint8(7); }),
                            dateTimeValue([](QDataStream &out) { out << qint8(-1); }),
                            dateTimeValue([](QDataStream &out) {
                                out << qint8(Qt::OffsetFromUTC) << qint32(0x7fffffff);
                            })});
    addValueRow("rect overflowing an int",
                QStringList{"@Rect(2147483647 0 2 0)", "@Rect(0 -2147483648 1 -1)",
                            streamedValue(QDataStream::Qt_4_0, [](QDataStream &out) {
                                out << quint32(QMetaType::QRect) << qint32(INT_MIN) << qint32(0)
                                    << qint32(INT_MAX) << qint32(0);
                            })});
}

void tst_EasyIni::hostileFile()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, kind);
    QFETCH(QString, critical);
    QFETCH(QVariantMap, values);
    QFETCH(bool, roundTrip);
    makeFile(path(), kind, file);
    std::unique_ptr<FilesAsNobody> nobody(kind == QLatin1String("unreadable") ? new FilesAsNobody
                                                                              : nullptr);
    {
        MessageCapture capture;
        EasyIni ini;
        ini.load(path(), EasyIni::ReadOnly);
        const QStringList found = capture.texts(QtCriticalMsg);
        QCOMPARE(found.size(), int(!critical.isEmpty()));
        QCOMPARE(found.filter(critical).filter(path()), found);
        compareValues(ini, values);
    }
    MessageCapture quiet;
    EasyIni ini;
    ini.load(path(), EasyIni::ReadWrite);
    ini.setValue("added", "k", "1");
    QCOMPARE(ini.save(), roundTrip);
    QCOMPARE(ini.errorString().isEmpty(), roundTrip);
    ini.load(path(), EasyIni::ReadOnly);
    compareValues(ini, values);
    nobody.reset();
    if (!roundTrip) {
        // Nothing replaced what was never read, or what would not be read again.
        const bool regular = kind.isEmpty() || kind == QLatin1String("unreadable");
        QCOMPARE(QFileInfo(path()).isFile(), regular);
        if (regular)
            QCOMPARE(FileBytes::read(path()), file);
    } else {
        QCOMPARE(ini.value("added", "k"), QVariant("1"));
    }
}

// The child of saveIntoReadOnlyFolder, run as another user: one save in read-write mode.
static int saveAsChild(const QString &file)
{
    EasyIni ini;
    ini.load(file, EasyIni::ReadWrite);
    ini.setValue("s", "k", "new");
    ini.setValue("s", "line", "a\\nb");
    ini.save();
    return 0;
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--save-as-child") == 0)
        return saveAsChild(QString::fromLocal8Bit(argv[2]));
    QTEST_SET_MAIN_SOURCE_PATH
    tst_EasyIni test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_easyini.moc"
