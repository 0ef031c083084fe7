// Settings files of 1k, 10k and 100k keys, in two shapes (100 sections; 10 keys per section):
// EasyIni against QSettings doing the same work on the same bytes.
//   parse:   open the file and parse all of it (QSettings: allKeys(), which parses every section)
//   lookups: value() of every key on an already parsed file
//   read:    open the file, then value() of every key, as the settings page does
//   write:   every key set into an empty object, then written to a new file (save / sync)
// Each figure is the median of interleaved repetitions (the two sides alternate who goes
// first) after one warm-up round, every repetition on a file of its own: QSettings caches
// parsed files by path.
// Usage: bench_easyini [repetitions, default 5]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "bench/median.h"
#include "common/easyini.h"

namespace {

struct Shape
{
    int keys;
    int keysPerSection;
    const char *name;
};

// The keys of one file, in file order.
struct KeySet
{
    QStringList sections;
    QStringList keys;
    QStringList paths; // "section/key" for QSettings
    QStringList values;
};

KeySet keySet(const Shape &shape)
{
    KeySet set;
    for (int i = 0; i < shape.keys; ++i) {
        const int s = i / shape.keysPerSection;
        const int k = i % shape.keysPerSection;
        set.sections << QStringLiteral("section%1").arg(s);
        set.keys << QStringLiteral("key%1").arg(k);
        set.paths << set.sections.last() + QLatin1Char('/') + set.keys.last();
        set.values << QStringLiteral("value %1 D:/data/folder").arg(i);
    }
    return set;
}

QByteArray fileText(const KeySet &set)
{
    QByteArray text = "; generated\n";
    for (int i = 0; i < set.keys.size(); ++i) {
        if (i == 0 || set.sections.at(i) != set.sections.at(i - 1))
            text += '[' + set.sections.at(i).toUtf8() + "]\n";
        text += set.keys.at(i).toUtf8() + '=' + set.values.at(i).toUtf8() + '\n';
    }
    return text;
}

// Milliseconds spent in `timed`, after `untimedBefore` and before `untimedAfter`.
double timeMs(const std::function<void()> &untimedBefore, const std::function<void()> &timed,
              const std::function<void()> &untimedAfter)
{
    untimedBefore();
    QElapsedTimer timer;
    timer.start();
    timed();
    const double ms = timer.nsecsElapsed() / 1e6;
    untimedAfter();
    return ms;
}

std::unique_ptr<EasyIni> openedIni(const QString &path, EasyIni::Mode mode)
{
    auto ini = std::make_unique<EasyIni>();
    ini->load(path, mode);
    return ini;
}

std::unique_ptr<QSettings> openedSettings(const QString &path)
{
    auto settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
    settings->setIniCodec("UTF-8");
    return settings;
}

struct Result
{
    double ours = 0;
    double qt = 0;
};

class Bench
{
public:
    Bench(const Shape &shape, int repetitions, const QString &folder)
        : m_shape(shape), m_set(keySet(shape)), m_reps(repetitions), m_folder(folder)
    {
        m_text = fileText(m_set);
    }

    Result parse()
    {
        return interleave(
            [&](const QString &path) {
                std::unique_ptr<EasyIni> ini;
                return timeMs([] {}, [&] { ini = openedIni(path, EasyIni::ReadOnly); },
                              [&] {
                                  countFound(ini->value(m_set.sections.last(), m_set.keys.last()));
                                  ini.reset();
                              });
            },
            [&](const QString &path) {
                std::unique_ptr<QSettings> settings;
                return timeMs([] {},
                              [&] {
                                  settings = openedSettings(path);
                                  countFound(settings->allKeys().size() == m_set.keys.size());
                              },
                              [&] { settings.reset(); });
            },
            2);
    }

    Result lookups()
    {
        return interleave(
            [&](const QString &path) {
                std::unique_ptr<EasyIni> ini;
                return timeMs([&] { ini = openedIni(path, EasyIni::ReadOnly); },
                              [&] { lookUpAll(*ini); }, [] {});
            },
            [&](const QString &path) {
                std::unique_ptr<QSettings> settings;
                return timeMs(
                    [&] {
                        settings = openedSettings(path);
                        (void)settings->allKeys();
                    },
                    [&] { lookUpAll(*settings); }, [] {});
            },
            2 * m_set.keys.size());
    }

    Result read()
    {
        return interleave(
            [&](const QString &path) {
                std::unique_ptr<EasyIni> ini;
                return timeMs([] {},
                              [&] {
                                  ini = openedIni(path, EasyIni::ReadOnly);
                                  lookUpAll(*ini);
                              },
                              [&] { ini.reset(); });
            },
            [&](const QString &path) {
                std::unique_ptr<QSettings> settings;
                return timeMs([] {},
                              [&] {
                                  settings = openedSettings(path);
                                  lookUpAll(*settings);
                              },
                              [&] { settings.reset(); });
            },
            2 * m_set.keys.size());
    }

