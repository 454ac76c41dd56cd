#include "vgFittedTexts.h"

#include <QHashFunctions>

#include "vgQtCanvas.h"

namespace {

// Longer texts are cut by the caller before fitting and are left as they are; keeping them would
// only hold on to large strings.
constexpr qsizetype LongestKeptText = 4096;

}  // namespace

size_t qHash(const TvgFittedTexts::TKey& key, size_t seed) noexcept {
    return qHashMulti(seed, key.Text, key.Font, key.Box.width(), key.Box.height(), key.WordWrap);
}

TvgFittedTexts::TvgFittedTexts(int capacity) : FEntries(capacity) {}

QString TvgFittedTexts::Fitted(const QFont& font, const QString& text, QSizeF box, bool wordWrap) {
    if (text.size() > LongestKeptText) return vgFitTextToBox(font, text, box, wordWrap);
    TKey key{text, font, box, wordWrap};
    if (const QString* kept = FEntries.object(key)) return *kept;
    QString fitted = vgFitTextToBox(font, text, box, wordWrap);
    FEntries.insert(std::move(key), new QString(fitted));
    return fitted;
}
