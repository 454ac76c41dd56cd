// The side of CodePages.h for systems without code pages of their own: Qt's converters (ICU), by
// the encodings' registered names.
#include "CodePages.h"

#include <QStringDecoder>

namespace {

QByteArray EncodingName(unsigned codePage) {
    switch (codePage) {
        case 936:
            return "GBK";
        case 54936:
            return "GB18030";
        case 950:
            return "Big5";
        case 932:
            return "Shift_JIS";
        case 20932:
            return "EUC-JP";
        case 949:
            return "windows-949";
        case 20866:
            return "KOI8-R";
        case 21866:
            return "KOI8-U";
        case 20127:
            return "US-ASCII";
        case 65001:
            return "UTF-8";
        default:
            break;
    }
    if (codePage >= 1250 && codePage <= 1258) return "windows-" + QByteArray::number(codePage);
    const unsigned part = codePage - 28590;
    if (codePage > 28590 && ((part >= 1 && part <= 9) || part == 13 || part == 15))
        return "ISO-8859-" + QByteArray::number(part);
    return QByteArray();
}

}  // namespace

std::optional<QString> DecodeCodePage(const QByteArray& bytes, unsigned codePage) {
    const QByteArray name = EncodingName(codePage);
    if (name.isEmpty()) return std::nullopt;
    QStringDecoder decoder(name.constData());
    if (!decoder.isValid()) return std::nullopt;
    const QString text = decoder.decode(bytes);
    if (decoder.hasError()) return std::nullopt;
    return text;
}

unsigned AnsiCodePage() {
    return 54936;
}
