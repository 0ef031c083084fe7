#include <QAbstractItemModelTester>
#include <QtTest>
#include <memory>
#include <vector>

#include "config/vehicleconfig.h"
#include "widgets/treefilterproxymodel.h"
#include "widgets/treeitem.h"
#include "widgets/treemodel.h"

namespace {

// Builds and prints trees written as "A(B(C) D) E": a name, its children in brackets.
class TreeBuilder
{
public:
    explicit TreeBuilder(TreeModel &model) : m_model(model) {}

    void build(const QString &tree)
    {
        int pos = 0;
        parseChildren(m_model.rootItem(), tree.simplified(), pos);
    }

    TreeItem *add(TreeItem *parent, const QString &name)
    {
        m_records.push_back(std::make_unique<VehicleConfig>());
        m_records.back()->name = name;
        auto *node = new TreeItem(parent);
        node->setPayload(m_records.back().get());
        parent->appendChild(node);
        return node;
    }

    std::vector<std::unique_ptr<VehicleConfig>> m_records;

private:
    void parseChildren(TreeItem *parent, const QString &text, int &pos)
    {
        while (pos < text.size() && text.at(pos) != ')') {
            if (text.at(pos) == ' ') {
                ++pos;
                continue;
            }
            QString name;
            while (pos < text.size() && !QStringLiteral("() ").contains(text.at(pos)))
                name += text.at(pos++);
            TreeItem *node = add(parent, name);
            if (pos < text.size() && text.at(pos) == '(') {
                ++pos;
                parseChildren(node, text, pos);
                ++pos; // ')'
            }
        }
    }

    TreeModel &m_model;
};

QString print(const QAbstractItemModel &model, const QModelIndex &parent = QModelIndex())
{
    QStringList parts;
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        QString part = index.data().toString();
        if (model.rowCount(index) > 0)
            part += "(" + print(model, index) + ")";
        parts << part;
    }
    return parts.join(' ');
}

// What the filter should show under node: every child that matches or has a match below.
QString expectedShown(const TreeItem *node, const QRegExp &pattern)
{
    QStringList parts;
    for (int row = 0; row < node->childCount(); ++row) {
        const TreeItem *child = node->child(row);
        const QString below = expectedShown(child, pattern);
        const QString name = child->data(0).toString();
        if (!below.isEmpty())
            parts << name + "(" + below + ")";
        else if (name.contains(pattern))
            parts << name;
    }
    return parts.join(' ');
}

QModelIndex sourceIndex(const TreeModel &model, const TreeItem *node)
{
    if (node == model.rootItem())
        return QModelIndex();
    return model.index(node->row(), 0, sourceIndex(model, node->parentItem()));
}

void collectNodes(TreeItem *node, QVector<TreeItem *> &nodes)
{
    nodes << node;
    for (int row = 0; row < node->childCount(); ++row)
        collectNodes(node->child(row), nodes);
}

} // namespace

class tst_TreeModel : public QObject
{
    Q_OBJECT

private slots:
    void newModel();
    void indexParentScheme();
    void dataAndHeader();
    void itemLookups();
    void insertRowsOnlyNotifies();
    void removeRowsWithSubtrees();
    void removeKeepsRowsTrue();
    void removeRowsRejectsBadRanges();
    void removeChildOutOfRange();
    void columnsUnchanged();
    void filter_data();
    void filter();
    void filterFollowsRemovalAndPatternChange();
    void filterFollowsRandomEdits_data();
    void filterFollowsRandomEdits();
};

void tst_TreeModel::newModel()
{
    TreeModel model({""});
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.columnCount(), 1);
    QVERIFY(model.rootItem());
    QVERIFY(!model.rootItem()->payload());
    QVERIFY(!model.rootItem()->data(0).isValid());
}

void tst_TreeModel::indexParentScheme()
{
    TreeModel model({"name", "second"});
    TreeBuilder builder(model);
    builder.build("A(C) B");
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);

    const QModelIndex a = model.index(0, 0);
    const QModelIndex b = model.index(1, 0);
    QCOMPARE(b.internalPointer(), static_cast<void *>(model.rootItem()->child(1)));
    QVERIFY(!model.parent(b).isValid());
    const QModelIndex c = model.index(0, 0, a);
    QCOMPARE(c.data().toString(), QStringLiteral("C"));
    const QModelIndex parentOfC = model.parent(c);
    QCOMPARE(parentOfC.row(), 0);
    QCOMPARE(parentOfC.column(), 0);
    QCOMPARE(parentOfC.internalPointer(), a.internalPointer());
    // A parent in column 1 has no rows, although its node has children.
    QCOMPARE(model.rowCount(model.index(0, 1)), 0);
    QCOMPARE(model.rowCount(a), 1);
    QVERIFY(!model.index(2, 0).isValid());
    QVERIFY(!model.index(0, 2).isValid());
    QVERIFY(!model.index(-1, 0).isValid());
    QVERIFY(!model.parent(QModelIndex()).isValid());
}

