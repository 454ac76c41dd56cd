#pragma once
// Reaching a published property by name, as animations and triggers do: dotted paths through
// object-valued properties ("Fill.Color"), names matched regardless of letter case.

#include <QMetaProperty>
#include <QObject>
#include <QString>

#include <optional>

// The property of `instance` called `name` in any letter case; invalid when there is none.
QMetaProperty FindPropertyNoCase(const QObject* instance, const QString& name);

struct TvgPropertyTarget {
    QObject* Instance = nullptr;  // the object that holds the last component
    QString Path;                 // the last component of the name
};

// Every component but the last that names an object property of the current instance moves on to
// that object; the last component is the property name (the instance may well lack it).
TvgPropertyTarget ResolvePropertyPath(QObject* root, const QString& dottedName);

// Reads and writes of a target that must exist with a fitting type; anything else is skipped.
std::optional<float> ReadFloatProperty(const TvgPropertyTarget& target);
bool WriteFloatProperty(const TvgPropertyTarget& target, float value);

enum class TvgColorPropertyKind { None, Text, Number };
TvgColorPropertyKind ColorPropertyKind(const TvgPropertyTarget& target);

// The value name of an enumeration or Boolean property ("True"/"False" for Booleans); empty when
// the property is missing or of another type.
std::optional<QString> EnumPropertyValueName(const QObject* instance, const QString& name);

// A trigger text is "Name=Value;Name=Value". Pairs whose name is not an enumeration (or Boolean)
// property of the instance are skipped.
//
// For animations: holds when at least one pair was compared and every compared pair matched.
bool TriggerConditionsHold(const QObject* instance, const QString& conditions);
// For effects: every pair is evaluated and the last one that names an existing property decides;
// false when none does.
bool TriggerLastPairMatches(const QObject* instance, const QString& conditions);
