#pragma once
// The base of everything in a scene. Two relations are kept apart: the QObject parent is the owner
// (it frees what it owns; Owner()), while Parent()/Children() are the scene tree in paint order
// (index 0 is painted first, hit last). Freeing an object takes it out of its parent and frees its
// scene children. Every object is entered into a process-wide registry of live objects at
// construction, the last fallback of style lookup.

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

#include "vgTypes.h"

class IvgScene;
class TvgVisualObject;
class TvgControl;

class TvgObject : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString ResourceName READ ResourceName WRITE SetResourceName)
    Q_PROPERTY(QString BindingName READ BindingName WRITE SetBindingName)
    Q_PROPERTY(bool Stored READ Stored WRITE SetStored)
    Q_PROPERTY(float TagFloat READ TagFloat WRITE SetTagFloat)
    Q_PROPERTY(QString TagString READ TagString WRITE SetTagString)

public:
    explicit TvgObject(QObject* AOwner = nullptr);
    ~TvgObject() override;

    QObject* Owner() const { return parent(); }

    // --- scene tree ---
    TvgObject* Parent() const { return FParent; }
    // Same value: nothing. Otherwise the object leaves its old parent (or the scene's roots) and
    // is added to the new parent; null just detaches.
    void SetParent(TvgObject* AParent);
    virtual void AddObject(TvgObject* AObject);
    virtual void RemoveObject(TvgObject* AObject);
    int ChildrenCount() const { return static_cast<int>(FChildren.size()); }
    // Null for an index outside the list.
    TvgObject* Children(int AIndex) const;
    const std::vector<TvgObject*>& ChildList() const { return FChildren; }
    // Position in the parent's list (-1 without a parent); writing moves the object there.
    int Index() const;
    void SetIndex(int AIndex);
    void Exchange(TvgObject* AObject1, TvgObject* AObject2);
    void BringToFront();
    void SendToBack();
    void DeleteChildren();
    // Stable sort of the children; ALess answers whether the first goes before the second.
    void Sort(const std::function<bool(TvgObject*, TvgObject*)>& ALess);
    // Depth-first among the descendants by ResourceName (case-insensitive); does not look inside
    // nested controls. An empty name finds nothing.
    virtual TvgObject* FindResource(const QString& AName) const;
    // Depth-first over self and descendants by BindingName (case-insensitive).
    TvgObject* FindBinding(const QString& AName);
    // A deep copy: every stored published property (sub-objects such as Position included) and
    // every stored child, created by class name under the new owner. Null when the class cannot
    // be created.
    TvgObject* Clone(QObject* AOwner) const;
    void AddObjectsToList(std::vector<TvgObject*>& AList);
    void AddControlsToList(std::vector<TvgControl*>& AList);

    // --- scene ---
    IvgScene* Scene() const { return FScene; }
    // Gives the object and its whole subtree a scene (the scene host does this for its roots).
    void SetScene(IvgScene* AScene);
    bool IsVisual() const { return FIsVisual; }
    TvgVisualObject* Visual() const { return FVisual; }

    // --- published ---
    QString ResourceName() const { return FResourceName; }
    void SetResourceName(const QString& value);
    QString BindingName() const { return FBindingName; }
    void SetBindingName(const QString& value) { FBindingName = value; }
    bool Stored() const { return FStored; }
    void SetStored(bool value) { FStored = value; }
    float TagFloat() const { return FTagFloat; }
    void SetTagFloat(float value) { FTagFloat = value; }
    QString TagString() const { return FTagString; }
    void SetTagString(const QString& value) { FTagString = value; }
    QObject* TagObject() const { return FTagObject; }
    void SetTagObject(QObject* value) { FTagObject = value; }

    // --- loading from data (style sets, clones) ---
    // While loading, setters only store: no layout, no invalidation.
    bool Loading() const { return FLoading; }
    void SetLoading(bool value) { FLoading = value; }
    // Clears the loading state of the subtree, then runs Loaded on each object, parents first.
    void FinishLoading();
    // Runs once loading of the object has completed.
    virtual void Loaded() {}
    bool Destroying() const { return FDestroying; }

    // --- state triggers (animations and effects are found among the children) ---
    // Offers the trigger to every animation child and, recursively, to the locked parts of a style
    // clone that do not take the mouse.
    void StartTriggerAnimation(TvgObject* AInstance, const QString& ATrigger);
    void StopTriggerAnimation(TvgObject* AInstance);
    void ApplyTriggerEffect(TvgObject* AInstance, const QString& ATrigger);

    // Hooks the animation and effect classes override, so that the tree can find and drive them
    // without knowing their classes.
    virtual bool IsAnimation() const { return false; }
    virtual void StartTrigger(TvgObject* AInstance, const QString& ATrigger) {}
    // Stops the animation when it runs on a trigger.
    virtual void StopTrigger(TvgObject* AInstance) {}
    virtual bool IsEffect() const { return false; }
    // An enabled effect changes the parent's painting and update rectangle.
    virtual bool EffectEnabled() const { return false; }
    virtual bool EffectDisablesPaint() const { return false; }
    // The area an effect covers for an object rectangle, in the object's local units.
    virtual TvgRect EffectRect(const TvgRect& ARect) const { return ARect; }
    virtual void ApplyTrigger(TvgObject* AInstance, const QString& ATrigger) {}

    // Re-applies the styles of the object and all its descendants.
    virtual void UpdateResource();

    // The serial number of creation (the registry of live objects orders by it).
    std::uint64_t CreationSerial() const { return FSerial; }

protected:
    // Subclasses that are visual announce it from their constructor.
    void MarkVisual(TvgVisualObject* AVisual);
    // The object's parent or scene changed: derived caches must be recomputed.
    virtual void ParentChanged() {}
    // Takes the object out of its parent, or out of the scene's roots when it is one.
    void Detach();
    void SetDestroying() { FDestroying = true; }
    void ResetChildIndexes(std::size_t AFrom);

private:
    bool IsAncestorOf(const TvgObject* AObject) const;
    void SetSceneRecursive(IvgScene* AScene);
    void RecalcChildFlags();
    void MoveChild(TvgObject* AChild, int ANewIndex);
    void CallLoaded();

    TvgObject* FParent = nullptr;
    std::vector<TvgObject*> FChildren;
    IvgScene* FScene = nullptr;
    bool FIsVisual = false;
    TvgVisualObject* FVisual = nullptr;
    mutable int FIndex = -1;
    QString FResourceName;
    QString FBindingName;
    bool FStored = true;
    QObject* FTagObject = nullptr;
    float FTagFloat = 0;
    QString FTagString;
    bool FLoading = false;
    bool FDestroying = false;
    std::uint64_t FSerial = 0;

    friend class TvgVisualObject;
};
