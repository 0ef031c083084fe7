// Filtering a 100,000-row template table by one column: our proxy against Qt's fixed-string
// filter, narrowing and then widening to every row.
#include <QApplication>
#include <QElapsedTimer>
#include <QSortFilterProxyModel>
#include <QStringList>
#include <QTableView>
#include <cstdio>
#include <functional>
#include <utility>
#include <vector>

#include "bench/median.h"
#include "common/shareddefs.h"
#include "widgets/mymodel.h"
#include "widgets/mysortfilterproxymodel.h"

namespace {

constexpr int Rows = 100000;
constexpr int FilterColumn = 5;

QList<ModelTemplateProItem> templateRows()
{
    QList<ModelTemplateProItem> list;
    list.reserve(Rows);
    for (int i = 0; i < Rows; ++i) {
        ModelTemplateProItem item;
        item.id = QString::number(i);
        item.fieldName = QStringLiteral("field%1").arg(i % 7);
        item.location = QStringLiteral("site%1").arg(i % 13);
        item.lineName = QStringLiteral("line%1").arg(i % 5);
        item.vehicleType = QStringLiteral("CRH%1").arg(i % 9);
        item.templateProjName = QStringLiteral("project-%1").arg(i);
        item.templateVersion = QStringLiteral("1.%1").arg(i % 10);
        item.technologyFileName = QStringLiteral("tech%1").arg(i % 50);
        item.technologyFileVersion = QStringLiteral("2.%1").arg(i % 4);
        item.cameraCount = QStringLiteral("16");
        item.updateTime = QStringLiteral("2026-12-07 05:00:00");
        item.remoteVersion = QStringLiteral("3");
        item.operations = QStringLiteral("修改|删除|绘制|上传|部署");
        for (QString &state : item.cameraStates)
            state = QStringLiteral("1已|2未|3已|4未|5已|6已|7未|8已");
        list.append(item);
    }
    return list;
}

constexpr int Repetitions = 7;

// One timed side: `setup` brings the proxy to its starting filter, untimed.
struct Side
{
    std::function<void()> setup;
    std::function<void()> work;
};

// Median milliseconds of each side over interleaved repetitions, after one warm-up round.
std::pair<double, double> medianMs(const Side &ours, const Side &qt)
{
    std::vector<double> times[2];
    for (int rep = 0; rep <= Repetitions; ++rep) {
        for (int k = 0; k < 2; ++k) {
            const int s = (k + rep) % 2; // each side goes first every other round
            const Side &side = s == 0 ? ours : qt;
            side.setup();
            QElapsedTimer timer;
            timer.start();
            side.work();
            if (rep > 0)
                times[s].push_back(timer.nsecsElapsed() / 1e6);
        }
    }
    return {median(times[0]), median(times[1])};
}

// Both proxies over the same table, with what the last timed change showed.
struct Proxies
{
    MySortFilterProxyModel &ours;
    QSortFilterProxyModel &qt;
    int fromRows = 0;
    int shownOurs = 0;
    int shownQt = 0;
};

// Median milliseconds of changing each proxy's filter from one text to another.
std::pair<double, double> filterChangeMs(Proxies &p, const QString &from, const QString &to)
{
    return medianMs({[&] {
                         p.ours.SetFilterMap({{FilterColumn, from}});
                         p.ours.rowCount();
                     },
                     [&] {
                         p.ours.SetFilterMap({{FilterColumn, to}});
                         p.shownOurs = p.ours.rowCount();
                     }},
                    {[&] {
                         p.qt.setFilterFixedString(from);
                         p.fromRows = p.qt.rowCount();
                     },
                     [&] {
                         p.qt.setFilterFixedString(to);
                         p.shownQt = p.qt.rowCount();
                     }});
}

void report(const char *what, double ours, double qt)
{
    std::printf("%-40s ours %8.1f ms   Qt %8.1f ms   ratio %.2f (median of %d)\n", what, ours, qt,
                ours / qt, Repetitions);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QStringList captions;
    for (const TableHeaderItem &item : g_templateHeaders)
        captions << item.text;
    MyModel model;
    model.setModelType(2);
    model.setHeaders(captions);
    model.setTemplateList(templateRows());

    MySortFilterProxyModel ours;
    ours.setSourceModel(&model);
    QSortFilterProxyModel qt;
    qt.setSourceModel(&model);
    qt.setFilterKeyColumn(FilterColumn);
    qt.setFilterCaseSensitivity(Qt::CaseSensitive);
    // Each proxy is shown in a table, as the record pages show it.
    QTableView oursView, qtView;
    oursView.setModel(&ours);
    qtView.setModel(&qt);
    for (QTableView *view : {&oursView, &qtView}) {
        view->resize(1200, 800);
        view->show();
    }
    QApplication::processEvents();

    const QString narrow = QStringLiteral("project-9999"); // 11 rows
    const QString everyRow = QStringLiteral("project-");
    Proxies proxies{ours, qt};

    const auto narrowMs = filterChangeMs(proxies, everyRow, narrow);
    std::printf("%d template rows, %d columns; narrow filter shows ours %d, Qt %d rows\n", Rows,
                model.columnCount(), proxies.shownOurs, proxies.shownQt);
    report("narrowing to one text in one column", narrowMs.first, narrowMs.second);

    // Widening inserts every gap between the narrow filter's rows; scattered rows make many gaps.
    for (const QString &from : {narrow, QStringLiteral("777")}) {
        const auto widenMs = filterChangeMs(proxies, from, everyRow);
        std::printf("widening from \"%s\" (%d rows) shows ours %d, Qt %d rows\n", qPrintable(from),
                    proxies.fromRows, proxies.shownOurs, proxies.shownQt);
        report("widening to every row", widenMs.first, widenMs.second);
    }
    return 0;
}
