#include "vgScene.h"

#include "IvgSizeGrip.h"
#include "vgVisualObject.h"

// Mouse routing: window input becomes the objects' press, move, release, wheel, enter and leave.

TvgVisualObject* TvgScene::ObjectAtPoint(const TvgPoint& P) const {
    for (auto it = FChildren.rbegin(); it != FChildren.rend(); ++it) {
        if (!(*it)->IsVisual()) break;
        if (TvgVisualObject* hit = (*it)->Visual()->ObjectByPoint(P.X, P.Y)) return hit;
    }
    return nullptr;
}

namespace {

constexpr int SizeCursorId = -8;

TvgPoint ScenePoint(QPointF pos) {
    return {static_cast<float>(pos.x()), static_cast<float>(pos.y())};
}
bool IsSizeGrip(TvgVisualObject* AObject) {
    return dynamic_cast<IvgSizeGrip*>(AObject) != nullptr;
}
}  // namespace

void TvgScene::ShowCursor(int ACursor) {
    if (ACursor == FShownCursor) return;
    FShownCursor = ACursor;
    FHostWindow->SetCursor(vgCursorFromId(ACursor));
}

void TvgScene::SetHovered(TvgVisualObject* AObject) {
    if (AObject == FHovered) return;
    QPointer<TvgVisualObject> guard = AObject;
    if (QPointer<TvgVisualObject> previous = FHovered) {
        FHovered = nullptr;
        previous->SetMouseInObject(false);
        previous->MouseLeave();
    }
    // The leave handler may have freed the new object.
    if (!guard) return;
    FHovered = guard;
    guard->SetMouseInObject(true);
    guard->MouseEnter();
}

void TvgScene::HostMouseDown(TMouseButton button, TShiftState shift, QPointF pos) {
    FHostWindow->Activate();
    FMousePos = FDownPos = ScenePoint(pos);
    TvgVisualObject* target = ObjectAtPoint(FMousePos);
    if (target && IsSizeGrip(target)) {
        FResizing = true;
        FResizeSize = FHostWindow->Geometry().size();
        return;
    }
    if (target) {
        const TvgPoint local = target->AbsoluteToLocal(FMousePos);
        target->MouseDown(button, shift, local.X, local.Y);
        return;
    }
    if (FParentTag != NoDragTag && FMousePos.X != 0 && FMousePos.Y != 0) FDragging = true;
}

void TvgScene::HostMouseMove(TShiftState shift, QPointF pos) {
    FMousePos = ScenePoint(pos);
    if (FDragging) {
        const QRect geometry = FHostWindow->Geometry();
        const QPoint delta(static_cast<int>(FMousePos.X - FDownPos.X),
                           static_cast<int>(FMousePos.Y - FDownPos.Y));
        if (!delta.isNull()) SetBounds(geometry.translated(delta));
        return;
    }
    if (FResizing) {
        const QRect geometry = FHostWindow->Geometry();
        const QSize size(FResizeSize.width() + static_cast<int>(FMousePos.X - FDownPos.X),
                         FResizeSize.height() + static_cast<int>(FMousePos.Y - FDownPos.Y));
        SetBounds(QRect(geometry.topLeft(), size.expandedTo(QSize(1, 1))));
        ShowCursor(SizeCursorId);
        return;
    }
    if (QPointer<TvgVisualObject> captured = FCaptured) {
        const TvgPoint local = captured->AbsoluteToLocal(FMousePos);
        captured->MouseMove(shift, local.X, local.Y, 0, 0);
        return;
    }
    QPointer<TvgVisualObject> target = ObjectAtPoint(FMousePos);
    if (!target) {
        SetHovered(nullptr);
        FHintText.clear();
        ShowCursor(FLoadCursor);
        return;
    }
    FHintText = target->ShowHint() ? target->Hint() : QString();
    ShowCursor(IsSizeGrip(target) ? SizeCursorId : target->Cursor());
    SetHovered(target);
    if (!target) return;
    const TvgPoint local = target->AbsoluteToLocal(FMousePos);
    target->MouseMove(shift, local.X, local.Y, 0, 0);
}

void TvgScene::HostMouseUp(TMouseButton button, TShiftState shift, QPointF pos) {
    FMousePos = ScenePoint(pos);
    FDragging = false;
    FResizing = false;
    TvgVisualObject* target = FCaptured ? FCaptured.data() : ObjectAtPoint(FMousePos);
    if (!target) return;
    const TvgPoint local = target->AbsoluteToLocal(FMousePos);
    target->MouseUp(button, shift, local.X, local.Y);
}

void TvgScene::HostMouseWheel(TShiftState shift, int delta, QPointF pos) {
    FMousePos = ScenePoint(pos);
    bool handled = false;
    if (FCaptured) {
        FCaptured->MouseWheel(shift, delta, FMousePos, handled);
        return;
    }
    QPointer<TvgVisualObject> target = ObjectAtPoint(FMousePos);
    while (target && !handled) {
        target->MouseWheel(shift, delta, FMousePos, handled);
        if (handled || !target) break;
        TvgObject* parent = target->Parent();
        target = parent && parent->IsVisual() ? parent->Visual() : nullptr;
    }
}

void TvgScene::HostMouseLeave() {
    SetHovered(nullptr);
}

void TvgScene::HostKeyDown(int key, QChar text, TShiftState shift) {
    if (FFocused) FFocused->KeyDown(key, text, shift);
}

void TvgScene::HostKeyUp(int key, QChar text, TShiftState shift) {
    if (FFocused) FFocused->KeyUp(key, text, shift);
}

bool TvgScene::HostDragOver(const TDropData& data, QPointF pos) {
    if (!FOnDrop || data.IsEmpty()) return false;
    return FOnDrop(data, TvgPoint{static_cast<float>(pos.x()), static_cast<float>(pos.y())}, false);
}

void TvgScene::HostDeactivated() {
    if (!FOnDeactivated) return;
    const std::function<void()> handler = FOnDeactivated;
    handler();
}

void TvgScene::HostDrop(const TDropData& data, QPointF pos) {
    if (!FOnDrop || data.IsEmpty()) return;
    // The handler may rebuild the scene: it is called with copies, and nothing here runs after it.
    const TvgDropHandler handler = FOnDrop;
    handler(data, TvgPoint{static_cast<float>(pos.x()), static_cast<float>(pos.y())}, true);
}
