// Deep copies through the meta-object system: the clone is created by class name and receives
// every stored published property; read-only sub-object properties (Position, Padding, Fill...)
// are copied property by property; stored children are cloned under the copy.

#include <QHash>
#include <QMetaProperty>

#include <vector>

#include "vgClassRegistry.h"
#include "vgObject.h"

namespace {

bool IsSubObject(const QMetaProperty& property) {
    return !property.isWritable() && (property.metaType().flags() & QMetaType::PointerToQObject);
}

// Which properties of a class are copied, worked out once per class: plain stored values, and
// read-only sub-objects whose own properties are copied in turn.
struct TCopyPlan {
    std::vector<QMetaProperty> Values;
    std::vector<QMetaProperty> SubObjects;
};

const TCopyPlan& PlanFor(const QMetaObject* meta) {
    static QHash<const QMetaObject*, TCopyPlan> plans;
    auto it = plans.find(meta);
    if (it != plans.end()) return *it;
    TCopyPlan plan;
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (!property.isReadable() || !property.isStored()) continue;
        if (IsSubObject(property)) {
            plan.SubObjects.push_back(property);
        } else if (property.isWritable()) {
            plan.Values.push_back(property);
        }
    }
    return *plans.insert(meta, std::move(plan));
}

void CopyProperties(const QObject& source, QObject& target, int depth) {
    // Sub-objects own no further sub-objects in practice; the bound only protects against a
    // property that hands out its own object.
    if (depth > 8 || source.metaObject() != target.metaObject()) return;
    const TCopyPlan& plan = PlanFor(source.metaObject());
    for (const QMetaProperty& property : plan.Values) property.write(&target, property.read(&source));
    for (const QMetaProperty& property : plan.SubObjects) {
        QObject* from = property.read(&source).value<QObject*>();
        QObject* to = property.read(&target).value<QObject*>();
        if (from && to && from != to) CopyProperties(*from, *to, depth + 1);
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
