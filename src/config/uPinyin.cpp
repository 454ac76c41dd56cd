#include "uPinyin.h"

#include <memory>
#include <vector>

#if defined(MAROVIA_HAVE_ICU)
#include <unicode/translit.h>
#include <unicode/unistr.h>
#endif

#include "uPinyinTable.h"

namespace {

#if defined(MAROVIA_HAVE_ICU)
// Made once: creating a transliterator parses its rules, which takes milliseconds.
icu::Transliterator* HanToLatin() {
    static const std::unique_ptr<icu::Transliterator> instance = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Transliterator> made(icu::Transliterator::createInstance(
            icu::UnicodeString::fromUTF8("Han-Latin; Latin-ASCII; Lower"), UTRANS_FORWARD, status));
        if (U_FAILURE(status)) made.reset();
        return made;
    }();
    return instance.get();
}

QString ReadingOf(const QString& AText) {
    icu::Transliterator* transliterator = HanToLatin();
    if (!transliterator) return AText;
    icu::UnicodeString text(reinterpret_cast<const UChar*>(AText.utf16()),
                            static_cast<int32_t>(AText.size()));
    transliterator->transliterate(text);
    return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length()).remove(QLatin1Char(' '));
}
#endif

// Whether the character at AIndex (ALength code units, code point ACode) is a Chinese one.
bool IsHan(const QString& AName, qsizetype AIndex, qsizetype& ALength, char32_t& ACode) {
    const QChar c = AName.at(AIndex);
    ACode = c.unicode();
    ALength = 1;
    if (c.isHighSurrogate() && AIndex + 1 < AName.size() && AName.at(AIndex + 1).isLowSurrogate()) {
        ACode = QChar::surrogateToUcs4(c, AName.at(AIndex + 1));
        ALength = 2;
    }
    return QChar::script(ACode) == QChar::Script_Han;
}

}  // namespace

bool PinyinAvailable() {
#if defined(MAROVIA_HAVE_ICU)
    return HanToLatin() != nullptr;
#else
    return PinyinTableAvailable();
#endif
}

namespace {

// A name's syllables with AReading giving a Chinese character's reading (empty: none).
template <typename Reading>
QStringList SyllablesOf(const QString& AName, Reading AReading) {
    QStringList syllables;
    for (qsizetype i = 0; i < AName.size();) {
        qsizetype length = 1;
        char32_t code = 0;
        const bool han = IsHan(AName, i, length, code);
        const QString character = AName.mid(i, length);
        i += length;
        if (character.trimmed().isEmpty()) continue;
        if (han) {
            const QString reading = AReading(character, code);
            syllables << (reading.isEmpty() ? character : reading);
            continue;
        }
        syllables << character.toLower();
    }
    return syllables;
}

}  // namespace

QStringList NameSyllables(const QString& AName) {
#if defined(MAROVIA_HAVE_ICU)
    return SyllablesOf(AName, [](const QString& character, char32_t) {
        return HanToLatin() ? ReadingOf(character) : QString();
    });
#else
    return TableNameSyllables(AName);
#endif
}

QStringList TableNameSyllables(const QString& AName) {
    return SyllablesOf(AName, [](const QString&, char32_t code) { return PinyinTableReading(code); });
}

bool TPinyinMatcher::Matches(const QString& AName, const QString& ATyped) {
    QString typed = ATyped.toLower();
    typed.remove(QLatin1Char(' '));
    if (typed.isEmpty()) return true;
    QString plain = AName.toLower();
    if (plain.remove(QLatin1Char(' ')).contains(typed)) return true;
    auto found = FSyllables.constFind(AName);
    if (found == FSyllables.constEnd()) found = FSyllables.insert(AName, NameSyllables(AName));
    const QStringList& syllables = *found;
    const qsizetype n = syllables.size();
    const qsizetype m = typed.size();
    // reach[i][j]: the first j typed characters end exactly before syllable i, along a run of
    // consecutive syllables that may start anywhere.
    std::vector<char> reach(static_cast<std::size_t>((n + 1) * (m + 1)), 0);
    const auto at = [m](qsizetype i, qsizetype j) { return static_cast<std::size_t>(i * (m + 1) + j); };
    for (qsizetype i = 0; i <= n; ++i) reach[at(i, 0)] = 1;
    for (qsizetype i = 0; i < n; ++i) {
        const QString& syllable = syllables.at(i);
        for (qsizetype j = 0; j < m; ++j) {
            if (!reach[at(i, j)]) continue;
            // Each syllable gives a beginning of itself: its first letter up to the whole of it.
            for (qsizetype k = 1; k <= syllable.size() && j + k <= m; ++k) {
                if (syllable.at(k - 1) != typed.at(j + k - 1)) break;
                if (j + k == m) return true;
                reach[at(i + 1, j + k)] = 1;
            }
        }
    }
    return false;
}
