#include "vgFloatAnimation.h"

#include "vgClassRegistry.h"
#include "vgPropertyPath.h"

VG_REGISTER_CLASS(TvgFloatAnimation)

TvgFloatAnimation::TvgFloatAnimation(QObject* AOwner) : TvgAnimation(AOwner) {}

void TvgFloatAnimation::ResolveTarget() {
    if (FInstance) return;
    const TvgPropertyTarget target = ResolvePropertyPath(Parent(), FPropertyName);
    FInstance = target.Instance;
    FPath = target.Path;
}

void TvgFloatAnimation::Start() {
    ResolveTarget();
    if (FStartFromCurrent) {
        if (const auto current = ReadFloatProperty({FInstance, FPath})) FStartFloat = *current;
    }
    TvgAnimation::Start();
}

void TvgFloatAnimation::Stop() {
    TvgAnimation::Stop();
    FInstance = nullptr;
    FPath.clear();
}

void TvgFloatAnimation::ApplyProgress(double progress) {
    if (!FInstance) return;
    const float value = FStartFloat + (FStopFloat - FStartFloat) * static_cast<float>(progress);
    WriteFloatProperty({FInstance, FPath}, value);
}
