#pragma once

#include <QAtomicPointer>
#include <QMutex>
#include <QMutexLocker>
#include <QObject>

#include <type_traits>

#include "common/instanceregistry.h"

// Windows, pages and managers: built once on the first call behind a function-level
// static, destroyed at exit before the kit's instances; null afterwards.
template <typename T>
class PageInstance
{
public:
    static T *get()
    {
        static const bool built = build();
        Q_UNUSED(built);
        return s_instance.loadAcquire();
    }

private:
    static bool build()
    {
        T *object = new T;
        s_instance.storeRelease(object);
        if constexpr (std::is_base_of_v<QObject, T>) {
            // A window may adopt a page as its child and delete it: forget the page
            // then, so that it is deleted once and later calls see null.
            QObject::connect(object, &QObject::destroyed, [] { s_instance.storeRelease(nullptr); });
        }
        InstanceRegistry::addPage([] { delete s_instance.fetchAndStoreOrdered(nullptr); });
        return true;
    }
    static inline QAtomicPointer<T> s_instance;
};

// The kit's instances: the pointer is tested, then a mutex made on first use is taken
// and the pointer tested again before the object is built. Destroyed at exit by rank;
// null afterwards.
template <typename T, int Rank>
class KitInstance
{
public:
    static T *get()
    {
        if (T *existing = s_instance.loadAcquire())
            return existing;
        static QMutex mutex;
        QMutexLocker lock(&mutex);
        if (!s_instance.loadAcquire() && !s_destroyed) {
            s_instance.storeRelease(new T);
            InstanceRegistry::addKit(Rank, [] {
                s_destroyed = true;
                delete s_instance.fetchAndStoreOrdered(nullptr);
            });
        }
        return s_instance.loadAcquire();
    }

private:
    static inline QAtomicPointer<T> s_instance;
    static inline bool s_destroyed = false;
};
