#include "vgObject.h"

#include <algorithm>
#include <iterator>

#include "IvgScene.h"
#include "vgClassRegistry.h"
#include "vgControl.h"
#include "vgObjectRegistry.h"
#include "vgVisualObject.h"

VG_REGISTER_CLASS(TvgObject)

TvgObject::TvgObject(QObject* AOwner) : QObject(AOwner) {
    FSerial = RegisterLiveObject(this);
}

TvgObject::~TvgObject() {
    FDestroying = true;
    Detach();
    DeleteChildren();
    UnregisterLiveObject(FSerial);
}

void TvgObject::SetResourceName(const QString& value) {
    if (value == FResourceName) return;
    const QString old = FResourceName;
    FResourceName = value;
    RenameLiveObject(FSerial, this, old, value);
}

void TvgObject::MarkVisual(TvgVisualObject* AVisual) {
    FIsVisual = AVisual != nullptr;
    FVisual = AVisual;
}

TvgObject* TvgObject::Children(int AIndex) const {
    if (AIndex < 0 || AIndex >= ChildrenCount()) return nullptr;
    return FChildren[static_cast<std::size_t>(AIndex)];
}

void TvgObject::Detach() {
    if (FParent) {
        FParent->RemoveObject(this);
    } else if (FScene) {
        FScene->RemoveObject(this);
    }
}

void TvgObject::SetParent(TvgObject* AParent) {
    if (AParent == FParent) return;
    Detach();
    if (AParent) AParent->AddObject(this);
}

bool TvgObject::IsAncestorOf(const TvgObject* AObject) const {
    for (const TvgObject* p = AObject; p; p = p->FParent)
        if (p == this) return true;
    return false;
}

void TvgObject::SetScene(IvgScene* AScene) {
    if (AScene == FScene) return;
    SetSceneRecursive(AScene);
    // Becoming a root (or leaving the scene) changes what counts as the root for the disabled look.
    ParentChanged();
}

void TvgObject::SetSceneRecursive(IvgScene* AScene) {
    FScene = AScene;
    for (TvgObject* child : FChildren) child->SetSceneRecursive(AScene);
}

void TvgObject::AddObject(TvgObject* AObject) {
    // An object cannot become a child of itself or of its own descendant: the tree would turn
    // into a cycle.
    if (!AObject || AObject->IsAncestorOf(this)) return;
    if (AObject->FParent) {
        AObject->SetParent(nullptr);
    } else if (AObject->FScene) {
        AObject->FScene->RemoveObject(AObject);
    }
    if (FChildren.capacity() == 0) FChildren.reserve(10);
    if (std::find(FChildren.begin(), FChildren.end(), AObject) != FChildren.end()) return;

    FChildren.push_back(AObject);
    AObject->FParent = this;
    AObject->FIndex = static_cast<int>(FChildren.size()) - 1;
    AObject->SetSceneRecursive(FScene);
    AObject->ParentChanged();

    TvgVisualObject* parent = FVisual;
    TvgVisualObject* child = AObject->FVisual;
    if (parent && child && child->Align() != vaNone) parent->FNeedAlign = true;
    if (parent && AObject->IsEffect() && AObject->EffectEnabled()) {
        parent->FHasEffect = true;
        parent->UpdateEffects();
    }
    if (parent && child) {
        child->SetUpdatingRecursive(parent->FUpdating);
        child->InvalidateCaches();
        parent->InvalidateUpdateRectUp();
        if (parent->FHasEffect) {
            parent->UpdateEffects();
            parent->Repaint();
        }
        if (child->Align() != vaNone && !Loading()) {
            parent->Realign();
        } else {
            // Only the newcomer's area changes: repainting the parent's whole area would recompute
            // it over every child, for every child added (quadratic with thousands of notes).
            child->Repaint();
        }
        parent->FTabList.push_back(child);
    }
}

