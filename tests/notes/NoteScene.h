#pragma once
// A desktop scene on the fake platform for notes: a 1000 × 700 root at the screen's origin, a
// fresh installation whose note pictures are plain squares of seven known colours, and the mouse
// as the host window delivers it.

#include <QApplication>
#include <QColor>
#include <QImage>

#include <memory>

#include "FakePlatformScope.h"
#include "InstallationScope.h"
#include "uDesktopTakeNote.h"
#include "uTakeNoteManage.h"
#include "ufrmEditTakeNote.h"
#include "vgAniThread.h"
#include "vgBackground.h"
#include "vgImage.h"
#include "vgPosition.h"
#include "vgScene.h"

// The colour of picture N.Png in the test installation.
inline QRgb SkinColor(int n) {
    return QColor::fromHsv((n - 1) * 50, 255, 200).rgb();
}

inline void WriteSkins(const QString& folder, const QString& extension = QStringLiteral(".Png")) {
    for (int n = 1; n <= TDesktopTakeNote::SkinCount; ++n) {
        QImage image(8, 8, QImage::Format_ARGB32);
        image.fill(SkinColor(n));
        image.save(folder + QString::number(n) + extension, "PNG");
    }
}

// The colour the note's picture shows (its top-left pixel).
inline QRgb ShownSkin(const TDesktopTakeNote& note) {
    const QImage& image = note.Image()->Bitmap()->Image();
    return image.isNull() ? 0 : image.pixel(0, 0);
}

// The editor windows open now.
inline std::vector<TfrmEditTakeNote*> OpenEditors() {
    std::vector<TfrmEditTakeNote*> editors;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* editor = qobject_cast<TfrmEditTakeNote*>(widget); editor && editor->isVisible())
            editors.push_back(editor);
    return editors;
}

inline void CloseEditors() {
    for (TfrmEditTakeNote* editor : OpenEditors()) delete editor;
}

class NoteScene {
public:
    NoteScene() {
        Fake->SetWorkArea(QRect(0, 0, 1000, 700));
        Fake->SetScreenSize(QSize(1000, 740));
        WriteSkins(Installation.Paths().TakeNoteImagePath());
        Scene = std::make_unique<TvgScene>();
        Scene->SetTransparency(true);
        Scene->SetBounds(QRect(0, 0, 1000, 700));
        Root = new TvgBackground(Scene.get());
        Scene->AddObject(Root);
        Scene->Show();
        Fake->Advance(1);
    }
    ~NoteScene() {
        CloseEditors();
        Scene.reset();
        TvgAniThread::FreeInstance();
    }
    NoteScene(const NoteScene&) = delete;
    NoteScene& operator=(const NoteScene&) = delete;

    // A note on the root bound to `item`, at (x, y).
    TDesktopTakeNote* AddNote(TTakeNoteItem& item, float x = 100, float y = 50) {
        auto* note = new TDesktopTakeNote(Root);
        note->SetParent(Root);
        note->SetTakeNoteItem(&item);
        note->Position()->SetPoint({x, y});
        return note;
    }

    void MoveTo(float x, float y, TShiftState shift = TShiftState()) {
        Scene->HostMouseMove(shift, QPointF(x, y));
    }
    void Press(TMouseButton button, float x, float y, TShiftState shift) {
        Scene->HostMouseDown(button, shift, QPointF(x, y));
    }
    void Release(TMouseButton button, float x, float y) {
        Scene->HostMouseUp(button, TShiftState(), QPointF(x, y));
    }
    void Drag(float fromX, float fromY, float toX, float toY) {
        const TShiftState left(TShiftFlag::ssLeft);
        MoveTo(fromX, fromY);
        Press(TMouseButton::mbLeft, fromX, fromY, left);
        MoveTo(toX, toY, left);
        Release(TMouseButton::mbLeft, toX, toY);
    }
    void RightClick(float x, float y) {
        MoveTo(x, y);
        Press(TMouseButton::mbRight, x, y, TShiftState(TShiftFlag::ssRight));
        Release(TMouseButton::mbRight, x, y);
    }
    void DoubleClick(float x, float y) {
        const TShiftState left(TShiftFlag::ssLeft);
        MoveTo(x, y);
        Press(TMouseButton::mbLeft, x, y, left);
        Release(TMouseButton::mbLeft, x, y);
        Press(TMouseButton::mbLeft, x, y, left | TShiftFlag::ssDouble);
        Release(TMouseButton::mbLeft, x, y);
    }

    FakePlatformScope Fake;
    InstallationScope Installation;
    std::unique_ptr<TvgScene> Scene;
    TvgBackground* Root = nullptr;
};
