#pragma once
// The program's message boxes on Qt: Chinese button texts, and the text shown exactly as given.

#include "IPlatform.h"

class QMessageBox;

// The text is plain: a button or note name such as "<b>x</b><!--" is shown as typed and cannot
// hide the lines that follow it (the path a run confirmation names).
void SetUpMessageBox(QMessageBox& ABox, const QString& AText, const QString& ATitle, TMsgIcon AIcon,
                     TMsgButtons AButtons);
// The answer of a closed box. One closed without a choice (the program ending under it) counts as
// the cautious answer: cancel, else no, else OK.
TMsgResult MessageBoxAnswer(const QMessageBox& ABox);
