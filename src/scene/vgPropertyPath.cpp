#include "vgPropertyPath.h"

#include <QMetaEnum>
#include <QStringList>

namespace {

struct TConditionPair {
    QString Name;
    QString Value;
};

QList<TConditionPair> SplitConditions(const QString& text) {
    QList<TConditionPair> pairs;
    for (const QString& part : text.split(u';', Qt::SkipEmptyParts)) {
        const qsizetype eq = part.indexOf(u'=');
        if (eq < 0) {
            pairs.append({part.trimmed(), QString()});
        } else {
            pairs.append({part.left(eq).trimmed(), part.mid(eq + 1).trimmed()});
        }
    }
    return pairs;
}

bool IsFloatType(int typeId) {
    return typeId == QMetaType::Float || typeId == QMetaType::Double;
}

}  // namespace

QMetaProperty FindPropertyNoCase(const QObject* instance, const QString& name) {
    if (!instance || name.isEmpty()) return {};
    const QMetaObject* meta = instance->metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (name.compare(QLatin1String(property.name()), Qt::CaseInsensitive) == 0) return property;
    }
    return {};
}

TvgPropertyTarget ResolvePropertyPath(QObject* root, const QString& dottedName) {
    TvgPropertyTarget target{root, QString()};
    const QStringList parts = dottedName.split(u'.');
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        const QMetaProperty property = FindPropertyNoCase(target.Instance, parts[i]);
        if (!property.isValid() || !(property.metaType().flags() & QMetaType::PointerToQObject)) continue;
        if (QObject* next = property.read(target.Instance).value<QObject*>()) target.Instance = next;
    }
    target.Path = parts.isEmpty() ? QString() : parts.last();
    return target;
}

std::optional<float> ReadFloatProperty(const TvgPropertyTarget& target) {
    const QMetaProperty property = FindPropertyNoCase(target.Instance, target.Path);
    if (!property.isValid() || !IsFloatType(property.metaType().id())) return std::nullopt;
    return property.read(target.Instance).toFloat();
}

bool WriteFloatProperty(const TvgPropertyTarget& target, float value) {
    const QMetaProperty property = FindPropertyNoCase(target.Instance, target.Path);
    if (!property.isValid() || !property.isWritable() || !IsFloatType(property.metaType().id())) return false;
    if (property.metaType().id() == QMetaType::Float) return property.write(target.Instance, value);
    return property.write(target.Instance, static_cast<double>(value));
}

TvgColorPropertyKind ColorPropertyKind(const TvgPropertyTarget& target) {
    const QMetaProperty property = FindPropertyNoCase(target.Instance, target.Path);
    if (!property.isValid()) return TvgColorPropertyKind::None;
    if (property.isEnumType()) return TvgColorPropertyKind::None;
    switch (property.metaType().id()) {
        case QMetaType::QString:
            return TvgColorPropertyKind::Text;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            return TvgColorPropertyKind::Number;
        default:
            return TvgColorPropertyKind::None;
    }
}

std::optional<QString> EnumPropertyValueName(const QObject* instance, const QString& name) {
    const QMetaProperty property = FindPropertyNoCase(instance, name);
    if (!property.isValid()) return std::nullopt;
    const QVariant value = property.read(instance);
    if (property.metaType().id() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (property.isEnumType()) {
        const QMetaEnum enumerator = property.enumerator();
        const char* key = enumerator.valueToKey(value.toInt());
        return key ? QString::fromLatin1(key) : QString();
    }
    return std::nullopt;
}

bool TriggerConditionsHold(const QObject* instance, const QString& conditions) {
    bool compared = false;
    for (const TConditionPair& pair : SplitConditions(conditions)) {
        const std::optional<QString> current = EnumPropertyValueName(instance, pair.Name);
        if (!current) continue;
        if (current->compare(pair.Value, Qt::CaseInsensitive) != 0) return false;
        compared = true;
    }
    return compared;
}

bool TriggerLastPairMatches(const QObject* instance, const QString& conditions) {
    bool result = false;
    for (const TConditionPair& pair : SplitConditions(conditions)) {
        const std::optional<QString> current = EnumPropertyValueName(instance, pair.Name);
        if (current) result = current->compare(pair.Value, Qt::CaseInsensitive) == 0;
    }
    return result;
}
