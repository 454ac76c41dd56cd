#include "uButtonTableModel.h"

#include <QSize>

#include "uManageButtonModel.h"

namespace {

constexpr int kRowHeight = 36;

const char* const kHeaders[BC_Count] = {"按钮名称", "位置", "询问", "执行文件路径", "运行参数"};

QString CellText(const TButtonRow& row, int column) {
    switch (column) {
        case BC_Name:
            return row.Caption;
        case BC_Place:
            return row.PlaceText;
        case BC_RunAsk:
            return row.RunAskText;
        case BC_FileName:
            return row.FileName;
        case BC_CmdLine:
            return row.CmdLine;
        default:
            return QString();
    }
}

}  // namespace

TButtonTableModel::TButtonTableModel(const TManageButtonModel& AModel, QObject* AParent)
    : QAbstractTableModel(AParent), FModel(AModel) {}

int TButtonTableModel::rowCount(const QModelIndex& AParent) const {
    return AParent.isValid() ? 0 : FModel.RowCount();
}

int TButtonTableModel::columnCount(const QModelIndex& AParent) const {
    return AParent.isValid() ? 0 : BC_Count;
}

QVariant TButtonTableModel::data(const QModelIndex& AIndex, int ARole) const {
    if (!AIndex.isValid() || AIndex.row() >= FModel.RowCount()) return QVariant();
    const TButtonRow& row = FModel.Row(AIndex.row());
    switch (ARole) {
        case Qt::DisplayRole:
            return CellText(row, AIndex.column());
        case Qt::DecorationRole:
            if (AIndex.column() == BC_Name && row.Picture) return row.Picture->Image();
            return QVariant();
        case Qt::SizeHintRole:
            return QSize(0, kRowHeight);
        default:
            return QVariant();
    }
}

QVariant TButtonTableModel::headerData(int ASection, Qt::Orientation AOrientation, int ARole) const {
    if (AOrientation != Qt::Horizontal || ASection < 0 || ASection >= BC_Count) return QVariant();
    if (ARole == Qt::DisplayRole) return QString::fromUtf8(kHeaders[ASection]);
    if (ARole == Qt::TextAlignmentRole)
        return static_cast<int>(ASection == BC_RunAsk ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    return QVariant();
}

void TButtonTableModel::Refresh() {
    beginResetModel();
    endResetModel();
}
