#include "vgLaidOutTexts.h"

#include <QFontMetricsF>
#include <QHashFunctions>
#include <QPainter>
#include <QTextOption>

#include <algorithm>
#include <cmath>

namespace {

constexpr qsizetype LongestKeptText = 4096;

}  // namespace

size_t qHash(const TvgLaidOutTexts::TKey& key, size_t seed) noexcept {
    return qHashMulti(seed, key.Text, key.Font, key.Box.width(), key.Box.height(), key.Flags);
}

TvgLaidOutTexts::TvgLaidOutTexts(int capacity) : FEntries(capacity) {}

bool TvgLaidOutTexts::Keeps(const QString& text, int flags) {
    if (!(flags & Qt::TextDontClip) || text.isEmpty() || text.size() > LongestKeptText ||
        text.isRightToLeft())
        return false;
    for (const QChar c : text) {
        if (c == QLatin1Char('\n')) continue;
        if (c.unicode() < 0x20 || c == QLatin1Char('&') || c.category() == QChar::Other_Format) return false;
        if (c.direction() == QChar::DirR || c.direction() == QChar::DirAL) return false;
    }
    if ((flags & Qt::AlignRight) && text.contains(QLatin1Char(' '))) return false;
    return true;
}

TvgLaidOutTexts::TEntry* TvgLaidOutTexts::LayOut(QPaintDevice* device, const TKey& key) {
    const bool singleLine = key.Flags & Qt::TextSingleLine;
    const bool wrap = key.Flags & Qt::TextWordWrap;
    QString text = key.Text;
    text.replace(QLatin1Char('\n'), singleLine ? QChar(QLatin1Char(' ')) : QChar(QChar::LineSeparator));
    auto* entry = new TEntry;
    QTextLayout& layout = entry->Layout;
    layout.setText(text);
    layout.setFont(QFont(key.Font, device));
    QTextOption option;
    option.setWrapMode(wrap ? QTextOption::WordWrap : QTextOption::ManualWrap);
    // Each line is placed in the box below, not by the layout.
    option.setAlignment(Qt::AlignLeft);
    if (!wrap) option.setFlags(QTextOption::IncludeTrailingSpaces);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    const QFontMetricsF metrics(layout.font());
    const qreal lineWidth = wrap ? std::max<qreal>(0, key.Box.width()) : 0x01000000;
    const qreal leading = metrics.leading();
    qreal height = -leading;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(lineWidth);
        height += leading;
        height = std::ceil(height);
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    qreal top = 0;
    if (key.Flags & Qt::AlignBottom)
        top = key.Box.height() - height;
    else if (key.Flags & Qt::AlignVCenter)
        top = (key.Box.height() - height) / 2;
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        qreal left = 0;
        if (key.Flags & Qt::AlignRight)
            left = key.Box.width() - line.horizontalAdvance();
        else if (key.Flags & Qt::AlignHCenter)
            left = (key.Box.width() - line.horizontalAdvance()) / 2;
        entry->LineOrigins.emplace_back(left, top);
    }
    return entry;
}

void TvgLaidOutTexts::Draw(QPainter& painter, QPaintDevice* device, const QFont& font, const QRectF& box,
                           int flags, const QString& text) {
    if (!Keeps(text, flags)) {
        painter.drawText(box, flags, text);
        return;
    }
    TKey key{text, font, box.size(), flags};
    TEntry* entry = FEntries.object(key);
    if (!entry) {
        entry = LayOut(device, key);
        FEntries.insert(key, entry);
        entry = FEntries.object(key);
        if (!entry) {
            painter.drawText(box, flags, text);
            return;
        }
    }
    for (int i = 0; i < entry->Layout.lineCount(); ++i)
        entry->Layout.lineAt(i).draw(&painter, box.topLeft() + entry->LineOrigins[static_cast<size_t>(i)]);
}
