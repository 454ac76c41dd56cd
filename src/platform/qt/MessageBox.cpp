#include "MessageBox.h"

#include <QAbstractButton>
#include <QMessageBox>

void SetUpMessageBox(QMessageBox& ABox, const QString& AText, const QString& ATitle, TMsgIcon AIcon,
                     TMsgButtons AButtons) {
    ABox.setWindowTitle(ATitle);
    ABox.setTextFormat(Qt::PlainText);
    ABox.setText(AText);
    switch (AIcon) {
        case TMsgIcon::MI_None:
            ABox.setIcon(QMessageBox::NoIcon);
            break;
        case TMsgIcon::MI_Information:
            ABox.setIcon(QMessageBox::Information);
            break;
        case TMsgIcon::MI_Question:
            ABox.setIcon(QMessageBox::Question);
            break;
        case TMsgIcon::MI_Warning:
            ABox.setIcon(QMessageBox::Warning);
            break;
        case TMsgIcon::MI_Error:
            ABox.setIcon(QMessageBox::Critical);
            break;
    }
    switch (AButtons) {
        case TMsgButtons::MB_Ok:
            ABox.setStandardButtons(QMessageBox::Ok);
            break;
        case TMsgButtons::MB_YesNo:
            ABox.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case TMsgButtons::MB_OkCancel:
            ABox.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case TMsgButtons::MB_YesNoCancel:
            ABox.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    if (auto* yes = ABox.button(QMessageBox::Yes)) yes->setText(QStringLiteral("是(&Y)"));
    if (auto* no = ABox.button(QMessageBox::No)) no->setText(QStringLiteral("否(&N)"));
    if (auto* ok = ABox.button(QMessageBox::Ok)) ok->setText(QStringLiteral("确定"));
    if (auto* cancel = ABox.button(QMessageBox::Cancel)) cancel->setText(QStringLiteral("取消"));
}

TMsgResult MessageBoxAnswer(const QMessageBox& ABox) {
    switch (ABox.standardButton(ABox.clickedButton())) {
        case QMessageBox::Yes:
            return TMsgResult::MR_Yes;
        case QMessageBox::No:
            return TMsgResult::MR_No;
        case QMessageBox::Cancel:
            return TMsgResult::MR_Cancel;
        case QMessageBox::Ok:
            return TMsgResult::MR_Ok;
        default:
            break;
    }
    if (ABox.button(QMessageBox::Cancel)) return TMsgResult::MR_Cancel;
    if (ABox.button(QMessageBox::No)) return TMsgResult::MR_No;
    return TMsgResult::MR_Ok;
}
