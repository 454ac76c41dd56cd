#pragma once
// The texts a canvas has fitted to their boxes, kept so that a label painted again unchanged is not
// measured and shortened again: fitting shapes the whole text, which cost as much as drawing it.
// Bounded: the least recently used entries go first.

#include <QCache>
#include <QFont>
#include <QSizeF>
#include <QString>

class TvgFittedTexts {
public:
    explicit TvgFittedTexts(int capacity = 512);

    // What vgFitTextToBox gives for these, from the cache when it was asked before.
    QString Fitted(const QFont& font, const QString& text, QSizeF box, bool wordWrap);

    int Count() const { return static_cast<int>(FEntries.count()); }
    void Clear() { FEntries.clear(); }

    struct TKey {
        QString Text;
        QFont Font;
        QSizeF Box;
        bool WordWrap = false;
        bool operator==(const TKey& other) const {
            return WordWrap == other.WordWrap && Box == other.Box && Text == other.Text && Font == other.Font;
        }
    };

private:
    QCache<TKey, QString> FEntries;
};

size_t qHash(const TvgFittedTexts::TKey& key, size_t seed = 0) noexcept;
