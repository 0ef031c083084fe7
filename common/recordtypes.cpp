#include "recordtypes.h"

#include <QtGlobal>

// Registered by name so that models can hand whole records through QVariant and
// queued connections can carry them.
static void registerRecordTypes()
{
    qRegisterMetaType<ModelCraftDataItem>("ModelCraftDataItem");
    qRegisterMetaType<ModelCraftAlgorithmItem>("ModelCraftAlgorithmItem");
    qRegisterMetaType<ModelTemplateProItem>("ModelTemplateProItem");
    qRegisterMetaType<ModelUserInfoItem>("ModelUserInfoItem");
}
Q_CONSTRUCTOR_FUNCTION(registerRecordTypes)
