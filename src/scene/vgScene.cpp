#include "vgScene.h"

#include <QRegion>

#include <algorithm>
#include <cmath>
#include <optional>

#include "IvgSizeGrip.h"
#include "QuitRequest.h"
#include "vgAniThread.h"
#include "vgAnimEffectClasses.h"
#include "vgBackground.h"
#include "vgDrawClasses.h"
#include "vgLayout.h"
#include "vgObject.h"
#include "vgOpaqueArea.h"
#include "vgPosition.h"
#include "vgQtConvert.h"
#include "vgResources.h"
#include "vgVisualObject.h"

namespace {

// A whole-scene invalidation, larger than any screen.
constexpr TvgRect EverythingRect{0, 0, 65535, 65535};

// Live scenes: the animation clock lives until the last one goes.
int& LiveSceneCount() {
    static int count = 0;
    return count;
}

// Painting a scene of thousands of objects can take seconds; a shut-down asked for meanwhile is
// checked between objects of a pass rather than after the whole picture.
bool StopPainting(bool drawing) {
    return drawing && QuitPending();
}

TvgEffectPainter& EffectPainter() {
    static TvgEffectPainter painter;
    return painter;
}

TvgScene* SceneOf(const TvgVisualObject& AObject) {
    return dynamic_cast<TvgScene*>(AObject.Scene());
}

void PaintChildrenThroughScene(TvgVisualObject& AObject, TvgCanvas& Canvas) {
    if (TvgScene* scene = SceneOf(AObject)) scene->PaintChildrenOf(AObject, Canvas);
}

bool IsEmptyArea(const TvgRect& R) {
    return R.Width() <= 0 || R.Height() <= 0;
}

QRegion RegionOf(const std::vector<TvgRect>& rects, const QRect& bounds) {
    QRegion region;
    for (const TvgRect& r : rects) region += ToQRectF(r).toAlignedRect().intersected(bounds);
    return region;
}

}  // namespace

TCursor vgCursorFromId(int ACursor) {
    switch (ACursor) {
        case -2:
            return TCursor::crArrow;
        case -4:
            return TCursor::crIBeam;
        case -6:
            return TCursor::crSizeNESW;
        case -7:
            return TCursor::crSizeNS;
        case -8:
            return TCursor::crSizeNWSE;
        case -9:
            return TCursor::crSizeWE;
        case -21:
            return TCursor::crHandPoint;
        case -22:
            return TCursor::crSizeAll;
        default:
            return TCursor::crDefault;
    }
}

TvgScene::TvgScene(QObject* AOwner, THostWindowKind AKind)
    : QObject(AOwner),
      FHostWindow(Platform().CreateHostWindow(AKind)),
      FCanvas(std::make_unique<TvgQtCanvas>()),
      FAlive(std::make_shared<bool>(true)),
      FFill(new TvgBrush(vgBrushNone, 0xFF000000, this)) {
    vgLinkDrawClasses();
    vgLinkAnimEffectClasses();
    TvgVisualObject::SetChildPainter(&PaintChildrenThroughScene);
    ++LiveSceneCount();
    FFill->SetOnChanged([this] { InvalidateAll(); });
    FHostWindow->SetClient(this);
    SetBounds(QRect(0, 0, 100, 100));
    StartFirstDrawTimer();
}

TvgScene::~TvgScene() {
    FDestroying = true;
    if (FShowTimer) Platform().StopTimer(FShowTimer);
    FHovered = nullptr;
    FCaptured = nullptr;
    FFocused = nullptr;
    if (FStyle) FStyle->RemoveScene(this);
    // Freeing a root takes it out of the list through RemoveObject.
    while (!FChildren.empty()) {
        TvgObject* root = FChildren.back();
        delete root;
        if (!FChildren.empty() && FChildren.back() == root) FChildren.pop_back();
    }
    FHostWindow->SetClient(nullptr);
    if (--LiveSceneCount() == 0) TvgAniThread::FreeInstance();
}

