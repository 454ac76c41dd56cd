#include "CodePages.h"

#include <array>

namespace {

struct TNamedCodePage {
    const char* Name;  // lower case, without '-' and '_'
    unsigned CodePage;
};

constexpr std::array kNamedCodePages{
    TNamedCodePage{"gbk", 936},        TNamedCodePage{"gb2312", 936},     TNamedCodePage{"cp936", 936},
    TNamedCodePage{"xgbk", 936},       TNamedCodePage{"euccn", 936},      TNamedCodePage{"ms936", 936},
    TNamedCodePage{"windows936", 936}, TNamedCodePage{"gb18030", 54936},  TNamedCodePage{"big5", 950},
    TNamedCodePage{"cp950", 950},      TNamedCodePage{"shiftjis", 932},   TNamedCodePage{"sjis", 932},
    TNamedCodePage{"cp932", 932},      TNamedCodePage{"windows31j", 932}, TNamedCodePage{"eucjp", 20932},
    TNamedCodePage{"euckr", 949},      TNamedCodePage{"cp949", 949},      TNamedCodePage{"koi8r", 20866},
    TNamedCodePage{"koi8u", 21866},    TNamedCodePage{"usascii", 20127},  TNamedCodePage{"ascii", 20127},
    TNamedCodePage{"latin1", 28591},   TNamedCodePage{"utf8", 65001},
};

// "windows-1252", "cp1252", "iso-8859-2" and the like carry their number.
std::optional<unsigned> NumberedCodePage(const QString& key) {
    bool ok = false;
    for (const QString& prefix : {QStringLiteral("windows"), QStringLiteral("cp")}) {
        if (!key.startsWith(prefix)) continue;
        const unsigned number = key.mid(prefix.size()).toUInt(&ok);
        if (ok && number >= 1250 && number <= 1258) return number;
        return std::nullopt;
    }
    const QString iso = QStringLiteral("iso8859");
    if (!key.startsWith(iso)) return std::nullopt;
    // Windows numbers the ISO 8859 parts it has from 28590.
    const unsigned part = key.mid(iso.size()).toUInt(&ok);
    if (ok && ((part >= 1 && part <= 9) || part == 13 || part == 15)) return 28590 + part;
    return std::nullopt;
}

}  // namespace

std::optional<unsigned> CodePageNamed(QStringView name) {
    QString key = name.trimmed().toString().toLower();
    key.remove(QLatin1Char('-')).remove(QLatin1Char('_'));
    for (const TNamedCodePage& known : kNamedCodePages)
        if (key == QLatin1String(known.Name)) return known.CodePage;
    return NumberedCodePage(key);
}

QString DecodeAnsiText(const QByteArray& bytes) {
    if (auto text = DecodeCodePage(bytes, AnsiCodePage())) return *text;
    return QString::fromLatin1(bytes);
}
