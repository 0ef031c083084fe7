// One full repaint of a 1,000-row template table: with the record page's seventeen
// delegates (buttons and state images) against the same table with plain delegates.
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QImage>
#include <QScrollBar>
#include <QTableView>
#include <cstdio>
#include <vector>

#include "bench/median.h"
#include "common/shareddefs.h"
#include "records/recordtable.h"
#include "widgets/mymodel.h"

namespace {

constexpr int Rows = 1000;
constexpr int OperationsColumn = 12;

QList<ModelTemplateProItem> templateRows()
{
    QList<ModelTemplateProItem> list;
    for (int i = 0; i < Rows; ++i) {
        ModelTemplateProItem item;
        item.id = QString::number(i);
        item.fieldName = QStringLiteral("领域%1").arg(i % 7);
        item.location = QStringLiteral("site%1").arg(i % 13);
        item.templateProjName = QStringLiteral("project-%1").arg(i);
        item.operations = QStringLiteral("修改|删除|绘制|上传|部署");
        for (int c = 0; c < CameraCount; ++c)
            item.cameraStates[c] =
                (i + c) % 3 ? QStringLiteral("1已|2未|3已|4未|5已|6已|7未|8已") : QString();
        list.append(item);
    }
    return list;
}

// Paints every row of the view once, a view-port page at a time.
double repaintMs(QTableView &view, QImage &canvas)
{
    QElapsedTimer timer;
    timer.start();
    QScrollBar *bar = view.verticalScrollBar();
    const int page = view.viewport()->height() / view.rowHeight(0);
    for (int first = 0; first < Rows; first += page) {
        bar->setValue(first);
        view.viewport()->render(&canvas);
    }
    bar->setValue(0);
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // The template page's own table: button and state-image delegates over the record model.
    RecordTable table(2, g_templateHeaders, OperationsColumn, false);
    table.setOperationGlyphs({0xF013, 0xF014, 0xF0D0, 0xF0EE, 0xF0ED});
    table.showCameraStates();
    table.model()->setTemplateList(templateRows());
    QTableView &delegated = *table.view();
    QTableView plain;
    plain.setModel(table.model());

    int delegates = 0;
    for (int column = 0; column < table.model()->columnCount(); ++column)
        delegates += delegated.itemDelegateForColumn(column) != nullptr;
    int width = 0;
    for (const TableHeaderItem &column : g_templateHeaders)
        width += column.width;
    for (int i = 0; i < g_templateHeaders.size(); ++i)
        plain.horizontalHeader()->resizeSection(i, g_templateHeaders.at(i).width);
    plain.setSelectionBehavior(QAbstractItemView::SelectRows);
    for (QWidget *widget : {static_cast<QWidget *>(&plain), static_cast<QWidget *>(&table)}) {
        widget->resize(width + 60, 1000);
        widget->show();
    }
    QApplication::processEvents();
    QImage canvas(delegated.viewport()->size(), QImage::Format_ARGB32_Premultiplied);

    // Median of interleaved runs, after one warm-up run of each.
    constexpr int Repetitions = 7;
    std::vector<double> plainMs, delegatedMs;
    for (int run = 0; run <= Repetitions; ++run) {
        const double p = repaintMs(plain, canvas);
        const double d = repaintMs(delegated, canvas);
        if (run > 0) {
            plainMs.push_back(p);
            delegatedMs.push_back(d);
        }
    }
    const double medianPlain = median(plainMs);
    const double medianDelegated = median(delegatedMs);
    std::printf("%d rows x %d columns (%d px wide), %d delegates\n", Rows,
                table.model()->columnCount(), width, delegates);
    std::printf(
        "full repaint: delegates %.1f ms   plain QStyledItemDelegate %.1f ms   ratio %.2f (median "
        "of %d)\n",
        medianDelegated, medianPlain, medianDelegated / medianPlain, Repetitions);
    return 0;
}
