#pragma once
// What the note editor window shows and where, and what it writes back: kept apart from the
// widgets so that it can be checked without a window.

#include <QFont>
#include <QPointer>
#include <QRect>
#include <QString>

#include "uDesktopTakeNote.h"
#include "uPubFuns.h"

class TEditTakeNoteLogic {
public:
    // Held weakly: a note freed while its editor is open is simply not written to.
    TDesktopTakeNote* DesktopTakeNote() const { return FDesktopTakeNote; }
    void SetDesktopTakeNote(TDesktopTakeNote* value) { FDesktopTakeNote = value; }

    // Over the note's text area, in screen pixels.
    QRect WindowRect() const;
    QString Text() const;
    // The note's family and pixel size; only bold and italic are shown while editing.
    QFont Font() const;
    TColorValue FontColor() const;
    // The editor is left: the text becomes the note's.
    void Commit(const QString& AText);

private:
    QPointer<TDesktopTakeNote> FDesktopTakeNote;
};
