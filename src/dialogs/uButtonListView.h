#pragma once
// The manage dialog's list of buttons: a report-style list whose rows are drawn by the program
// (icon, name in bold, the other columns cut to fit), whole-row selection, fixed column limits.

#include <QTreeView>

#include <functional>
#include <vector>

class TButtonListView : public QTreeView {
    Q_OBJECT

public:
    explicit TButtonListView(QWidget* AParent = nullptr);

    // Sets the model and the columns' starting widths.
    void setModel(QAbstractItemModel* AModel) override;

    // A click anywhere in the list (on a row or beside the rows), after the selection followed it.
    void SetOnClick(std::function<void()> AHandler) { FOnClick = std::move(AHandler); }
    // The selected row, -1 for none; selecting -1 clears the selection.
    int SelectedRow() const;
    void SelectRow(int ARow);

    std::vector<int> ColumnWidths() const;

protected:
    void drawRow(QPainter* APainter, const QStyleOptionViewItem& AOption,
                 const QModelIndex& AIndex) const override;
    void mouseReleaseEvent(QMouseEvent* AEvent) override;

private:
    void KeepColumnLimits(int AColumn, int ANewSize);
    void DrawCells(QPainter& APainter, const QRect& ARow, const QModelIndex& AIndex) const;

    std::function<void()> FOnClick;
};
