// One full repaint of a 1,000-row template table: with the record page's seventeen
// delegates (buttons and state images) against the same table with plain delegates.
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "common/shareddefs.h"
#include "widgets/delegatetool.h"
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

QIcon faceIcon(const QColor &color)
{
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(color);
    painter.drawEllipse(2, 2, 16, 16);
    return QIcon(pixmap);
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
    QStringList captions;
    for (const TableHeaderItem &item : g_templateHeaders)
        captions << item.text;
    MyModel model;
    model.setModelType(2);
    model.setHeaders(captions);
    model.setTemplateList(templateRows());

    QTableView plain, delegated;
    std::vector<std::unique_ptr<DelegateTool>> delegates;
    auto buttons = std::make_unique<DelegateTool>();
    buttons->setDelegateType(QStringLiteral("QPushButton"));
    buttons->setDelegateColumn(OperationsColumn);
    buttons->setPushButtonIcons({faceIcon(Qt::blue), faceIcon(Qt::red), faceIcon(Qt::green),
                                 faceIcon(Qt::darkYellow), faceIcon(Qt::magenta)});
    delegated.setItemDelegateForColumn(OperationsColumn, buttons.get());
    delegates.push_back(std::move(buttons));
    for (int column = TemplateCameraColumn; column < TemplateCameraColumn + CameraCount; ++column) {
        auto states = std::make_unique<DelegateTool>();
        states->setDelegateType(QStringLiteral("QPixmap"));
        states->setCheckColumn(column);
        states->setDelegateColumn(column);
        states->setCheckType(QStringLiteral("state"));
        states->setCheckValue(QStringLiteral("未"));
        delegated.setItemDelegateForColumn(column, states.get());
        delegates.push_back(std::move(states));
    }

    int width = 0;
    for (QTableView *view : {&plain, &delegated}) {
        view->setModel(&model);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        width = 0;
        for (int i = 0; i < g_templateHeaders.size(); ++i) {
            view->horizontalHeader()->resizeSection(i, g_templateHeaders.at(i).width);
            width += g_templateHeaders.at(i).width;
        }
        view->resize(width + 60, 1000);
        view->show();
    }
    QApplication::processEvents();
    QImage canvas(delegated.viewport()->size(), QImage::Format_ARGB32_Premultiplied);

    double bestPlain = 1e9, bestDelegated = 1e9;
    for (int run = 0; run < 5; ++run) {
        bestPlain = std::min(bestPlain, repaintMs(plain, canvas));
        bestDelegated = std::min(bestDelegated, repaintMs(delegated, canvas));
    }
    std::printf("%d rows x %d columns (%d px wide), %zu delegates\n", Rows, model.columnCount(),
                width, delegates.size());
    std::printf(
        "full repaint: delegates %.1f ms   plain QStyledItemDelegate %.1f ms   ratio %.2f\n",
        bestDelegated, bestPlain, bestDelegated / bestPlain);
    return 0;
}
