#pragma once
// What the manage buttons dialog does, without its widgets: the list of the plan's buttons, the
// fields of the button being edited, adding, editing, reordering and deleting rows, storing their
// icons in the plan folder, and "应用", which writes Desktop.xml and has the scene rebuilt.
// The form shows this state and forwards its controls' events here; tests drive it directly.

#include <QString>
#include <QStringList>

#include <exception>
#include <functional>
#include <optional>
#include <vector>

#include "uButtonPicture.h"
#include "uButtonRow.h"

class IXMLDesktop;
class TMaroviaManage;

// Which of the two radio buttons decides what "保存信息" does.
enum TSaveMode { SM_Edit, SM_Add };

// The controls the dialog puts the keyboard focus on.
enum TManageField { MF_Name, MF_FileName, MF_List };

class TManageButtonModel {
public:
    explicit TManageButtonModel(TMaroviaManage& AManage);

    // Fills the list from the scene manager's live buttons (once, when the dialog opens).
    void LoadButtonList();

    // The rows, in list order.
    int RowCount() const { return static_cast<int>(FRows.size()); }
    const TButtonRow& Row(int AIndex) const { return FRows.at(static_cast<std::size_t>(AIndex)); }
    // What the batch settings write into a row.
    void SetRowPlaceAndRunAsk(int AIndex, const QString& APlaceText, const QString& ARunAskText);
    // The selected row, -1 for none.
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int AIndex);

    // The fields of the button being edited.
    QString Name() const { return FName; }
    void SetName(const QString& AValue) { FName = AValue; }
    int PlaceIndex() const { return FPlaceIndex; }
    void SetPlaceIndex(int AValue) { FPlaceIndex = AValue; }
    bool RunAsk() const { return FRunAsk; }
    void SetRunAsk(bool AValue) { FRunAsk = AValue; }
    QString FileName() const { return FFileName; }
    void SetFileName(const QString& AValue) { FFileName = AValue; }
    QString CmdLine() const { return FCmdLine; }
    void SetCmdLine(const QString& AValue) { FCmdLine = AValue; }
    const std::optional<TButtonPicture>& Picture() const { return FPicture; }
    TSaveMode SaveMode() const { return FSaveMode; }
    void SetSaveMode(TSaveMode AValue) { FSaveMode = AValue; }

    // "上移", "下移" and "删除" go together: usable while a row is selected.
    bool RowButtonsEnabled() const { return FRowButtonsEnabled; }
    bool ApplyEnabled() const { return FApplyEnabled; }
    void EnableApply() { FApplyEnabled = true; }
    // Picture files to delete at the next "应用".
    const QStringList& TempImageList() const { return FTempImageList; }

    // Asked to move the keyboard focus to a control; the form assigns it.
    void SetOnFocusField(std::function<void(TManageField)> AHandler) { FOnFocusField = std::move(AHandler); }

    // The dialog's actions, named after the controls whose events run them.
    void LvButtonsClick();
    void BtnWorkOkClick();
    void AddButtonInfo();
    void EditButtonInfo();
    void ClearButtonInfo();
    void BEdtFileNameButtonClick();
    void BtnChageIconClick();
    void BtnupMoveClick();
    void BtnDownMoveClick();
    void BtnDeleteClick();
    // Writes the plan's file, deletes the queued pictures and reloads the scene. Raises the first
    // failure after the save and the reload have been attempted.
    void Apply();
    // "应用" as the button runs it: a failure is shown to the user. True when it succeeded.
    bool BtnApplyClick();
    // "确定": applies pending changes first. True when the dialog may close.
    bool BtnOkClick();

    bool ButtonNameExists(const QString& AName) const;

private:
    void Hint(const QString& AText) const;
    void FocusField(TManageField AField) const;
    void StoreNewRowPicture(TButtonRow& ARow);
    void StoreEditedRowPicture(TButtonRow& ARow);
    std::exception_ptr WriteRows(IXMLDesktop& ADesktop) const;

    TMaroviaManage& FManage;
    std::vector<TButtonRow> FRows;
    int FItemIndex = -1;
    QString FName;
    int FPlaceIndex = 0;
    bool FRunAsk = false;
    QString FFileName;
    QString FCmdLine;
    std::optional<TButtonPicture> FPicture;
    TSaveMode FSaveMode = SM_Add;
    bool FRowButtonsEnabled = false;
    bool FApplyEnabled = false;
    QStringList FTempImageList;
    std::function<void(TManageField)> FOnFocusField;
};

// Blanks and control characters (everything up to U+0020) off both ends; other spaces, such as
// the ideographic one, belong to the text.
QString TrimText(const QString& AText);
// An error's own message, for the Chinese lead-in of a message box.
QString ErrorMessage(const std::exception& AError);
