#pragma once
// The manage dialog's rows as a Qt item model, so that a list view can show them. The rows live
// in TManageButtonModel; this adapter only reads them and is told when they changed.

#include <QAbstractTableModel>

class TManageButtonModel;

// The list's columns, in order.
enum TButtonColumn { BC_Name, BC_Place, BC_RunAsk, BC_FileName, BC_CmdLine, BC_Count };

class TButtonTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    TButtonTableModel(const TManageButtonModel& AModel, QObject* AParent);

    int rowCount(const QModelIndex& AParent = QModelIndex()) const override;
    int columnCount(const QModelIndex& AParent = QModelIndex()) const override;
    // The texts of the row; the icon of the first column as a QImage (decoration); rows are 36 high.
    QVariant data(const QModelIndex& AIndex, int ARole) const override;
    QVariant headerData(int ASection, Qt::Orientation AOrientation, int ARole) const override;

    // The rows changed in some way (added, edited, moved, deleted): the views read them again.
    void Refresh();

private:
    const TManageButtonModel& FModel;
};
