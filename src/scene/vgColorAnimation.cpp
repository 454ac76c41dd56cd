#include "vgColorAnimation.h"

#include "vgClassRegistry.h"
#include "vgPropertyPath.h"

VG_REGISTER_CLASS(TvgColorAnimation)

TvgColorAnimation::TvgColorAnimation(QObject* AOwner) : TvgAnimation(AOwner) {}

void TvgColorAnimation::ResolveTarget() {
    if (FInstance) return;
    const TvgPropertyTarget target = ResolvePropertyPath(Parent(), FPropertyName);
    FInstance = target.Instance;
    FPath = target.Path;
}

void TvgColorAnimation::ReadCurrentColor() {
    const TvgPropertyTarget target{FInstance, FPath};
    const QMetaProperty property = FindPropertyNoCase(FInstance, FPath);
    switch (ColorPropertyKind(target)) {
        case TvgColorPropertyKind::Text:
            FStartColor = vgStrToColor(property.read(FInstance).toString());
            break;
        case TvgColorPropertyKind::Number:
            FStartColor = static_cast<TvgColor>(property.read(FInstance).toLongLong());
            break;
        case TvgColorPropertyKind::None:
            break;
    }
}

void TvgColorAnimation::Start() {
    ResolveTarget();
    if (FStartFromCurrent && FInstance) ReadCurrentColor();
    TvgAnimation::Start();
}

void TvgColorAnimation::ApplyProgress(double progress) {
    if (!FInstance) return;
    const TvgPropertyTarget target{FInstance, FPath};
    const TvgColor color = InterpolateColor(FStartColor, FStopColor, progress);
    const QMetaProperty property = FindPropertyNoCase(FInstance, FPath);
    switch (ColorPropertyKind(target)) {
        case TvgColorPropertyKind::Text:
            property.write(FInstance, vgColorToStr(color));
            break;
        case TvgColorPropertyKind::Number:
            // Signed targets get the same 32 bits.
            if (property.metaType().id() == QMetaType::Int) {
                property.write(FInstance, static_cast<int>(color));
            } else {
                property.write(FInstance, QVariant::fromValue(static_cast<qulonglong>(color)));
            }
            break;
        case TvgColorPropertyKind::None:
            break;
    }
}
