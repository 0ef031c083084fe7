#include "craftfileparser.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
// Deep enough for region, part and item with ample room; guards against hostile nesting.
constexpr int MaxDepth = 32;

bool readNodes(const QJsonArray &array, int depth, QList<VehicleConfig> *out, QString *error)
{
    if (depth > MaxDepth) {
        *error = QStringLiteral("层级过深");
        return false;
    }
    for (const QJsonValue &value : array) {
        const QJsonObject object = value.toObject();
        const QJsonValue name = object.value(QStringLiteral("configurationName"));
        if (!value.isObject() || !name.isString()) {
            *error = QStringLiteral("节点缺少 configurationName");
            return false;
        }
        VehicleConfig node;
        node.name = name.toString();
        node.type = object.value(QStringLiteral("type")).toString();
        const QJsonValue children = object.value(QStringLiteral("children"));
        if (!children.isUndefined() && !children.isArray()) {
            *error = QStringLiteral("children 不是数组");
            return false;
        }
        if (!readNodes(children.toArray(), depth + 1, &node.children, error))
            return false;
        out->append(node);
    }
    return true;
}
} // namespace

bool parseCraftFile(const QString &text, QList<VehicleConfig> *roots, QString *error)
{
    roots->clear();
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *error = parseError.errorString();
        return false;
    }
    if (!document.isArray()) {
        *error = QStringLiteral("不是节点数组");
        return false;
    }
    QList<VehicleConfig> parsed;
    if (!readNodes(document.array(), 0, &parsed, error))
        return false;
    *roots = parsed;
    return true;
}
