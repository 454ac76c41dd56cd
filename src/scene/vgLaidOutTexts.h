#pragma once
// Text laid out once and drawn again from its lines: QPainter::drawText breaks and shapes its text
// on every call, which is most of a label's paint. The lines are placed as drawText places them
// (whole-pixel line tops, the block aligned in its box, each line aligned on its own), and a text
// whose placement differs in ways not repeated here (tabs, control characters, mnemonics, right to
// left, right-aligned lines that may start with spaces) is left to drawText. Bounded: the least
// recently used layouts go first.

#include <QCache>
#include <QFont>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QTextLayout>

#include <vector>

class QPainter;
class QPaintDevice;

class TvgLaidOutTexts {
public:
    explicit TvgLaidOutTexts(int capacity = 256);

    // Draws `text` in `box` with the alignment and wrap of `flags` (Qt::AlignmentFlag,
    // Qt::TextWordWrap, Qt::TextSingleLine; kept only with Qt::TextDontClip) as painter.drawText(box, flags,
    // text) draws it, with the painter's pen, opacity, clip and transform. `device` is the surface whose
    // resolution the font is laid out for.
    void Draw(QPainter& painter, QPaintDevice* device, const QFont& font, const QRectF& box, int flags,
              const QString& text);

    // Whether Draw can keep a layout for this text, or hands it to drawText.
    static bool Keeps(const QString& text, int flags);

    int Count() const { return static_cast<int>(FEntries.count()); }

    struct TKey {
        QString Text;
        QFont Font;
        QSizeF Box;
        int Flags = 0;
        bool operator==(const TKey& other) const {
            return Flags == other.Flags && Box == other.Box && Text == other.Text && Font == other.Font;
        }
    };

private:
    struct TEntry {
        QTextLayout Layout;
        std::vector<QPointF> LineOrigins;  // from the box's top left
    };
    static TEntry* LayOut(QPaintDevice* device, const TKey& key);

    QCache<TKey, TEntry> FEntries;
};

size_t qHash(const TvgLaidOutTexts::TKey& key, size_t seed = 0) noexcept;
