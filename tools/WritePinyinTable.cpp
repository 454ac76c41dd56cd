// Writes the pinyin table of the builds without ICU (see src/config/uPinyinTable.h) as a C++ source
// file: every code point of the Han script is read alone through ICU's "Han-Latin; Latin-ASCII;
// Lower" transliteration, blanks removed, as the program reads a name's characters with ICU.
// Usage: WritePinyinTable <output.cpp>

#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/uscript.h>
#include <unicode/uvernum.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

// A gap of this many code points without a reading is kept inside a run (two bytes each) rather
// than starting a new run (twelve bytes).
constexpr char32_t kLongestGap = 6;
constexpr std::uint16_t kNoReading = 0xFFFF;

struct Run {
    char32_t First = 0;
    std::uint32_t Count = 0;
    std::uint32_t Offset = 0;
};

std::string Escaped(const std::string& text) {
    std::string out;
    for (const unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\' && c != '?') {
            out += static_cast<char>(c);
        } else {
            char octal[8];
            std::snprintf(octal, sizeof octal, "\\%03o", c);
            out += octal;
        }
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: WritePinyinTable <output.cpp>\n";
        return 2;
    }
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> reader(icu::Transliterator::createInstance(
        icu::UnicodeString::fromUTF8("Han-Latin; Latin-ASCII; Lower"), UTRANS_FORWARD, status));
    if (U_FAILURE(status) || !reader) {
        std::cerr << "WritePinyinTable: no Han-Latin transliteration in this ICU: " << u_errorName(status)
                  << "\n";
        return 1;
    }

    std::vector<std::string> syllables;
    std::map<std::string, std::uint16_t> numbers;
    std::vector<std::pair<char32_t, std::uint16_t>> readings;
    for (UChar32 code = 0; code <= 0x10FFFF; ++code) {
        UErrorCode scriptStatus = U_ZERO_ERROR;
        if (uscript_getScript(code, &scriptStatus) != USCRIPT_HAN || U_FAILURE(scriptStatus)) continue;
        const icu::UnicodeString character(code);
        icu::UnicodeString text(character);
        reader->transliterate(text);
        text.findAndReplace(icu::UnicodeString(u' '), icu::UnicodeString());
        // Left as it is (or read as nothing): the program shows the character itself.
        if (text.isEmpty() || text == character) continue;
        std::string syllable;
        text.toUTF8String(syllable);
        auto [found, added] = numbers.emplace(syllable, static_cast<std::uint16_t>(syllables.size()));
        if (added) syllables.push_back(syllable);
        readings.emplace_back(static_cast<char32_t>(code), found->second);
    }
    if (syllables.size() >= kNoReading) {
        std::cerr << "WritePinyinTable: too many syllables (" << syllables.size() << ")\n";
        return 1;
    }

    // Syllable numbers in code point order, cut into runs at the longer gaps.
    std::vector<Run> runs;
    std::vector<std::uint16_t> cells;
    for (const auto& [code, number] : readings) {
        if (!runs.empty() && code - (runs.back().First + runs.back().Count) <= kLongestGap) {
            while (runs.back().First + runs.back().Count < code) {
                cells.push_back(kNoReading);
                ++runs.back().Count;
            }
        } else {
            runs.push_back({code, 0, static_cast<std::uint32_t>(cells.size())});
        }
        cells.push_back(number);
        ++runs.back().Count;
    }

    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << "// Written by WritePinyinTable from ICU " U_ICU_VERSION " at build time; not to be edited.\n"
        << "// " << readings.size() << " characters, " << syllables.size() << " syllables, " << runs.size()
        << " runs.\n\n#include \"uPinyinTable.h\"\n\nnamespace pinyin_table {\n\n";
    out << "extern const char kIcuVersion[] = \"" U_ICU_VERSION "\";\n\n";
    std::size_t textSize = 0;
    out << "extern const char kSyllableText[] =";
    for (std::size_t i = 0; i < syllables.size(); ++i) {
        if (i % 12 == 0) out << "\n    \"";
        out << Escaped(syllables[i]) << "\\0";
        if (i % 12 == 11 || i + 1 == syllables.size()) out << "\"";
    }
    out << ";\n\nextern const std::uint16_t kSyllableStart[] = {";
    for (std::size_t i = 0; i <= syllables.size(); ++i) {
        if (i % 16 == 0) out << "\n    ";
        out << textSize << ",";
        if (i < syllables.size()) textSize += syllables[i].size() + 1;
    }
    out << "\n};\nextern const std::size_t kSyllableCount = " << syllables.size() << ";\n\n";
    out << "extern const TPinyinRun kRuns[] = {\n";
    for (const Run& run : runs)
        out << "    {" << static_cast<std::uint32_t>(run.First) << "u, " << run.Count << ", " << run.Offset
            << "},\n";
    out << "};\nextern const std::size_t kRunCount = " << runs.size() << ";\n\n";
    out << "extern const std::uint16_t kReadings[] = {";
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i % 20 == 0) out << "\n    ";
        out << cells[i] << ",";
    }
    out << "\n};\nextern const std::size_t kReadingCount = " << cells.size()
        << ";\n\n}  // namespace pinyin_table\n";
    out.close();
    if (!out) {
        std::cerr << "WritePinyinTable: cannot write " << argv[1] << "\n";
        return 1;
    }
    std::cout << "WritePinyinTable: " << readings.size() << " characters, " << syllables.size()
              << " syllables, " << runs.size() << " runs, "
              << (textSize + 2 * (syllables.size() + 1) + 12 * runs.size() + 2 * cells.size()) << " bytes\n";
    return 0;
}
