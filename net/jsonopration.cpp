#include "jsonopration.h"

#include "common/singleinstance.h"

JsonOpration *JsonOpration::Instance()
{
    return PageInstance<JsonOpration>::get();
}

JsonOpration::JsonOpration(QObject *parent) : QObject(parent) {}