void tst_TreeModel::dataAndHeader()
{
    TreeModel model({"name", "second"});
    TreeBuilder builder(model);
    builder.build("Region");
    const QModelIndex region = model.index(0, 0);
    QCOMPARE(region.data(Qt::DisplayRole).toString(), QStringLiteral("Region"));
    QVERIFY(!model.index(0, 1).data(Qt::DisplayRole).isValid());
    QVERIFY(!region.data(Qt::ToolTipRole).isValid());
    QVERIFY(!region.data(Qt::EditRole).isValid());
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("second"));
    QVERIFY(!model.headerData(0, Qt::Vertical).isValid());
    QVERIFY(!model.headerData(0, Qt::Horizontal, Qt::ToolTipRole).isValid());
    QVERIFY(!model.headerData(2, Qt::Horizontal).isValid());
}

void tst_TreeModel::itemLookups()
{
    TreeModel model({""});
    TreeBuilder builder(model);
    builder.build("A(B)");
    QCOMPARE(model.item(QModelIndex()), nullptr);
    QCOMPARE(model.itemFromIndex(QModelIndex()), model.rootItem());
    const QModelIndex b = model.index(0, 0, model.index(0, 0));
    QCOMPARE(model.item(b), model.rootItem()->child(0)->child(0));
    QCOMPARE(model.itemFromIndex(b), model.item(b));
    QCOMPARE(model.item(b)->payload()->name, QStringLiteral("B"));
}

void tst_TreeModel::insertRowsOnlyNotifies()
{
    TreeModel model({""});
    TreeBuilder builder(model);
    builder.build("A(x y) B");
    // The tester reads the rows when the insertion is announced and again when it is done.
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    const QModelIndex a = model.index(0, 0);
    QSignalSpy aboutToInsert(&model, &QAbstractItemModel::rowsAboutToBeInserted);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);

    builder.add(model.itemFromIndex(a), "z");
    QCOMPARE(model.rowCount(a), 3);
    QVERIFY(model.insertRows(2, 1, a));
    QCOMPARE(model.rowCount(a), 3);
    QCOMPARE(aboutToInsert.count(), 1);
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(inserted.at(0).at(0).value<QModelIndex>(), a);
    QCOMPARE(inserted.at(0).at(1).toInt(), 2);
    QCOMPARE(inserted.at(0).at(2).toInt(), 2);
    QCOMPARE(model.index(2, 0, a).data().toString(), QStringLiteral("z"));
    QCOMPARE(model.parent(model.index(2, 0, a)), a);
    QCOMPARE(print(model), QStringLiteral("A(x y z) B"));

    // Rows that were never appended are not announced.
    QVERIFY(!model.insertRows(3, 1, a));
    QVERIFY(!model.insertRows(2, 2, a));
    QVERIFY(!model.insertRows(0, 0, a));
    QVERIFY(!model.insertRows(-1, 1, a));
    QCOMPARE(aboutToInsert.count(), 1);
}

void tst_TreeModel::removeRowsWithSubtrees()
{
    TreeModel model({""});
    TreeBuilder builder(model);
    builder.build("R(P1(I1 I2) P2(I3) P3(I4))");
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    const QModelIndex r = model.index(0, 0);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QVERIFY(model.removeRows(0, 2, r));
    QCOMPARE(print(model), QStringLiteral("R(P3(I4))"));
    QCOMPARE(removed.count(), 1);
    QCOMPARE(removed.at(0).at(1).toInt(), 0);
    QCOMPARE(removed.at(0).at(2).toInt(), 1);
    // The records belong to their owner and outlive the nodes.
    QCOMPARE(builder.m_records.size(), size_t(8));
    QCOMPARE(builder.m_records.at(1)->name, QStringLiteral("P1"));
    QCOMPARE(builder.m_records.at(2)->name, QStringLiteral("I1"));
}

