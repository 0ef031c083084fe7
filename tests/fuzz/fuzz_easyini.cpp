// libFuzzer target for the settings file reader: any bytes as a settings file, and any
// text as a stored value, must read without crashing; a file saved in read-write mode must
// read back the same and save the same bytes again; any text or bytes must survive encoding
// and decoding.
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "common/easyini.h"
#include "support/iniroundtrip.h"

namespace {
QTemporaryDir *g_dir = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // A GUI application, as in the program, so stored colours, images and fonts load.
    new QGuiApplication(*argc, *argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    g_dir = new QTemporaryDir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    const QString path = g_dir->filePath(QStringLiteral("fuzz.ini"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(bytes);
    }
    EasyIni ini;
    ini.load(path, EasyIni::ReadOnly);
    for (const char *section : {"Http", "Path", "Minio", "s"})
        for (const char *key : {"ip", "port", "logFileDir", "k"})
            (void)ini.value(QLatin1String(section), QLatin1String(key)).toString();

    const QString changed = IniRoundTrip::mismatch(path);
    if (!changed.isEmpty()) {
        fprintf(stderr, "save changed the file: %s\n", qPrintable(changed));
        abort();
    }

    // The same bytes as one value text, and its encoding back.
    const QVariant value = EasyIni::stringToVariant(QString::fromLatin1(bytes.constData(), size));
    (void)EasyIni::variantToString(value);

    // Any text and any bytes come back from their encoding unchanged, on one line.
    const QVariant originals[] = {QString::fromUtf8(bytes.constData(), bytes.size()),
                                  QString::fromLatin1(bytes.constData(), bytes.size()), bytes};
    for (const QVariant &original : originals) {
        const QString text = EasyIni::variantToString(original);
        if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) ||
            EasyIni::stringToVariant(text) != original)
            abort();
    }
    return 0;
}
