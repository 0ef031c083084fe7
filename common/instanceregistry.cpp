#include "instanceregistry.h"

#include <QCoreApplication>
#include <QMutex>
#include <QMutexLocker>
#include <QVector>

#include <algorithm>
#include <cstdio>
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

// The process is ending through exit() while the application object still lives: Qt's X
// layer does so when its display connection breaks. Neither windows nor Qt's own data can be
// torn down safely then, so the process ends here, with the status exit() was given. The
// files are whole as they stand: the log is written entry by entry, and a settings save never
// stops halfway on this thread.
void runAtExit(int status, void *)
{
    if (!QCoreApplication::instance()) {
        InstanceRegistry::destroyAll();
        return;
    }
    std::fprintf(stderr,
                 "Kestrane 在运行中被结束（退出码 %d，如与显示的连接已断开）：窗口未逐个关闭，"
                 "设置和日志文件保持完整\n",
                 status);
    std::fflush(nullptr);
    std::_Exit(status);
}

void runAll()
{
    InstanceRegistry::destroyAll();
}

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
        // on_exit, unlike atexit, tells the status.
        on_exit(runAtExit, nullptr);
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
                auto top = std::max_element(
                    r.kits.begin(), r.kits.end(),
                    [](const KitEntry &a, const KitEntry &b) { return a.rank < b.rank; });
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