void tst_TreeModel::removeKeepsRowsTrue()
{
    TreeModel model({""});
    TreeBuilder builder(model);
    builder.build("A B(b1 b2) C(c1)");
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QVERIFY(model.removeRows(0, 1));
    QCOMPARE(model.rootItem()->child(0)->row(), 0);
    QCOMPARE(model.rootItem()->child(1)->row(), 1);
    const QModelIndex c1 = model.index(0, 0, model.index(1, 0));
    QCOMPARE(c1.data().toString(), QStringLiteral("c1"));
    QCOMPARE(model.parent(c1).row(), 1);
    QCOMPARE(model.parent(c1), model.index(1, 0));
    QVERIFY(model.removeRows(0, 1, model.index(0, 0)));
    QCOMPARE(model.parent(model.index(0, 0, model.index(0, 0))).row(), 0);
    QCOMPARE(print(model), QStringLiteral("B(b2) C(c1)"));
}

void tst_TreeModel::removeRowsRejectsBadRanges()
{
    TreeModel model({""});
    TreeBuilder builder(model);
    builder.build("A(a1) B");
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy removing(&model, &QAbstractItemModel::rowsAboutToBeRemoved);
    QVERIFY(!model.removeRows(2, 1));
    QVERIFY(!model.removeRows(1, 2));
    QVERIFY(!model.removeRows(-1, 1));
    QVERIFY(!model.removeRows(0, 0));
    QVERIFY(!model.removeRows(1, 1, model.index(0, 0)));
    QCOMPARE(removing.count(), 0);
    QCOMPARE(print(model), QStringLiteral("A(a1) B"));
}

void tst_TreeModel::removeChildOutOfRange()
{
    TreeModel model({""});
    TreeBuilder builder(model);
    builder.build("A B");
    model.rootItem()->removeChild(2);
    model.rootItem()->removeChild(-1);
    QCOMPARE(model.rootItem()->childCount(), 2);
    QCOMPARE(model.rootItem()->child(2), nullptr);
    TreeItem loose(nullptr);
    QCOMPARE(loose.row(), -1);
}

void tst_TreeModel::columnsUnchanged()
{
    TreeModel model({"a", "b"});
    QVERIFY(model.insertColumns(0, 3));
    QVERIFY(model.removeColumns(0, 2));
    QCOMPARE(model.columnCount(), 2);
}

void tst_TreeModel::filter_data()
{
    QTest::addColumn<QString>("tree");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("shown");
    QTest::newRow("item matches: ancestors kept") << "Region(Part(Item))"
                                                  << "item"
                                                  << "Region(Part(Item))";
    QTest::newRow("region matches: children hidden") << "Region(Part(Item))"
                                                     << "region"
                                                     << "Region";
    QTest::newRow("part matches: item hidden") << "Region(Part(Item))"
                                               << "part"
                                               << "Region(Part)";
    QTest::newRow("siblings of a match hidden") << "R(P1(I1 I2) P2(I3))"
                                                << "i3"
                                                << "R(P2(I3))";
    QTest::newRow("several matches") << "R1(P(bolt)) R2(Q(nut)) R3(S(bolt2))"
                                     << "bolt"
                                     << "R1(P(bolt)) R3(S(bolt2))";
    QTest::newRow("nothing matches") << "R(P(I))"
                                     << "zzz"
                                     << "";
    QTest::newRow("empty pattern shows all") << "R(P(I)) S"
                                             << ""
                                             << "R(P(I)) S";
}

void tst_TreeModel::filter()
{
    QFETCH(QString, tree);
    QFETCH(QString, pattern);
    QFETCH(QString, shown);
    TreeModel model({""});
    TreeBuilder builder(model);
    builder.build(tree);
    TreeFilterProxyModel proxy;
    QAbstractItemModelTester tester(&proxy, QAbstractItemModelTester::FailureReportingMode::QtTest);
    proxy.setSourceModel(&model);
    proxy.setFilterRegExp(QRegExp(pattern, Qt::CaseInsensitive, QRegExp::FixedString));
    QCOMPARE(print(proxy), shown);
    QCOMPARE(proxy.columnCount(), 1);
}