void TvgScene::StartFirstDrawTimer() {
    FShowTimer = Platform().StartTimer(1, [this] {
        Platform().StopTimer(FShowTimer);
        FShowTimer = 0;
        AddUpdateRect(EverythingRect);
    });
}

void TvgScene::SetBounds(const QRect& ARect) {
    const QRect rect(ARect.topLeft(), ARect.size().expandedTo(QSize(1, 1)));
    if (FHostWindow->Geometry() == rect) return;
    const bool resized = rect.size() != QSize(FWidth, FHeight);
    FHostWindow->SetGeometry(rect);
    // The window reports a new size through HostResized; a window that does not (or not yet)
    // still gets the scene resized.
    if (resized && QSize(FWidth, FHeight) != rect.size()) HostResized(rect.size());
}

void TvgScene::Show() {
    FHostWindow->Show();
    InvalidateAll();
}

void TvgScene::Hide() {
    FHostWindow->Hide();
}

void TvgScene::SetTransparency(bool value) {
    if (value == FTransparency) return;
    FTransparency = value;
    AddUpdateRect({0, 0, 10000, 10000});
}

void TvgScene::SetStyle(TvgResources* value) {
    if (value == FStyle) return;
    if (FStyle) FStyle->RemoveScene(this);
    FStyle = value;
    if (FStyle) FStyle->AddScene(this);
    if (TvgObject* root = GetRoot()) root->UpdateResource();
}

// --- IvgScene ---

void TvgScene::AddUpdateRect(const TvgRect& R) {
    if (FDisableUpdate || FDestroying || IsEmptyArea(R)) return;
    const TvgRect rounded{std::trunc(R.Left), std::trunc(R.Top), std::trunc(R.Right) + 1,
                          std::trunc(R.Bottom) + 1};
    const TvgRect scene{0, 0, static_cast<float>(FWidth), static_cast<float>(FHeight)};
    if (!RectsIntersect(rounded, scene)) return;
    if (FDrawing) {
        FLateRects.push_back(rounded);
        return;
    }
    FUpdateRects.push_back(rounded);
    PostRedraw();
}

void TvgScene::PostRedraw() {
    // One draw per burst: invalidations while a redraw is waiting join it.
    if (FRedrawPosted) return;
    FRedrawPosted = true;
    std::weak_ptr<bool> alive = FAlive;
    Platform().Post([this, alive] {
        if (alive.expired()) return;
        FRedrawPosted = false;
        DrawUpdateRects();
    });
}

void TvgScene::InvalidateAll() {
    AddUpdateRect(EverythingRect);
}

TvgObject* TvgScene::GetRoot() const {
    return FChildren.empty() ? nullptr : FChildren.front();
}

void TvgScene::AddObject(TvgObject* AObject) {
    if (!AObject || std::find(FChildren.begin(), FChildren.end(), AObject) != FChildren.end()) return;
    if (AObject->Parent()) AObject->SetParent(nullptr);
    FChildren.push_back(AObject);
    AObject->SetScene(this);
    if (AObject->IsVisual()) AObject->Visual()->Repaint();
    RealignRoot();
}

void TvgScene::RemoveObject(TvgObject* AObject) {
    const auto it = std::find(FChildren.begin(), FChildren.end(), AObject);
    if (it == FChildren.end()) return;
    InvalidateAll();
    FChildren.erase(it);
    if (!AObject->Destroying()) AObject->SetScene(nullptr);
}

TvgVisualObject* TvgScene::GetCaptured() const {
    return FCaptured;
}

void TvgScene::SetCaptured(TvgVisualObject* AObject) {
    FCaptured = AObject;
}

TvgVisualObject* TvgScene::GetFocused() const {
    return FFocused;
}

void TvgScene::SetFocused(TvgVisualObject* AObject) {
    if (AObject == FFocused) return;
    QPointer<TvgVisualObject> previous = FFocused;
    FFocused = AObject;
    if (previous) previous->KillFocus();
    if (FFocused) FFocused->EnterFocus();
}

