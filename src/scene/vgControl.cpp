#include "vgControl.h"

#include "IvgScene.h"
#include "vgClassRegistry.h"
#include "vgObjectRegistry.h"
#include "vgResources.h"

VG_REGISTER_CLASS(TvgControl)

namespace {

TvgObject* FindIn(const TvgResources* styles, const QString& name) {
    if (!styles || !styles->Root() || name.isEmpty()) return nullptr;
    return styles->Root()->FindResource(name);
}

// A TvgValueLabel looks for "ValueLabelstyle": the class name without its "Tvg" prefix.
QString ClassStyleName(const QMetaObject* meta) {
    return meta ? QString::fromLatin1(meta->className()).mid(3) + QStringLiteral("style") : QString();
}

}  // namespace

TvgControl::TvgControl(QObject* AOwner) : TvgVisualObject(AOwner) {}

TvgControl::~TvgControl() = default;

void TvgControl::SetResource(const QString& value) {
    if (FResource == value) return;
    FResource = value;
    FNeedResource = true;
    if (!Loading() && Updating() == 0) ApplyResource();
}

void TvgControl::SetResourceLater(const QString& value) {
    if (FResource == value) return;
    FResource = value;
    FNeedResource = true;
}

TvgObject* TvgControl::FindStyleResource() const {
    const QString& name = FResource;
    TvgResources* sceneStyles = Scene() ? Scene()->GetStyle() : nullptr;
    TvgResources* defaults = DefaultStyles();
    // Each place is searched only when the ones before it gave nothing visual.
    const auto visual = [](TvgObject* candidate) {
        return candidate && candidate->IsVisual() ? candidate : nullptr;
    };
    if (!name.isEmpty() && name.compare(ResourceName(), Qt::CaseInsensitive) != 0) {
        if (TvgObject* found = visual(FindIn(sceneStyles, name))) return found;
        if (TvgObject* found = visual(FindIn(defaults, name))) return found;
        if (TvgObject* found = visual(FindLiveResource(name))) return found;
    } else if (TvgObject* found = visual(FindIn(sceneStyles, name))) {
        return found;
    }
    const QString own = ClassStyleName(metaObject());
    if (TvgObject* found = visual(FindIn(sceneStyles, own))) return found;
    if (TvgObject* found = visual(FindIn(defaults, name))) return found;
    if (TvgObject* found = visual(FindIn(defaults, own))) return found;
    return visual(FindIn(defaults, ClassStyleName(metaObject()->superClass())));
}

void TvgControl::ApplyResource() {
    if (!FNeedResource) return;
    FNeedResource = false;
    TvgObject* style = FindStyleResource();
    if (!style) return;
    // An unknown resource keeps the previous look: the old clone goes only once a new one exists.
    TvgObject* clone = style->Clone(this);
    if (!clone) return;
    if (clone->Loading()) clone->FinishLoading();
    clone->SetResourceName(QString());
    if (FResourceLink) {
        StyleFreeing();
        delete FResourceLink.data();
    }
    if (TvgVisualObject* visual = clone->Visual()) {
        visual->SetAlign(vaContents);
        visual->SetDesignHide(false);
    }
    FResourceLink = clone;
    AddObject(clone);
    clone->SetIndex(0);
    clone->SetStored(false);
    if (TvgVisualObject* visual = clone->Visual()) visual->Lock();
    StyleApplied();
    UpdateEffects();
    if (const TNotifyEvent& applied = OnApplyResource()) applied(this);
}

void TvgControl::UpdateResource() {
    FNeedResource = true;
    ApplyResource();
    TvgObject::UpdateResource();
}

TvgObject* TvgControl::FindResource(const QString& AName) const {
    if (FResourceLink)
        if (TvgObject* found = FResourceLink->FindResource(AName)) return found;
    return TvgObject::FindResource(AName);
}

TvgVisualObject* TvgControl::ObjectByPoint(float X, float Y) {
    if (!Visible() || !AbsoluteEnabled()) return nullptr;
    return TvgVisualObject::ObjectByPoint(X, Y);
}

void TvgControl::BeforePaintStep(TvgCanvas& Canvas) {
    if (FNeedResource) ApplyResource();
    TvgVisualObject::BeforePaintStep(Canvas);
}

void TvgControl::EnterFocus() {
    if (FNeedResource) ApplyResource();
    TvgVisualObject::EnterFocus();
}
