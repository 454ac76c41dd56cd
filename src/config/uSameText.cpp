#include "uSameText.h"

namespace {
char16_t AsciiLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}
}  // namespace

bool SameText(const QString& a, const QString& b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (AsciiLower(a.at(i).unicode()) != AsciiLower(b.at(i).unicode())) return false;
    return true;
}