QPoint TvgScene::LocalToScreen(const TvgPoint& P) const {
    return FHostWindow->Geometry().topLeft() + QPoint(static_cast<int>(P.X), static_cast<int>(P.Y));
}

TvgVisualObject* TvgScene::Hovered() const {
    return FHovered;
}

// --- sizes ---

void TvgScene::HostResized(QSize size) {
    FWidth = std::max(1, size.width());
    FHeight = std::max(1, size.height());
    RealignRoot();
    InvalidateAll();
}

void TvgScene::HostExposed() {
    InvalidateAll();
}

void TvgScene::RealignRoot() {
    TvgObject* first = GetRoot();
    if (!FAlignRoot || !first || !first->IsVisual()) return;
    TvgVisualObject* root = first->Visual();
    const float sx = root->Scale()->X() != 0 ? root->Scale()->X() : 1;
    const float sy = root->Scale()->Y() != 0 ? root->Scale()->Y() : 1;
    float w = static_cast<float>(FWidth) / sx;
    float h = static_cast<float>(FHeight) / sy;
    const float angle = std::fmod(std::abs(root->RotateAngle()), 360.0f);
    if (angle == 90 || angle == 270) {
        std::swap(w, h);
        root->SetBounds((h - w) / 2, (w - h) / 2, w, h);
        return;
    }
    root->SetBounds(0, 0, w, h);
}

// --- drawing ---

void TvgScene::SetEffectPainter(TvgEffectPainter APainter) {
    EffectPainter() = std::move(APainter);
}

bool TvgScene::TouchesUpdateRects(const TvgRect& R) const {
    return std::any_of(FUpdateRects.begin(), FUpdateRects.end(),
                       [&](const TvgRect& dirty) { return RectsIntersect(R, dirty); });
}

void TvgScene::DrawUpdateRects() {
    if (FUpdateRects.empty() || FDrawing) return;
    // A program on its way out draws nothing more: the picture would never be seen.
    if (QuitPending()) return;
    FDrawing = true;
    // The dirty list is emptied and the flag cleared however the pass ends.
    struct TDrawGuard {
        TvgScene& Scene;
        ~TDrawGuard() {
            Scene.FDrawing = false;
            Scene.DropReleasedPictures();
            Scene.FUpdateRects = Scene.UncoveredLateRects();
            if (!Scene.FUpdateRects.empty()) Scene.PostRedraw();
        }
    } guard{*this};

    if (FUpdateRects.size() > static_cast<std::size_t>(MaxUpdateRects)) {
        TvgRect all = FUpdateRects.front();
        for (const TvgRect& r : FUpdateRects) all = UnionRect(all, r);
        FUpdateRects.assign(1, all);
    }
    const QRegion region = RegionOf(FUpdateRects, QRect(0, 0, FWidth, FHeight));
    if (region.isEmpty()) return;
    FPassRegion = region;
    FPassOpaque = QRegion();
    FPassCopied = QRegion();
    // Where opaque kept pictures are about to be copied nothing needs clearing first.
    QRegion covered = ClearsOnly() ? CoverOfKeptPictures() : QRegion();
    QImage* buffer = FHostWindow->BeginPaint(region, covered);
    if (buffer && buffer->devicePixelRatio() != FDeviceRatio) covered = QRegion();
    if (buffer) FDeviceRatio = buffer->devicePixelRatio();
    FCanvas->AttachBuffer(buffer);
    if (!FCanvas->BeginScene()) {
        FHostWindow->EndPaint(QRegion());
        return;
    }
    FCanvas->ResetClipRect();
    FCanvas->SetMatrix(QTransform());
    std::vector<QRectF> clips;
    clips.reserve(FUpdateRects.size());
    for (const TvgRect& r : FUpdateRects) clips.push_back(ToQRectF(r));
    FCanvas->SetClipRects(clips);

    PaintPass(covered);
    if (!covered.isEmpty() && !(covered - FPassCopied).isEmpty() && !StopPainting(FDrawing)) {
        // A picture counted on was not copied after all (something over it changed during the
        // pass): what it would have covered still holds the last frame, so the pass starts again
        // from a cleared frame.
        FPassOpaque = QRegion();
        FPassCopied = QRegion();
        FCanvas->ResetClipRect();
        FCanvas->SetMatrix(QTransform());
        FCanvas->SetClipRects(clips);
        PaintPass(QRegion());
    }
    FCanvas->EndScene();
    // A pass cut short by a quit request leaves a half-drawn picture: it is not presented.
    if (StopPainting(FDrawing)) {
        FPassHeld.clear();
        FHostWindow->EndPaint(QRegion());
    } else {
        for (const THeldPart& part : FPassHeld) FHostWindow->ShowHeldPicture(part.Id, part.At, part.Region);
        FPassHeld.clear();
        FHostWindow->EndPaint(region, FPassOpaque);
    }
    FPassOpaque = QRegion();
    FPassCopied = QRegion();
}