void TvgObject::RemoveObject(TvgObject* AObject) {
    if (!AObject || AObject->FParent != this) return;
    // Searched from the end: a parent frees its children last first.
    const auto found = std::find(FChildren.rbegin(), FChildren.rend(), AObject);
    if (found == FChildren.rend()) return;
    const auto position = static_cast<std::size_t>(FChildren.rend() - found) - 1;

    TvgVisualObject* parent = FVisual;
    TvgVisualObject* child = AObject->FVisual;
    if (parent && child) {
        if (const auto tab = std::find(parent->FTabList.rbegin(), parent->FTabList.rend(), child);
            tab != parent->FTabList.rend())
            parent->FTabList.erase(std::next(tab).base());
        child->Repaint();
    }
    // An object that leaves the tree must not stay captured or focused in the scene it leaves.
    if (IvgScene* scene = AObject->FScene) {
        if (scene->GetCaptured() && AObject->IsAncestorOf(scene->GetCaptured())) scene->SetCaptured(nullptr);
        if (scene->GetFocused() && AObject->IsAncestorOf(scene->GetFocused())) scene->SetFocused(nullptr);
    }
    AObject->FParent = nullptr;
    AObject->SetSceneRecursive(nullptr);
    ResetChildIndexes(position);
    AObject->FIndex = -1;
    FChildren.erase(FChildren.begin() + static_cast<std::ptrdiff_t>(position));
    AObject->ParentChanged();
    if (child) child->InvalidateCaches();
    // A parent that is being freed keeps no flags up to date: recomputing them over the remaining
    // children for every child freed made freeing a scene of thousands of notes quadratic.
    if (FDestroying) return;
    RecalcChildFlags();
    if (parent) parent->InvalidateUpdateRectUp();
}

void TvgObject::RecalcChildFlags() {
    TvgVisualObject* self = FVisual;
    if (!self) return;
    self->RecalcHasEffect();
    self->FNeedAlign = std::any_of(FChildren.begin(), FChildren.end(),
                                   [](TvgObject* c) { return c->FVisual && c->FVisual->Align() != vaNone; });
}

void TvgObject::ResetChildIndexes(std::size_t AFrom) {
    for (std::size_t i = AFrom; i < FChildren.size(); ++i) FChildren[i]->FIndex = -1;
}

int TvgObject::Index() const {
    if (!FParent) return -1;
    if (FIndex < 0) {
        const auto& list = FParent->FChildren;
        const auto it = std::find(list.begin(), list.end(), this);
        FIndex = it == list.end() ? -1 : static_cast<int>(it - list.begin());
    }
    return FIndex;
}

void TvgObject::MoveChild(TvgObject* AChild, int ANewIndex) {
    const int count = ChildrenCount();
    if (count == 0) return;
    ANewIndex = std::clamp(ANewIndex, 0, count - 1);
    const auto it = std::find(FChildren.begin(), FChildren.end(), AChild);
    if (it == FChildren.end()) return;
    FChildren.erase(it);
    FChildren.insert(FChildren.begin() + ANewIndex, AChild);
    ResetChildIndexes(0);
}

void TvgObject::SetIndex(int AIndex) {
    if (!FParent || AIndex == Index()) return;
    FParent->MoveChild(this, AIndex);
    if (TvgVisualObject* parent = FParent->FVisual; parent && !FParent->Loading()) parent->Realign();
}

void TvgObject::Exchange(TvgObject* AObject1, TvgObject* AObject2) {
    const auto a = std::find(FChildren.begin(), FChildren.end(), AObject1);
    const auto b = std::find(FChildren.begin(), FChildren.end(), AObject2);
    if (a == FChildren.end() || b == FChildren.end() || a == b) return;
    std::iter_swap(a, b);
    ResetChildIndexes(0);
    if (FVisual && !Loading()) FVisual->Realign();
}

void TvgObject::BringToFront() {
    if (!FParent) return;
    FParent->MoveChild(this, FParent->ChildrenCount() - 1);
    if (FVisual) FVisual->Repaint();
}