void tst_TreeModel::filterFollowsRemovalAndPatternChange()
{
    TreeModel model({""});
    TreeBuilder builder(model);
    builder.build("R1(P(bolt)) R2(Q(nut) T(bolt))");
    TreeFilterProxyModel proxy;
    QAbstractItemModelTester tester(&proxy, QAbstractItemModelTester::FailureReportingMode::QtTest);
    proxy.setSourceModel(&model);
    proxy.setFilterRegExp(QRegExp("bo.t", Qt::CaseInsensitive, QRegExp::RegExp));
    QCOMPARE(print(proxy), QStringLiteral("R1(P(bolt)) R2(T(bolt))"));
    QVERIFY(model.removeRows(0, 1));
    QCOMPARE(print(proxy), QStringLiteral("R2(T(bolt))"));
    proxy.setFilterRegExp(QRegExp("n*", Qt::CaseInsensitive, QRegExp::Wildcard));
    QCOMPARE(print(proxy), QStringLiteral("R2(Q(nut))"));
    // Proxy indexes are mapped to the source before the node is asked for.
    const QModelIndex nut = proxy.index(0, 0, proxy.index(0, 0, proxy.index(0, 0)));
    QCOMPARE(model.item(proxy.mapToSource(nut))->payload()->name, QStringLiteral("nut"));
}

void tst_TreeModel::filterFollowsRandomEdits_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("startNodes");
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("addWeight");
    QTest::addColumn<int>("removeWeight");
    QTest::addColumn<int>("patternWeight");
    for (quint32 seed : {1u, 2u, 3u})
        QTest::addRow("mixed, seed %u", seed) << seed << 0 << 3000 << 5 << 3 << 2;
    for (quint32 seed : {4u, 5u, 6u})
        QTest::addRow("removals only, seed %u", seed) << seed << 400 << 400 << 0 << 1 << 0;
}

// Edits the tree the way the configuration editor does (append the node, then announce
// it; remove through the model) and checks what the filter shows against the rule.
void tst_TreeModel::filterFollowsRandomEdits()
{
    QFETCH(quint32, seed);
    QFETCH(int, startNodes);
    QFETCH(int, steps);
    QFETCH(int, addWeight);
    QFETCH(int, removeWeight);
    QFETCH(int, patternWeight);
    const QStringList names{"ab", "bc", "cd", "de", "ea"};
    const QStringList patterns{"", "a", "b", "c", "d", "e", "ab", "zz"};
    QRandomGenerator random(seed);
    auto pick = [&random](const auto &list) { return list.at(random.bounded(list.size())); };

    TreeModel model({""});
    TreeBuilder builder(model);
    // Built before the proxy sees the model, as the loader does.
    for (int i = 0; i < startNodes; ++i) {
        QVector<TreeItem *> nodes;
        collectNodes(model.rootItem(), nodes);
        builder.add(pick(nodes), pick(names));
    }
    TreeFilterProxyModel proxy;
    QAbstractItemModelTester tester(&proxy, QAbstractItemModelTester::FailureReportingMode::QtTest);
    proxy.setSourceModel(&model);
    QRegExp pattern(pick(names).left(1), Qt::CaseInsensitive, QRegExp::FixedString);
    proxy.setFilterRegExp(pattern);

    int violations = 0;
    int firstViolation = -1;
    for (int step = 0; step < steps; ++step) {
        QVector<TreeItem *> nodes;
        collectNodes(model.rootItem(), nodes);
        const int choice = random.bounded(addWeight + removeWeight + patternWeight);
        if (nodes.size() == 1 && addWeight == 0)
            break;
        if (choice < addWeight || nodes.size() == 1) {
            TreeItem *parent = pick(nodes);
            builder.add(parent, pick(names));
            const int row = parent->childCount() - 1;
            QVERIFY(model.insertRows(row, 1, sourceIndex(model, parent)));
        } else if (choice < addWeight + removeWeight) {
            const TreeItem *node = nodes.at(1 + random.bounded(nodes.size() - 1));
            QVERIFY(model.removeRows(node->row(), 1, sourceIndex(model, node->parentItem())));
        } else {
            pattern.setPattern(pick(patterns));
            proxy.setFilterRegExp(pattern);
        }
        if (QTest::currentTestFailed())
            return;
        // About half the steps: walking the proxy looks into every shown node, which would
        // hide faults with nodes that no view has asked about yet.
        if (random.bounded(2) == 0 && print(proxy) != expectedShown(model.rootItem(), pattern)) {
            ++violations;
            if (firstViolation < 0)
                firstViolation = step;
        }
    }
    QVERIFY2(violations == 0, qPrintable(QStringLiteral("%1 violations, the first at step %2")
                                             .arg(violations)
                                             .arg(firstViolation)));
}

QTEST_MAIN(tst_TreeModel)
#include "tst_treemodel.moc"
