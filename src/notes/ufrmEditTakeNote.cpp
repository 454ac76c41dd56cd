#include "ufrmEditTakeNote.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QVBoxLayout>

TfrmEditTakeNote::TfrmEditTakeNote(QWidget* AParent)
    : QWidget(AParent, Qt::Window | Qt::FramelessWindowHint), FMmoContent(new QPlainTextEdit(this)) {
    // Closing frees the window: each opening makes a new one.
    setAttribute(Qt::WA_DeleteOnClose);
    resize(321, 226);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FMmoContent);
    FMmoContent->setFrameShape(QFrame::NoFrame);
    // The note draws its text from the corner of its text area; the text box starts there too, so
    // the text does not move when editing starts (a text document keeps 4 pixels around its text).
    FMmoContent->document()->setDocumentMargin(0);
    FMmoContent->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    FMmoContent->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    FMmoContent->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FMmoContent->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void TfrmEditTakeNote::SetDesktopTakeNote(TDesktopTakeNote* value) {
    FLogic.SetDesktopTakeNote(value);
    if (!value) return;
    setGeometry(FLogic.WindowRect());
    FMmoContent->setPlainText(FLogic.Text());
    FMmoContent->setFont(FLogic.Font());
    const TColorValue color = FLogic.FontColor();
    QPalette palette = FMmoContent->palette();
    palette.setColor(QPalette::Text,
                     QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                            static_cast<int>((color >> 16) & 0xFF)));
    FMmoContent->setPalette(palette);
}

void TfrmEditTakeNote::FormDeactivate() {
    // Closing may itself deactivate the window again; the text goes back once.
    if (FClosing) return;
    FClosing = true;
    FLogic.Commit(FMmoContent->toPlainText());
    close();
}

void TfrmEditTakeNote::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) FormDeactivate();
}

TfrmEditTakeNote* ShowEditTakeNote(TDesktopTakeNote* ADesktopTakeNote) {
    auto* form = new TfrmEditTakeNote;
    form->SetDesktopTakeNote(ADesktopTakeNote);
    form->show();
    form->raise();
    form->activateWindow();
    form->MmoContent()->setFocus();
    return form;
}
