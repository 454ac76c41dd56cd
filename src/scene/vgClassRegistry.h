#pragma once
// Scene classes by name, so that style sets and clones can create objects from data. Each class
// registers itself in its own .cpp with VG_REGISTER_CLASS(TvgSomething); the class needs a
// constructor taking the owner. A class that only style data ever names must still be linked in
// (static libraries drop units nothing refers to): refer to it from code that is linked.

#include <QMetaObject>
#include <QObject>
#include <QString>

class TvgObject;

using TvgObjectFactory = TvgObject* (*)(QObject* AOwner);

void RegisterObjectClass(const QMetaObject& AMeta, TvgObjectFactory AFactory);
bool IsObjectClassRegistered(const QString& AClassName);
// Null when the class is unknown.
TvgObject* CreateObjectByClassName(const QString& AClassName, QObject* AOwner);
// By meta-object: the registry first, then a Q_INVOKABLE constructor taking the owner.
TvgObject* CreateObjectOfClass(const QMetaObject& AMeta, QObject* AOwner);

template <class T>
struct TvgClassRegistration {
    TvgClassRegistration() {
        RegisterObjectClass(T::staticMetaObject, [](QObject* owner) -> TvgObject* { return new T(owner); });
    }
};

#define VG_REGISTER_CLASS(T)                              \
    namespace {                                           \
    const TvgClassRegistration<T> vgClassRegistration##T; \
    }