void TvgObject::SendToBack() {
    if (!FParent) return;
    SetIndex(0);
}

void TvgObject::DeleteChildren() {
    // Each child takes itself out of the list while it is freed; freeing one may free a sibling it
    // owns, so the list is re-read every time.
    while (!FChildren.empty()) {
        TvgObject* child = FChildren.back();
        delete child;
        if (!FChildren.empty() && FChildren.back() == child) FChildren.pop_back();
    }
}

void TvgObject::Sort(const std::function<bool(TvgObject*, TvgObject*)>& ALess) {
    std::stable_sort(FChildren.begin(), FChildren.end(), ALess);
    ResetChildIndexes(0);
}

TvgObject* TvgObject::FindResource(const QString& AName) const {
    if (AName.isEmpty()) return nullptr;
    for (TvgObject* child : FChildren) {
        if (child->FResourceName.compare(AName, Qt::CaseInsensitive) == 0) return child;
        if (qobject_cast<TvgControl*>(child)) continue;
        if (TvgObject* found = child->TvgObject::FindResource(AName)) return found;
    }
    return nullptr;
}

TvgObject* TvgObject::FindBinding(const QString& AName) {
    if (FBindingName.compare(AName, Qt::CaseInsensitive) == 0) return this;
    for (TvgObject* child : FChildren)
        if (TvgObject* found = child->FindBinding(AName)) return found;
    return nullptr;
}

void TvgObject::AddObjectsToList(std::vector<TvgObject*>& AList) {
    AList.push_back(this);
    for (TvgObject* child : FChildren) child->AddObjectsToList(AList);
}

void TvgObject::AddControlsToList(std::vector<TvgControl*>& AList) {
    if (auto* control = qobject_cast<TvgControl*>(this)) AList.push_back(control);
    for (TvgObject* child : FChildren) child->AddControlsToList(AList);
}

void TvgObject::FinishLoading() {
    std::vector<TvgObject*> all;
    AddObjectsToList(all);
    for (TvgObject* object : all) object->FLoading = false;
    CallLoaded();
}

void TvgObject::CallLoaded() {
    Loaded();
    // Loaded may realign and thereby change nothing in the list itself; copy anyway so that a
    // subclass adding parts in Loaded does not disturb the walk.
    const std::vector<TvgObject*> children = FChildren;
    for (TvgObject* child : children) child->CallLoaded();
}

void TvgObject::StartTriggerAnimation(TvgObject* AInstance, const QString& ATrigger) {
    const std::vector<TvgObject*> children = FChildren;
    for (TvgObject* child : children) {
        if (child->IsAnimation()) {
            child->StartTrigger(AInstance, ATrigger);
        } else if (child->FVisual && child->FVisual->Locked() && !child->FVisual->HitTest()) {
            child->StartTriggerAnimation(AInstance, ATrigger);
        }
    }
}

void TvgObject::StopTriggerAnimation(TvgObject* AInstance) {
    const std::vector<TvgObject*> children = FChildren;
    for (TvgObject* child : children) {
        if (child->IsAnimation()) {
            child->StopTrigger(AInstance);
        } else if (child->FVisual && child->FVisual->Locked() && !child->FVisual->HitTest()) {
            child->StopTriggerAnimation(AInstance);
        }
    }
}

void TvgObject::ApplyTriggerEffect(TvgObject* AInstance, const QString& ATrigger) {
    const std::vector<TvgObject*> children = FChildren;
    for (TvgObject* child : children) {
        if (child->IsEffect()) {
            child->ApplyTrigger(AInstance, ATrigger);
        } else if (child->FVisual && child->FVisual->Locked() && !child->FVisual->HitTest()) {
            child->ApplyTriggerEffect(AInstance, ATrigger);
        }
    }
}

void TvgObject::UpdateResource() {
    const std::vector<TvgObject*> children = FChildren;
    for (TvgObject* child : children) child->UpdateResource();
}
