#pragma once
// What the batch settings dialog does, without its widgets: one check box per row of the manage
// dialog, and "确定" writing one place and one confirmation flag into every checked row.

#include <QString>

#include <vector>

class TManageButtonModel;

class TBatchSetModel {
public:
    explicit TBatchSetModel(TManageButtonModel& AManageButton);

    // One item per row of the manage dialog, in its order, all unchecked.
    void LoadButtons();

    int ItemCount() const { return static_cast<int>(FItems.size()); }
    QString ItemCaption(int AIndex) const;
    bool Checked(int AIndex) const { return FItems.at(static_cast<std::size_t>(AIndex)).Checked; }
    void SetChecked(int AIndex, bool AValue) { FItems.at(static_cast<std::size_t>(AIndex)).Checked = AValue; }
    int GetCheckedCount() const;

    int PlaceIndex() const { return FPlaceIndex; }
    void SetPlaceIndex(int AValue) { FPlaceIndex = AValue; }
    bool RunAsk() const { return FRunAsk; }
    void SetRunAsk(bool AValue) { FRunAsk = AValue; }
    bool CheckAll() const { return FCheckAll; }

    // "全选" turned on or off: every item follows it (later single changes leave it alone).
    void CbCheckAllClick(bool AChecked);
    // True when the dialog may close; with nothing checked it asks for a choice and stays.
    bool BtnOkClick();

private:
    struct TItem {
        int Row;  // the manage dialog's row; its list cannot change while this dialog is open
        bool Checked;
    };

    TManageButtonModel& FManageButton;
    std::vector<TItem> FItems;
    int FPlaceIndex = 0;
    bool FRunAsk = false;
    bool FCheckAll = false;
};
