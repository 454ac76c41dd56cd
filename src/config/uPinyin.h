#pragma once
// Finding buttons by what the user types: the letters of a name in any case, and for Chinese names
// their pinyin, whole syllables or first letters or a mix ("wjgl", "wenjian", "wjguanli" all find
// "文件管理"). The readings come from ICU's Han-Latin transliteration, or in builds without ICU
// (Windows) from a table written from it at build time (uPinyinTable.h); with neither, Chinese
// characters match only themselves.

#include <QHash>
#include <QString>
#include <QStringList>

// Whether Chinese names can be found by their pinyin in this build.
bool PinyinAvailable();

// The reading of each character of a name, lowered and without tone marks: a syllable for a Chinese
// character ("文" → "wen"), the character itself for anything else. Blanks are left out.
QStringList NameSyllables(const QString& AName);
// The same read from the compiled table alone (what builds without ICU use), to compare the two.
QStringList TableNameSyllables(const QString& AName);

class TPinyinMatcher {
public:
    // True when ATyped (blanks ignored, letters in any case) runs along consecutive characters of
    // AName, each taking the character itself or, for a Chinese one, a beginning of its syllable.
    // An empty text matches every name.
    bool Matches(const QString& AName, const QString& ATyped);

private:
    // Transliterating is slow next to matching: each name is read once.
    QHash<QString, QStringList> FSyllables;
};
