#include "FontDialog.h"

#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

// Sizes travel in pixels; the chooser lists points (96 dots per inch: a point is 4/3 pixel).
constexpr double kPointsPerPixel = 0.75;

QColor ToQColor(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

std::uint32_t FromQColor(const QColor& color) {
    return static_cast<std::uint32_t>(color.red()) | (static_cast<std::uint32_t>(color.green()) << 8) |
           (static_cast<std::uint32_t>(color.blue()) << 16);
}

void ShowSwatch(QPushButton& button, const QColor& color) {
    button.setStyleSheet(QStringLiteral("background-color: %1;").arg(color.name()));
}

// The installed face Qt draws a family with: the family itself when installed, else what its
// substitution or the font matcher resolves it to.
QString InstalledFamily(const QString& family) {
    if (family.isEmpty() || QFontDatabase::hasFamily(family)) return family;
    return QFontInfo(QFont(family)).family();
}

}  // namespace

QFont ToChooserFont(const TDialogFont& AFont) {
    QFont result(InstalledFamily(AFont.Family));
    result.setPointSizeF(std::max(1.0, std::abs(AFont.Height) * kPointsPerPixel));
    result.setBold(AFont.Bold);
    result.setItalic(AFont.Italic);
    result.setUnderline(AFont.Underline);
    result.setStrikeOut(AFont.StrikeOut);
    return result;
}

QString FromChooserFamily(const QString& chosen, const QString& given) {
    return chosen == InstalledFamily(given) ? given : chosen;
}

bool RunFontDialog(TDialogFont& AFont) {
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("字体"));
    auto* layout = new QVBoxLayout(&dialog);

    auto* chooser = new QFontDialog(ToChooserFont(AFont), &dialog);
    chooser->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    chooser->setWindowFlags(Qt::Widget);
    layout->addWidget(chooser);

    QColor color = ToQColor(AFont.Color);
    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(new QLabel(QStringLiteral("颜色：")));
    auto* colorButton = new QPushButton;
    colorButton->setFixedWidth(60);
    ShowSwatch(*colorButton, color);
    QObject::connect(colorButton, &QPushButton::clicked, &dialog, [&] {
        const QColor chosen = QColorDialog::getColor(color, &dialog);
        if (!chosen.isValid()) return;
        color = chosen;
        ShowSwatch(*colorButton, color);
    });
    colorRow->addWidget(colorButton);
    colorRow->addStretch();
    layout->addLayout(colorRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);

    if (dialog.exec() != QDialog::Accepted) return false;
    const QFont chosen = chooser->currentFont();
    AFont.Family = FromChooserFamily(chosen.family(), AFont.Family);
    AFont.Height = static_cast<int>(std::lround(chosen.pointSizeF() / kPointsPerPixel));
    AFont.Bold = chosen.bold();
    AFont.Italic = chosen.italic();
    AFont.Underline = chosen.underline();
    AFont.StrikeOut = chosen.strikeOut();
    AFont.Color = FromQColor(color);
    return true;
}