void TvgScene::PaintPass(const QRegion& ACovered) {
    FPassHeld.clear();
    PaintBackground(ACovered);
    const int overwrites = FCanvas->Overwrites();
    FCanvas->ResetDrawingDefaults();
    for (std::size_t i = 0; i < FChildren.size() && !StopPainting(FDrawing); ++i) {
        TvgObject* root = FChildren[i];
        if (!root->IsVisual() || !root->Visual()->Visible()) continue;
        if (!TouchesUpdateRects(root->Visual()->UpdateRect())) continue;
        PaintRoot(*root->Visual());
    }
    // Something that overwrote pixels after the pictures were copied may have left holes in them.
    // The window then reads every pixel of the frame buffer: the held parts are written into it.
    if (FCanvas->Overwrites() != overwrites) {
        FPassOpaque = QRegion();
        WriteAllHeldParts();
    }
}

std::vector<TvgRect> TvgScene::UncoveredLateRects() {
    // What changed while this pass was painting (a style applied just before its first paint,
    // say) is drawn by the next pass, unless this pass already covered it.
    std::vector<TvgRect> late, uncovered;
    late.swap(FLateRects);
    for (const TvgRect& r : late) {
        const bool drawn = std::any_of(FUpdateRects.begin(), FUpdateRects.end(), [&](const TvgRect& d) {
            return d.Left <= r.Left && d.Top <= r.Top && d.Right >= r.Right && d.Bottom >= r.Bottom;
        });
        if (!drawn) uncovered.push_back(r);
    }
    return uncovered;
}

bool TvgScene::ClearsOnly() const {
    return FFill->Style() == vgBrushNone ||
           (FFill->Style() == vgBrushSolid && (FFill->SolidColor() >> 24) == 0);
}

void TvgScene::PaintBackground(const QRegion& ACovered) {
    if (!ClearsOnly()) {
        FCanvas->Fill().Assign(*FFill);
        FCanvas->FillRect(QRectF(QPointF(-1, -1), QPointF(FWidth + 1, FHeight + 1)), 0, 0, AllCorners, 1);
        return;
    }
    // A transparent scene starts from fully transparent pixels; an opaque one from its colour.
    const TvgColor color = FTransparency ? 0 : (FFill->SolidColor() | 0xFF000000u);
    if (ACovered.isEmpty()) {
        for (const TvgRect& r : FUpdateRects) FCanvas->ClearRect(ToQRectF(r), color);
        return;
    }
    for (const QRect& r : FPassRegion - ACovered) FCanvas->ClearRect(QRectF(r), color);
}

