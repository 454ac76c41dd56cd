#pragma once
// The pinyin reading of each Chinese character as a compact table compiled into the program, for
// builds without ICU (Windows). The build writes the table with the WritePinyinTable tool from
// ICU's "Han-Latin; Latin-ASCII; Lower" transliteration, one character at a time, so the table
// reads a character exactly as ICU does; a character ICU leaves as it is has no entry.
//
// Layout: the distinct syllables once each; the code points in runs of consecutive ones (short gaps
// inside a run hold kPinyinNoReading), each run pointing into one array of syllable numbers.

#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>

struct TPinyinRun {
    char32_t First;        // the run's first code point
    std::uint32_t Count;   // how many code points follow from it
    std::uint32_t Offset;  // where its syllable numbers start in kPinyinReadings
};

constexpr std::uint16_t kPinyinNoReading = 0xFFFF;

// What the generated file defines (only in builds that have the table).
namespace pinyin_table {
extern const char kSyllableText[];            // the syllables, each ended by '\0'
extern const std::uint16_t kSyllableStart[];  // where each starts in kSyllableText, then its size
extern const std::size_t kSyllableCount;
extern const TPinyinRun kRuns[];  // by rising First
extern const std::size_t kRunCount;
extern const std::uint16_t kReadings[];  // a syllable number or kPinyinNoReading
extern const std::size_t kReadingCount;
extern const char kIcuVersion[];  // the ICU the table was read from
}  // namespace pinyin_table

// Whether this build carries the table.
bool PinyinTableAvailable();
// The toneless syllable of a character; empty when the table has none (or there is no table).
QString PinyinTableReading(char32_t ACode);
// Every character the table reads, by rising code point.
void ForEachPinyinTableEntry(const std::function<void(char32_t, const QString&)>& AVisit);
// What the table takes in the program: its arrays, in bytes.
std::size_t PinyinTableBytes();
