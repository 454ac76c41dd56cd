#pragma once
// What a scene object asks of the scene it lives in. The scene host window implements it; tests use
// a recording one. Everything here runs on the user-interface thread.

#include <QPoint>

#include "vgTypes.h"

class TvgObject;
class TvgVisualObject;
class TvgResources;
class TvgCanvas;

class IvgScene {
public:
    virtual ~IvgScene() = default;

    // Invalidation: R is in scene coordinates.
    virtual void AddUpdateRect(const TvgRect& R) = 0;
    // An object's look changed (not merely its place); it says so before invalidating its area.
    virtual void LookChanged(TvgVisualObject& AObject) {}
    // While true, objects hand no rectangles to the scene.
    virtual bool GetDisableUpdate() const = 0;

    // The root objects. The first one is the Root; AddObject makes an object a root (taking it out
    // of its parent) and gives it the scene; RemoveObject clears its scene and drops it from the
    // list. Both are no-ops for objects that are not (or already are) roots.
    virtual TvgObject* GetRoot() const = 0;
    virtual void AddObject(TvgObject* AObject) = 0;
    virtual void RemoveObject(TvgObject* AObject) = 0;

    // The style set the scene's controls take their look from (may be null).
    virtual TvgResources* GetStyle() const = 0;
    // The drawing surface (null before the host has one).
    virtual TvgCanvas* GetCanvas() const = 0;

    // Mouse capture and keyboard focus. SetFocused calls KillFocus on the previously focused object
    // and EnterFocus on the new one; null clears the focus.
    virtual TvgVisualObject* GetCaptured() const = 0;
    virtual void SetCaptured(TvgVisualObject* AObject) = 0;
    virtual TvgVisualObject* GetFocused() const = 0;
    virtual void SetFocused(TvgVisualObject* AObject) = 0;

    // A scene point to screen pixels (truncated to whole pixels first).
    virtual QPoint LocalToScreen(const TvgPoint& P) const = 0;
};
