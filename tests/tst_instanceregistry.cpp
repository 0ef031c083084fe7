#include <QtTest>

#include "common/singleinstance.h"

namespace {
QStringList g_destroyedLog;

template <int N>
struct Probe
{
    ~Probe() { g_destroyedLog << QString::number(N); }
};
} // namespace

class tst_InstanceRegistry : public QObject
{
    Q_OBJECT

private slots:
    void sameObjectUntilDestroyed();
};

void tst_InstanceRegistry::sameObjectUntilDestroyed()
{
    using PageA = PageInstance<Probe<1>>;
    using PageB = PageInstance<Probe<2>>;
    using KitLow = KitInstance<Probe<10>, InstanceRegistry::RankIconFont>;
    using KitHigh = KitInstance<Probe<11>, InstanceRegistry::RankAppInit>;
    using KitMid = KitInstance<Probe<12>, InstanceRegistry::RankMessageBox>;

    // Kits built first and in an order unlike their ranks: ranks decide, not build order.
    auto *low = KitLow::get();
    auto *high = KitHigh::get();
    auto *mid = KitMid::get();
    auto *a = PageA::get();
    auto *b = PageB::get();
    QVERIFY(low && high && mid && a && b);
    QCOMPARE(KitLow::get(), low);
    QCOMPARE(PageA::get(), a);

    InstanceRegistry::destroyAll();
    // Pages newest first, then the kit from the highest rank down.
    QCOMPARE(g_destroyedLog, QStringList({"2", "1", "11", "12", "10"}));
    QVERIFY(!PageA::get());
    QVERIFY(!PageB::get());
    QVERIFY(!KitLow::get());
    QVERIFY(!KitHigh::get());

    InstanceRegistry::destroyAll();
    QCOMPARE(g_destroyedLog.size(), 5);
}

QTEST_GUILESS_MAIN(tst_InstanceRegistry)
#include "tst_instanceregistry.moc"
