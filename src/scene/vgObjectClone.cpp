// Deep copies through the meta-object system: the clone is created by class name and receives
// every stored published property; read-only sub-object properties (Position, Padding, Fill...)
// are copied property by property; stored children are cloned under the copy.

#include <QMetaProperty>

#include <memory>
#include <unordered_map>
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
    // A node map: the plan handed out stays where it is while plans of sub-objects are added.
    static std::unordered_map<const QMetaObject*, TCopyPlan> plans;
    auto it = plans.find(meta);
    if (it != plans.end()) return it->second;
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
    return plans.emplace(meta, std::move(plan)).first->second;
}

constexpr int MaxSubObjectDepth = 8;

// The values a newly made object of a class holds, in the order of its plan, and those of its
// sub-objects (whose defaults depend on the owning class: a text's fill is black, a rectangle's white).
struct TDefaults {
    std::vector<QVariant> Values;
    std::vector<TDefaults> SubObjects;
};

TDefaults ReadDefaults(const QObject& object, int depth) {
    TDefaults defaults;
    const TCopyPlan& plan = PlanFor(object.metaObject());
    defaults.Values.reserve(plan.Values.size());
    for (const QMetaProperty& property : plan.Values) defaults.Values.push_back(property.read(&object));
    if (depth >= MaxSubObjectDepth) return defaults;
    for (const QMetaProperty& property : plan.SubObjects) {
        QObject* sub = property.read(&object).value<QObject*>();
        defaults.SubObjects.push_back(sub && sub != &object ? ReadDefaults(*sub, depth + 1) : TDefaults());
    }
    return defaults;
}

// Read once per class from an object made for the purpose: a style's clone is made on every hover
// of a dock button, and most of its properties keep their defaults.
const TDefaults& DefaultsFor(const QMetaObject& meta) {
    static std::unordered_map<const QMetaObject*, TDefaults> known;
    auto it = known.find(&meta);
    if (it != known.end()) return it->second;
    TDefaults defaults;
    if (const std::unique_ptr<TvgObject> sample(CreateObjectOfClass(meta, nullptr)); sample)
        defaults = ReadDefaults(*sample, 0);
    return known.emplace(&meta, std::move(defaults)).first->second;
}

// A value the fresh target already holds is not written again: setters of equal values change
// nothing.
void CopyProperties(const QObject& source, QObject& target, const TDefaults* defaults, int depth) {
    // Sub-objects own no further sub-objects in practice; the bound only protects against a
    // property that hands out its own object.
    if (depth > MaxSubObjectDepth || source.metaObject() != target.metaObject()) return;
    const TCopyPlan& plan = PlanFor(source.metaObject());
    const bool known = defaults && defaults->Values.size() == plan.Values.size();
    for (std::size_t i = 0; i < plan.Values.size(); ++i) {
        const QMetaProperty& property = plan.Values[i];
        QVariant value = property.read(&source);
        if (known && value == defaults->Values[i]) continue;
        property.write(&target, std::move(value));
    }
    const bool subKnown = defaults && defaults->SubObjects.size() == plan.SubObjects.size();
    for (std::size_t i = 0; i < plan.SubObjects.size(); ++i) {
        const QMetaProperty& property = plan.SubObjects[i];
        QObject* from = property.read(&source).value<QObject*>();
        QObject* to = property.read(&target).value<QObject*>();
        if (from && to && from != to)
            CopyProperties(*from, *to, subKnown ? &defaults->SubObjects[i] : nullptr, depth + 1);
    }
}

TvgObject* CloneTree(const TvgObject& source, QObject* owner) {
    const TDefaults& defaults = DefaultsFor(*source.metaObject());
    TvgObject* copy = CreateObjectOfClass(*source.metaObject(), owner);
    if (!copy) return nullptr;
    copy->SetLoading(true);
    CopyProperties(source, *copy, &defaults, 0);
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
