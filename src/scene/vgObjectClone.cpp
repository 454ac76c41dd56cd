// Deep copies through the meta-object system: the clone is created by class name and receives
// every stored published property; read-only sub-object properties (Position, Padding, Fill...)
// are copied property by property; stored children are cloned under the copy.

#include <QMetaProperty>

#include "vgClassRegistry.h"
#include "vgObject.h"

namespace {

bool IsSubObject(const QMetaProperty& property) {
    return !property.isWritable() && (property.metaType().flags() & QMetaType::PointerToQObject);
}

void CopyProperties(const QObject& source, QObject& target, int depth) {
    // Sub-objects own no further sub-objects in practice; the bound only protects against a
    // property that hands out its own object.
    if (depth > 8) return;
    const QMetaObject* meta = source.metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (!property.isReadable() || !property.isStored()) continue;
        if (IsSubObject(property)) {
            QObject* from = property.read(&source).value<QObject*>();
            const int targetIndex = target.metaObject()->indexOfProperty(property.name());
            if (!from || targetIndex < 0) continue;
            QObject* to = target.metaObject()->property(targetIndex).read(&target).value<QObject*>();
            if (to && to != from) CopyProperties(*from, *to, depth + 1);
            continue;
        }
        if (!property.isWritable()) continue;
        property.write(&target, property.read(&source));
    }
}

TvgObject* CloneTree(const TvgObject& source, QObject* owner) {
    TvgObject* copy = CreateObjectOfClass(*source.metaObject(), owner);
    if (!copy) return nullptr;
    copy->SetLoading(true);
    CopyProperties(source, *copy, 0);
    for (TvgObject* child : source.ChildList()) {
        if (!child->Stored()) continue;
        if (TvgObject* childCopy = CloneTree(*child, copy)) copy->AddObject(childCopy);
    }
    return copy;
}

}  // namespace

TvgObject* TvgObject::Clone(QObject* AOwner) const {
    TvgObject* copy = CloneTree(*this, AOwner);
    if (copy) copy->FinishLoading();
    return copy;
}
