#include "instanceregistry.h"

#include <QCoreApplication>
#include <QMutex>
#include <QMutexLocker>
#include <QVector>

#include <algorithm>
#include <cstdlib>

namespace {

struct KitEntry
{
    int rank;
    std::function<void()> destroy;
};

struct Registry
{
    QMutex mutex;
    QVector<std::function<void()>> pages;
    QVector<KitEntry> kits;
    bool atexitHooked = false;
    bool postRoutineHooked = false;
};

// Never destroyed, so that it is still there for the last exit handler.
Registry &registry()
{
    static Registry *r = new Registry;
    return *r;
}

void runAll() { InstanceRegistry::destroyAll(); }

} // namespace

void InstanceRegistry::addPage(std::function<void()> destroy)
{
    {
        QMutexLocker lock(&registry().mutex);
        registry().pages.append(std::move(destroy));
    }
    hookExit();
}

void InstanceRegistry::addKit(int rank, std::function<void()> destroy)
{
    {
        QMutexLocker lock(&registry().mutex);
        registry().kits.append({rank, std::move(destroy)});
    }
    hookExit();
}

void InstanceRegistry::hookExit()
{
    QMutexLocker lock(&registry().mutex);
    if (!registry().atexitHooked) {
        registry().atexitHooked = true;
        std::atexit(runAll);
    }
    if (!registry().postRoutineHooked && QCoreApplication::instance()) {
        registry().postRoutineHooked = true;
        qAddPostRoutine(runAll);
    }
}

void InstanceRegistry::destroyAll()
{
    // Take one at a time: a destructor may itself register or reach for an instance.
    for (;;) {
        std::function<void()> next;
        {
            QMutexLocker lock(&registry().mutex);
            Registry &r = registry();
            if (!r.pages.isEmpty()) {
                next = r.pages.takeLast();
            } else if (!r.kits.isEmpty()) {
                auto top = std::max_element(r.kits.begin(), r.kits.end(),
                                            [](const KitEntry &a, const KitEntry &b) {
                                                return a.rank < b.rank;
                                            });
                next = std::move(top->destroy);
                r.kits.erase(top);
            } else {
                // The application object is gone or going: hook the next one anew.
                r.postRoutineHooked = false;
                return;
            }
        }
        next();
    }
}