void TvgScene::PaintRoot(TvgVisualObject& ARoot) {
    TvgCanvas& canvas = *FCanvas;
    if (!FPassHeld.empty()) WriteHeldParts(DeviceArea(ARoot.UpdateRect()));
    canvas.SetMatrix(ToQTransform(ARoot.AbsoluteMatrix()));
    ARoot.BeforePaintStep(canvas);
    ARoot.Paint(canvas);
    ARoot.AfterPaintStep(canvas);
    ARoot.PaintChildren(canvas);
    if (ARoot.OnPaint()) {
        WriteAllHeldParts();
        canvas.SetMatrix(ToQTransform(ARoot.AbsoluteMatrix()));
        ARoot.OnPaint()(&ARoot, canvas, ARoot.LocalRect());
    }
}

void TvgScene::PaintChildrenOf(TvgVisualObject& AObject, TvgCanvas& Canvas) {
    // Copy: painting may not change the tree, but a handler could.
    const std::vector<TvgObject*> children = AObject.ChildList();
    // A background with a fill of its own, or the see-through root of a transparent scene, does
    // not show its style.
    TvgObject* hiddenStyle = nullptr;
    if (const auto* background = qobject_cast<const TvgBackground*>(&AObject))
        if (background->HidesStyle(FTransparency && GetRoot() == &AObject))
            hiddenStyle = background->ResourceLink();
    // Only the scene's own pass leaves hidden children out: an effect's picture is painted whole.
    const std::vector<char> hidden = FDrawing && &Canvas == FCanvas.get()
                                         ? HiddenChildren(AObject, children, hiddenStyle)
                                         : std::vector<char>();
    for (std::size_t i = 0; i < children.size(); ++i) {
        if (StopPainting(FDrawing)) return;
        TvgObject* child = children[i];
        if (!child->IsVisual() || child == hiddenStyle || (!hidden.empty() && hidden[i])) continue;
        PaintChild(AObject, *child->Visual(), Canvas);
    }
}

std::vector<char> TvgScene::HiddenChildren(TvgVisualObject& AParent, const std::vector<TvgObject*>& AChildren,
                                           const TvgObject* ASkipped) {
    std::vector<char> hidden;
    if (AChildren.size() < 2 || FUpdateRects.empty()) return hidden;
    // Nothing is drawn outside the dirty rectangles: what hides a child there does not matter.
    TvgRect dirty = FUpdateRects.front();
    for (const TvgRect& r : FUpdateRects) dirty = UnionRect(dirty, r);
    dirty = IntersectRect(dirty, {0, 0, static_cast<float>(FWidth), static_cast<float>(FHeight)});
    if (dirty.IsEmpty()) return hidden;
    // A parent that clips its children clips the opaque parts of those it may clip (a turned one
    // clips to no upright rectangle).
    const TvgMatrix parentMatrix = AParent.AbsoluteMatrix();
    if (AParent.ClipChildren() && (parentMatrix.m12 != 0 || parentMatrix.m21 != 0)) return hidden;
    const TvgRect parentClip = MapRect(AParent.LocalRect(), parentMatrix);
    std::optional<TvgCoverage> coverage;
    // From the top down: a child is hidden by what is painted after it.
    for (std::size_t i = AChildren.size(); i-- > 0;) {
        TvgObject* child = AChildren[i];
        if (!child->IsVisual() || child == ASkipped) continue;
        TvgVisualObject& visual = *child->Visual();
        if (!visual.Visible()) continue;
        const TvgRect area = IntersectRect(visual.UpdateRect(), dirty);
        if (area.IsEmpty()) continue;
        if (coverage && coverage->Covers(area)) {
            if (hidden.empty()) hidden.assign(AChildren.size(), 0);
            hidden[i] = 1;
            continue;
        }
        TvgRect opaque = vgOpaqueSceneRect(visual);
        if (AParent.ClipChildren() && visual.CanClipped()) opaque = IntersectRect(opaque, parentClip);
        if (opaque.IsEmpty()) continue;
        if (!coverage) coverage.emplace(dirty);
        coverage->Add(opaque);
    }
    return hidden;
}