    // The object is destroyed outside the timing: EasyIni's destructor saves once more.
    Result write()
    {
        return interleave(
            [&](const QString &path) {
                std::unique_ptr<EasyIni> ini;
                return timedWrite(
                    path,
                    [&] {
                        ini = openedIni(path, EasyIni::WriteOnly);
                        for (int i = 0; i < m_set.keys.size(); ++i)
                            ini->setValue(m_set.sections.at(i), m_set.keys.at(i),
                                          m_set.values.at(i));
                        ini->save();
                    },
                    [&] { ini.reset(); });
            },
            [&](const QString &path) {
                std::unique_ptr<QSettings> settings;
                return timedWrite(
                    path,
                    [&] {
                        settings = openedSettings(path);
                        for (int i = 0; i < m_set.keys.size(); ++i)
                            settings->setValue(m_set.paths.at(i), m_set.values.at(i));
                        settings->sync();
                    },
                    [&] { settings.reset(); });
            },
            2);
    }

    bool allFound() const { return m_missing == 0; }

private:
    using Side = std::function<double(const QString &path)>;

    // `expectedFound` is what one repetition of both sides adds to the found count.
    Result interleave(const Side &ours, const Side &qt, int expectedFound)
    {
        std::vector<double> oursMs;
        std::vector<double> qtMs;
        // Round 0 warms both sides up and is not counted.
        for (int rep = 0; rep <= m_reps; ++rep) {
            const QString oursPath = freshFile(QStringLiteral("ours"));
            const QString qtPath = freshFile(QStringLiteral("qt"));
            m_found = 0;
            double oursRep = 0;
            double qtRep = 0;
            if (rep % 2 == 0) {
                oursRep = ours(oursPath);
                qtRep = qt(qtPath);
            } else {
                qtRep = qt(qtPath);
                oursRep = ours(oursPath);
            }
            if (rep > 0) {
                oursMs.push_back(oursRep);
                qtMs.push_back(qtRep);
            }
            m_missing += expectedFound - m_found;
            QFile::remove(oursPath);
            QFile::remove(qtPath);
        }
        return {median(oursMs), median(qtMs)};
    }

    QString freshFile(const QString &side)
    {
        const QString path = m_folder + QStringLiteral("/%1-%2-%3-%4.ini")
                                            .arg(side)
                                            .arg(m_shape.keys)
                                            .arg(m_shape.keysPerSection)
                                            .arg(m_serial++);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(m_text);
        return path;
    }

    // Milliseconds of `write` into a new file at `path`, which must come out at least half
    // the size of the generated text.
    double timedWrite(const QString &path, const std::function<void()> &write,
                      const std::function<void()> &close)
    {
        QFile::remove(path);
        const double ms = timeMs([] {}, write, close);
        countFound(QFile(path).size() > m_text.size() / 2);
        return ms;
    }

    void lookUpAll(const EasyIni &ini)
    {
        for (int i = 0; i < m_set.keys.size(); ++i)
            countFound(ini.value(m_set.sections.at(i), m_set.keys.at(i)));
    }
    void lookUpAll(const QSettings &settings)
    {
        for (const QString &key : qAsConst(m_set.paths))
            countFound(settings.value(key));
    }

    void countFound(const QVariant &value)
    {
        if (value.isValid())
            ++m_found;
    }
    void countFound(bool ok) { m_found += ok ? 1 : 0; }

    Shape m_shape;
    KeySet m_set;
    QByteArray m_text;
    int m_reps;
    QString m_folder;
    int m_serial = 0;
    int m_found = 0;
    int m_missing = 0;
};

void printRow(const char *what, const Shape &shape, const Result &r, bool target)
{
    std::printf("  %-8s %7d keys, %-22s EasyIni %9.2f ms   QSettings %9.2f ms   ratio %6.2f%s\n",
                what, shape.keys, shape.name, r.ours, r.qt, r.ours / r.qt,
                target ? (r.ours <= r.qt ? "  (<= 1.00 met)" : "  (<= 1.00 NOT met)") : "");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    const int reps = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 5;
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;

    std::printf("EasyIni against QSettings, median of %d interleaved repetitions after a warm-up\n",
                reps);
    bool ok = true;
    for (const int keys : {1000, 10000, 100000}) {
        for (const Shape &shape :
             {Shape{keys, keys / 100, "100 sections"}, Shape{keys, 10, "10 keys per section"}}) {
            Bench bench(shape, reps, dir.path());
            const bool target = keys == 100000;
            printRow("parse", shape, bench.parse(), false);
            printRow("lookups", shape, bench.lookups(), false);
            printRow("read", shape, bench.read(), target);
            printRow("write", shape, bench.write(), target);
            std::fflush(stdout);
            ok = ok && bench.allFound();
        }
    }
    if (!ok)
        std::printf("some keys were not found or some files not written\n");
    return ok ? 0 : 1;
}
