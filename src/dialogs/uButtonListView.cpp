#include "uButtonListView.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <climits>

#include "uButtonTableModel.h"
#include "uColumnText.h"

namespace {

struct TColumnLimits {
    int Width;
    int Minimum;
    int Maximum;  // 0: none
};

constexpr TColumnLimits kColumns[BC_Count] = {
    {130, 120, 0}, {90, 90, 90}, {40, 40, 40}, {280, 240, 700}, {150, 80, 150}};

const QColor kSelectedFill(236, 247, 140);
const QColor kTextColor(0, 0, 255);
const QColor kGridColor(220, 220, 220);

// Text is placed by its top edge, 12 pixels below the row's top.
constexpr int kTextTop = 12;

}  // namespace

TButtonListView::TButtonListView(QWidget* AParent) : QTreeView(AParent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setSectionsClickable(false);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
    connect(header(), &QHeaderView::sectionResized, this,
            [this](int column, int, int newSize) { KeepColumnLimits(column, newSize); });
}

void TButtonListView::setModel(QAbstractItemModel* AModel) {
    QTreeView::setModel(AModel);
    for (int column = 0; column < BC_Count; ++column) header()->resizeSection(column, kColumns[column].Width);
}

void TButtonListView::KeepColumnLimits(int AColumn, int ANewSize) {
    if (AColumn < 0 || AColumn >= BC_Count) return;
    const TColumnLimits& limits = kColumns[AColumn];
    int size = std::max(ANewSize, limits.Minimum);
    if (limits.Maximum > 0) size = std::min(size, limits.Maximum);
    // The second resize is within the limits, so it does not come back here with a change.
    if (size != ANewSize) header()->resizeSection(AColumn, size);
}

std::vector<int> TButtonListView::ColumnWidths() const {
    std::vector<int> widths;
    for (int column = 0; column < BC_Count; ++column) widths.push_back(header()->sectionSize(column));
    return widths;
}

int TButtonListView::SelectedRow() const {
    if (!selectionModel()) return -1;
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TButtonListView::SelectRow(int ARow) {
    if (!model() || !selectionModel()) return;
    if (ARow < 0 || ARow >= model()->rowCount()) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex index = model()->index(ARow, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

void TButtonListView::mouseReleaseEvent(QMouseEvent* AEvent) {
    QTreeView::mouseReleaseEvent(AEvent);
    if (AEvent->button() == Qt::LeftButton && FOnClick) FOnClick();
}

void TButtonListView::drawRow(QPainter* APainter, const QStyleOptionViewItem& AOption,
                              const QModelIndex& AIndex) const {
    // Measured from the list's left edge, which moves when the list is scrolled sideways.
    QRect row = AOption.rect;
    row.setLeft(header()->sectionViewportPosition(0));
    APainter->save();
    if (selectionModel() && selectionModel()->isRowSelected(AIndex.row(), AIndex.parent()))
        APainter->fillRect(row, kSelectedFill);
    else
        APainter->fillRect(row, AOption.palette.base());
    APainter->setPen(kGridColor);
    APainter->drawLine(row.bottomLeft(), row.bottomRight());
    for (int column = 1; column < BC_Count; ++column) {
        const int x = header()->sectionViewportPosition(column) - 1;
        APainter->drawLine(x, row.top(), x, row.bottom());
    }
    DrawCells(*APainter, row, AIndex);
    APainter->restore();
}

void TButtonListView::DrawCells(QPainter& APainter, const QRect& ARow, const QModelIndex& AIndex) const {
    const auto text = [&](int column) { return AIndex.siblingAtColumn(column).data().toString(); };
    const QVariant picture = AIndex.siblingAtColumn(BC_Name).data(Qt::DecorationRole);
    if (picture.canConvert<QImage>()) {
        APainter.setRenderHint(QPainter::SmoothPixmapTransform);
        APainter.drawImage(QRect(ARow.left() + 2, ARow.top() + 2, 34, 34), picture.value<QImage>());
    }

    const std::vector<int> widths = ColumnWidths();
    const auto drawText = [&](const QFont& font, int x, const QString& value, int limit) {
        APainter.setFont(font);
        const QFontMetrics metrics(font);
        const QString shown = limit == INT_MAX ? value : FitColumnText(value, limit, [&](const QString& s) {
            return metrics.horizontalAdvance(s);
        });
        APainter.drawText(ARow.left() + x, ARow.top() + kTextTop + metrics.ascent(), shown);
    };

    APainter.setPen(kTextColor);
    QFont bold = font();
    bold.setBold(true);
    drawText(bold, GetColumnLeft(widths, BC_Name), text(BC_Name), widths[BC_Name] - 55);
    drawText(font(), GetColumnLeft(widths, BC_Place), text(BC_Place), INT_MAX);
    drawText(font(), GetColumnLeft(widths, BC_RunAsk) + 10, text(BC_RunAsk), INT_MAX);
    drawText(font(), GetColumnLeft(widths, BC_FileName), text(BC_FileName), widths[BC_FileName] - 30);
    drawText(font(), GetColumnLeft(widths, BC_CmdLine), text(BC_CmdLine), widths[BC_CmdLine] - 30);
}
