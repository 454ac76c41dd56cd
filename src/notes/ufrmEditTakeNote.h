#pragma once
// The note editor: a borderless window with one text box laid over a note's text. Leaving the
// window is saving the edit: the text goes back to the note and the window closes and frees itself.

#include <QWidget>

#include "uEditTakeNoteLogic.h"

class QPlainTextEdit;
class TDesktopTakeNote;

class TfrmEditTakeNote : public QWidget {
    Q_OBJECT

public:
    explicit TfrmEditTakeNote(QWidget* AParent = nullptr);

    TDesktopTakeNote* DesktopTakeNote() const { return FLogic.DesktopTakeNote(); }
    void SetDesktopTakeNote(TDesktopTakeNote* value);
    QPlainTextEdit* MmoContent() const { return FMmoContent; }

    // The window lost activation: the text goes back to the note, then the window closes.
    void FormDeactivate();

protected:
    void changeEvent(QEvent* event) override;

private:
    TEditTakeNoteLogic FLogic;
    QPlainTextEdit* FMmoContent;
    bool FClosing = false;
};

// Opens a new editor over the note and makes it the active window.
TfrmEditTakeNote* ShowEditTakeNote(TDesktopTakeNote* ADesktopTakeNote);
