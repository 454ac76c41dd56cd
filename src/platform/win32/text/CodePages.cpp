// The Windows side of CodePages.h: the system's own converters.
#include "CodePages.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <climits>

namespace {

constexpr unsigned kGbk = 936;
constexpr unsigned kGb18030 = 54936;

}  // namespace

std::optional<QString> DecodeCodePage(const QByteArray& bytes, unsigned codePage) {
    if (bytes.isEmpty()) return QString();
    // GB18030 extends GBK: where the system lacks it (wine), its two-byte part reads the same in
    // GBK, and text outside that part is reported as not valid.
    if (codePage == kGb18030 && !IsValidCodePage(kGb18030)) codePage = kGbk;
    if (bytes.size() > INT_MAX || !IsValidCodePage(codePage)) return std::nullopt;
    const int size = static_cast<int>(bytes.size());
    const int length =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.constData(), size, nullptr, 0);
    if (length <= 0) return std::nullopt;
    QString text(length, Qt::Uninitialized);
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.constData(), size,
                        reinterpret_cast<wchar_t*>(text.data()), length);
    return text;
}

unsigned AnsiCodePage() {
    return GetACP();
}
