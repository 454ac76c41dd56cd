#include "uPinyinTable.h"

#include <QStringList>

#include <algorithm>

#if defined(MAROVIA_HAVE_PINYIN_TABLE)

namespace {

// The syllables as strings, made once: a reading is then a shared copy.
const QStringList& Syllables() {
    static const QStringList syllables = [] {
        QStringList made;
        made.reserve(static_cast<qsizetype>(pinyin_table::kSyllableCount));
        for (std::size_t i = 0; i < pinyin_table::kSyllableCount; ++i)
            made << QString::fromUtf8(pinyin_table::kSyllableText + pinyin_table::kSyllableStart[i]);
        return made;
    }();
    return syllables;
}

}  // namespace

bool PinyinTableAvailable() {
    return pinyin_table::kRunCount > 0;
}

QString PinyinTableReading(char32_t ACode) {
    const TPinyinRun* begin = pinyin_table::kRuns;
    const TPinyinRun* end = begin + pinyin_table::kRunCount;
    // The last run that starts at or before the code point.
    const TPinyinRun* run = std::upper_bound(
        begin, end, ACode, [](char32_t code, const TPinyinRun& r) { return code < r.First; });
    if (run == begin) return QString();
    --run;
    const char32_t offset = ACode - run->First;
    if (offset >= run->Count) return QString();
    const std::uint16_t syllable = pinyin_table::kReadings[run->Offset + offset];
    if (syllable == kPinyinNoReading) return QString();
    return Syllables().at(syllable);
}

void ForEachPinyinTableEntry(const std::function<void(char32_t, const QString&)>& AVisit) {
    for (std::size_t r = 0; r < pinyin_table::kRunCount; ++r) {
        const TPinyinRun& run = pinyin_table::kRuns[r];
        for (std::uint32_t i = 0; i < run.Count; ++i) {
            const std::uint16_t syllable = pinyin_table::kReadings[run.Offset + i];
            if (syllable != kPinyinNoReading) AVisit(run.First + i, Syllables().at(syllable));
        }
    }
}

std::size_t PinyinTableBytes() {
    return pinyin_table::kSyllableStart[pinyin_table::kSyllableCount] +
           (pinyin_table::kSyllableCount + 1) * sizeof(std::uint16_t) +
           pinyin_table::kRunCount * sizeof(TPinyinRun) + pinyin_table::kReadingCount * sizeof(std::uint16_t);
}

#else

bool PinyinTableAvailable() {
    return false;
}

QString PinyinTableReading(char32_t) {
    return QString();
}

void ForEachPinyinTableEntry(const std::function<void(char32_t, const QString&)>&) {}

std::size_t PinyinTableBytes() {
    return 0;
}

#endif
