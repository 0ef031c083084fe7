#include <QtTest>

#include "config/craftfileparser.h"

namespace {
// The tree as "name(child,child)" text, to compare whole trees at once.
QString outline(const QList<VehicleConfig> &nodes)
{
    QStringList parts;
    for (const VehicleConfig &node : nodes) {
        QString part = node.name;
        if (!node.children.isEmpty())
            part += '(' + outline(node.children) + ')';
        parts << part;
    }
    return parts.join(',');
}

QString nested(int depth)
{
    QString text = R"({"configurationName":"leaf"})";
    for (int i = 0; i < depth; ++i)
        text = QString(R"({"configurationName":"n","children":[%1]})").arg(text);
    return '[' + text + ']';
}
} // namespace

class tst_CraftFileParser : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void failureLeavesNoPartialTree();
};

void tst_CraftFileParser::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("tree");

    QTest::newRow("empty list") << "[]" << true << "";
    QTest::newRow("three levels") << R"([{"configurationName":"车体","type":"region","children":[
               {"configurationName":"转向架","children":[{"configurationName":"螺栓"}]},
               {"configurationName":"车钩"}]},
              {"configurationName":"车顶"}])"
                                  << true << "车体(转向架(螺栓),车钩),车顶";
    QTest::newRow("not json") << "<html>502</html>" << false << "";
    QTest::newRow("empty text") << "" << false << "";
    QTest::newRow("object at top") << R"({"configurationName":"a"})" << false << "";
    QTest::newRow("node without name") << R"([{"type":"region"}])" << false << "";
    QTest::newRow("name not text") << R"([{"configurationName":7}])" << false << "";
    QTest::newRow("node not object") << R"(["a"])" << false << "";
    QTest::newRow("children not list")
        << R"([{"configurationName":"a","children":{"configurationName":"b"}}])" << false << "";
    QTest::newRow("bad node deep down")
        << R"([{"configurationName":"a","children":[{"configurationName":"b","children":[{}]}]}])"
        << false << "";
    QTest::newRow("nesting within limit")
        << nested(20) << true << QString("n(").repeated(20) + "leaf" + QString(")").repeated(20);
    QTest::newRow("hostile nesting") << nested(200) << false << "";
}

void tst_CraftFileParser::parse()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(QString, tree);

    QList<VehicleConfig> roots;
    QString error;
    QCOMPARE(parseCraftFile(text, &roots, &error), ok);
    QCOMPARE(outline(roots), tree);
    QCOMPARE(error.isEmpty(), ok);
}

void tst_CraftFileParser::failureLeavesNoPartialTree()
{
    QList<VehicleConfig> roots{{"old", {}, {}}};
    QString error;
    QVERIFY(!parseCraftFile(R"([{"configurationName":"a"},{"bad":1}])", &roots, &error));
    QVERIFY(roots.isEmpty());
}

QTEST_GUILESS_MAIN(tst_CraftFileParser)
#include "tst_craftfileparser.moc"
