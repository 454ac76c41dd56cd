#pragma once
// A scene that records what objects ask of it, for tests of the object tree without a host window.

#include <QPointer>

#include <vector>

#include "IvgScene.h"
#include "vgObject.h"
#include "vgVisualObject.h"

class RecordingScene : public IvgScene {
public:
    ~RecordingScene() override {
        for (TvgObject* root : Roots) root->SetScene(nullptr);
    }

    void AddUpdateRect(const TvgRect& R) override { UpdateRects.push_back(R); }
    bool GetDisableUpdate() const override { return DisableUpdate; }
    TvgObject* GetRoot() const override { return Roots.empty() ? nullptr : Roots.front(); }
    void AddObject(TvgObject* AObject) override {
        if (!AObject || std::find(Roots.begin(), Roots.end(), AObject) != Roots.end()) return;
        AObject->SetParent(nullptr);
        Roots.push_back(AObject);
        AObject->SetScene(this);
    }
    void RemoveObject(TvgObject* AObject) override {
        const auto it = std::find(Roots.begin(), Roots.end(), AObject);
        if (it == Roots.end()) return;
        Roots.erase(it);
        AObject->SetScene(nullptr);
    }
    TvgResources* GetStyle() const override { return Style; }
    TvgCanvas* GetCanvas() const override { return nullptr; }
    TvgVisualObject* GetCaptured() const override { return Captured; }
    void SetCaptured(TvgVisualObject* AObject) override { Captured = AObject; }
    TvgVisualObject* GetFocused() const override { return Focused; }
    void SetFocused(TvgVisualObject* AObject) override {
        if (Focused == AObject) return;
        if (Focused) Focused->KillFocus();
        Focused = AObject;
        if (Focused) Focused->EnterFocus();
    }
    QPoint LocalToScreen(const TvgPoint& P) const override {
        return QPoint(static_cast<int>(P.X), static_cast<int>(P.Y)) + ScreenOffset;
    }

    TvgRect UnionOfUpdates() const {
        TvgRect r;
        for (const TvgRect& u : UpdateRects) r = UnionRect(r, u);
        return r;
    }

    std::vector<TvgObject*> Roots;
    std::vector<TvgRect> UpdateRects;
    bool DisableUpdate = false;
    TvgResources* Style = nullptr;
    QPointer<TvgVisualObject> Captured;
    QPointer<TvgVisualObject> Focused;
    QPoint ScreenOffset;
};
