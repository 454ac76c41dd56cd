#include "vgClassRegistry.h"

#include <QHash>

#include "vgObject.h"

namespace {

QHash<QString, TvgObjectFactory>& Factories() {
    static QHash<QString, TvgObjectFactory> factories;
    return factories;
}

}  // namespace

void RegisterObjectClass(const QMetaObject& AMeta, TvgObjectFactory AFactory) {
    Factories().insert(QString::fromLatin1(AMeta.className()), AFactory);
}

bool IsObjectClassRegistered(const QString& AClassName) {
    return Factories().contains(AClassName);
}

TvgObject* CreateObjectByClassName(const QString& AClassName, QObject* AOwner) {
    const auto it = Factories().constFind(AClassName);
    return it == Factories().constEnd() ? nullptr : (*it)(AOwner);
}

TvgObject* CreateObjectOfClass(const QMetaObject& AMeta, QObject* AOwner) {
    if (TvgObject* made = CreateObjectByClassName(QString::fromLatin1(AMeta.className()), AOwner))
        return made;
    QObject* instance = AMeta.newInstance(Q_ARG(QObject*, AOwner));
    if (auto* object = qobject_cast<TvgObject*>(instance)) return object;
    delete instance;
    return nullptr;
}
