#include "mymodel.h"

#include "common/shareddefs.h"

namespace {

enum Kind
{
    CraftKind = 0,
    AlgorithmKind = 1,
    TemplateKind = 2
};

// Column to field, in the records' declaration order. The craft file path is never shown.
using CraftField = QString ModelCraftDataItem::*;
const CraftField craftFields[] = {
    &ModelCraftDataItem::id,          &ModelCraftDataItem::fieldName,
    &ModelCraftDataItem::vehicleType, &ModelCraftDataItem::manufacture,
    &ModelCraftDataItem::fileName,    &ModelCraftDataItem::fileVersion,
    &ModelCraftDataItem::updateTime,  &ModelCraftDataItem::remoteVersion,
    &ModelCraftDataItem::operations,
};

using AlgorithmField = QString ModelCraftAlgorithmItem::*;
const AlgorithmField algorithmFields[] = {
    &ModelCraftAlgorithmItem::id,        &ModelCraftAlgorithmItem::algorithmCode,
    &ModelCraftAlgorithmItem::fieldName, &ModelCraftAlgorithmItem::algorithmName,
    &ModelCraftAlgorithmItem::remark,    &ModelCraftAlgorithmItem::operations,
};

// The columns before the camera states, which start at TemplateCameraColumn.
using TemplateField = QString ModelTemplateProItem::*;
const TemplateField templateFields[] = {
    &ModelTemplateProItem::id,
    &ModelTemplateProItem::fieldName,
    &ModelTemplateProItem::location,
    &ModelTemplateProItem::lineName,
    &ModelTemplateProItem::vehicleType,
    &ModelTemplateProItem::templateProjName,
    &ModelTemplateProItem::templateVersion,
    &ModelTemplateProItem::technologyFileName,
    &ModelTemplateProItem::technologyFileVersion,
    &ModelTemplateProItem::cameraCount,
    &ModelTemplateProItem::updateTime,
    &ModelTemplateProItem::remoteVersion,
    &ModelTemplateProItem::operations,
};

constexpr int craftColumns = int(sizeof(craftFields) / sizeof(craftFields[0]));
constexpr int algorithmColumns = int(sizeof(algorithmFields) / sizeof(algorithmFields[0]));
static_assert(int(sizeof(templateFields) / sizeof(templateFields[0])) == TemplateCameraColumn,
              "one template field per column before the camera states");
constexpr int templateColumns = TemplateCameraColumn + CameraCount;

template <typename Item> auto templateField(Item &item, int column) -> decltype(&item.id)
{
    if (column < TemplateCameraColumn)
        return &(item.*templateFields[column]);
    return &item.cameraStates[column - TemplateCameraColumn];
}

template <typename List> void removeRange(List &list, int row, int count)
{
    list.erase(list.begin() + row, list.begin() + row + count);
}

} // namespace

MyModel::MyModel(QObject *parent) : QAbstractTableModel(parent) {}

MyModel::~MyModel() = default;

void MyModel::setModelType(int type)
{
    m_modelType = type;
}

void MyModel::setHeaders(const QStringList &headers)
{
    this->headers = headers;
}

void MyModel::setCraftList(const QList<ModelCraftDataItem> &list)
{
    beginResetModel();
    craftList = list;
    endResetModel();
}

void MyModel::setAlgorithmList(const QList<ModelCraftAlgorithmItem> &list)
{
    beginResetModel();
    algorithmList = list;
    endResetModel();
}

void MyModel::setTemplateList(const QList<ModelTemplateProItem> &list)
{
    beginResetModel();
    templateList = list;
    endResetModel();
}

int MyModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    switch (m_modelType) {
    case CraftKind:
        return craftList.size();
    case AlgorithmKind:
        return algorithmList.size();
    case TemplateKind:
        return templateList.size();
    default:
        return 0;
    }
}

int MyModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : headers.size();
}

// Non-const callers index the lists with operator[], which detaches before the write.
template <typename Self>
auto MyModel::fieldOf(Self &self, int row, int column) -> decltype(&self.craftList[0].id)
{
    if (row < 0 || row >= self.rowCount() || column < 0)
        return nullptr;
    switch (self.m_modelType) {
    case CraftKind:
        return column < craftColumns ? &(self.craftList[row].*craftFields[column]) : nullptr;
    case AlgorithmKind:
        return column < algorithmColumns ? &(self.algorithmList[row].*algorithmFields[column])
                                         : nullptr;
    case TemplateKind:
        return column < templateColumns ? templateField(self.templateList[row], column) : nullptr;
    default:
        return nullptr;
    }
}

QVariant MyModel::recordAt(int row) const
{
    if (row < 0 || row >= rowCount())
        return QVariant();
    switch (m_modelType) {
    case CraftKind:
        return QVariant::fromValue(craftList.at(row));
    case AlgorithmKind:
        return QVariant::fromValue(algorithmList.at(row));
    case TemplateKind:
        return QVariant::fromValue(templateList.at(row));
    default:
        return QVariant();
    }
}

QVariant MyModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    switch (role) {
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (const QString *field = fieldOf(*this, index.row(), index.column()))
            return *field;
        return QVariant();
    case Qt::UserRole:
        return recordAt(index.row());
    default:
        return QVariant();
    }
}

bool MyModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return false;
    QString *field = fieldOf(*this, index.row(), index.column());
    if (!field)
        return false;
    *field = value.toString();
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

QVariant MyModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < headers.size())
        return headers.at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

bool MyModel::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || count < 1 || row + count > rowCount())
        return false;
    beginRemoveRows(parent, row, row + count - 1);
    switch (m_modelType) {
    case CraftKind:
        removeRange(craftList, row, count);
        break;
    case AlgorithmKind:
        removeRange(algorithmList, row, count);
        break;
    case TemplateKind:
        removeRange(templateList, row, count);
        break;
    }
    markedRows.clear();
    endRemoveRows();
    return true;
}
