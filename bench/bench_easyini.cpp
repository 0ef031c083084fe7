// Reading a 10,000-key settings file: EasyIni against QSettings' full parse of the same file.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "common/easyini.h"

namespace {

constexpr int Sections = 100;
constexpr int KeysPerSection = 100;
constexpr int Runs = 15;

QByteArray settingsText()
{
    QByteArray text = "; generated\n";
    for (int s = 0; s < Sections; ++s) {
        text += "[section" + QByteArray::number(s) + "]\n";
        for (int k = 0; k < KeysPerSection; ++k)
            text += "key" + QByteArray::number(k) + "=value " + QByteArray::number(s * k) +
                    " D:/data/folder\n";
    }
    return text;
}

template <typename F> double medianMs(F run)
{
    std::vector<double> times;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    QTemporaryDir dir;
    // QSettings keeps parsed files in a process-wide cache: every run gets a file of its own.
    const QByteArray text = settingsText();
    QStringList paths;
    for (int i = 0; i < 2 * Runs; ++i) {
        paths << dir.filePath(QStringLiteral("bench%1.ini").arg(i));
        QFile file(paths.last());
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write(text);
    }

    int found = 0;
    int next = 0;
    const double ours = medianMs([&] {
        EasyIni ini;
        ini.load(paths.at(next++), EasyIni::ReadOnly);
        found += ini.value(QStringLiteral("section99"), QStringLiteral("key99")).isValid();
    });
    const double qt = medianMs([&] {
        QSettings settings(paths.at(next++), QSettings::IniFormat);
        // allKeys() parses every section; value() alone would parse only one.
        found += settings.allKeys().size() == Sections * KeysPerSection &&
                 settings.value(QStringLiteral("section99/key99")).isValid();
    });
    std::printf("settings file of %d keys, median of %d runs\n", Sections * KeysPerSection, Runs);
    std::printf("  EasyIni load:        %8.2f ms\n", ours);
    std::printf("  QSettings full parse: %8.2f ms\n", qt);
    std::printf("  ratio EasyIni/QSettings: %.2f (target <= 1.00) %s\n", ours / qt,
                ours <= qt ? "met" : "NOT met");
    return found == 2 * Runs ? 0 : 1;
}