void TvgScene::ApplyEffects(TvgVisualObject& AObject, TvgCanvas& Canvas, TvgEffectStage AStage) {
    if (AObject.HasEffect() && EffectPainter()) EffectPainter()(AObject, Canvas, AStage);
}

namespace {
bool EffectsSuppressPaint(const TvgVisualObject& AObject) {
    if (!AObject.HasEffect()) return false;
    const auto& children = AObject.ChildList();
    return std::any_of(children.begin(), children.end(), [](TvgObject* c) {
        return c->IsEffect() && c->EffectEnabled() && c->EffectDisablesPaint();
    });
}
}  // namespace

bool TvgScene::PaintsOnlyChildren(const TvgVisualObject& AObject) {
    return qobject_cast<const TvgLayout*>(&AObject) && !AObject.HasEffect() && !AObject.OnBeforePaint() &&
           !AObject.OnPaint();
}

void TvgScene::PaintChild(TvgVisualObject& AParent, TvgVisualObject& AChild, TvgCanvas& Canvas) {
    if (!AChild.Visible()) return;
    const TvgRect childArea = AChild.UpdateRect();
    if (IsEmptyArea(childArea)) return;
    if (AParent.ClipChildren() && !RectsIntersect(childArea, AParent.UpdateRect())) return;
    // Outside a scene pass (an effect rendering its picture) the whole tree is painted.
    if (FDrawing && &Canvas == FCanvas.get() && !TouchesUpdateRects(childArea)) return;
    // What a held picture fills under the child is written before the child paints over it.
    // A layout paints nothing itself (it may span the whole screen): only what it holds does.
    // A kept picture writes only what it blends over (DrawKept).
    if (!FPassHeld.empty() && &Canvas == FCanvas.get() && !PaintsOnlyChildren(AChild) && !FindKept(AChild))
        WriteHeldParts(DeviceArea(childArea));

    const bool clipped = AParent.ClipChildren() && AChild.CanClipped();
    int parentState = 0;
    if (clipped) {
        parentState = Canvas.SaveCanvas();
        Canvas.SetMatrix(ToQTransform(AParent.AbsoluteMatrix()));
        Canvas.IntersectClipRect(ToQRectF(AParent.LocalRect()));
    }
    const bool fromPicture = DrawKept(AChild, Canvas);
    if (!fromPicture) PaintObject(AChild, Canvas);
    if (clipped) Canvas.RestoreCanvas(parentState);
    if (!fromPicture) ApplyEffects(AChild, Canvas, TvgEffectStage::esAfterPaint);
}

void TvgScene::PaintObject(TvgVisualObject& AChild, TvgCanvas& Canvas) {
    const QTransform matrix = ToQTransform(AChild.AbsoluteMatrix());
    Canvas.SetMatrix(matrix);
    AChild.BeforePaintStep(Canvas);
    ApplyEffects(AChild, Canvas, TvgEffectStage::esBeforePaint);

    if (!EffectsSuppressPaint(AChild)) {
        const int ownState = Canvas.SaveCanvas();
        for (TvgObject* grandChild : AChild.ChildList()) {
            if (grandChild->IsVisual() && grandChild->Visual()->Visible() &&
                grandChild->Visual()->ClipParent())
                Canvas.ExcludeClipRect(ToQRectF(grandChild->Visual()->ParentedRect()));
        }
        if (AChild.ClipChildren()) Canvas.IntersectClipRect(ToQRectF(AChild.LocalRect()));
        const TvgRect local = AChild.LocalRect();
        if (AChild.OnBeforePaint()) AChild.OnBeforePaint()(&AChild, Canvas, local);
        AChild.Paint(Canvas);
        Canvas.RestoreCanvas(ownState);
        AChild.PaintChildren(Canvas);
        Canvas.SetMatrix(matrix);
        if (AChild.OnPaint()) AChild.OnPaint()(&AChild, Canvas, local);
    }
    Canvas.SetMatrix(matrix);
    AChild.AfterPaintStep(Canvas);
}
