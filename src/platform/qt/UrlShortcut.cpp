#include "UrlShortcut.h"

#include <QList>
#include <QStringDecoder>
#include <QStringView>

#include "CodePages.h"

QString DecodeWindowsText(const QByteArray& bytes) {
    if (const auto bom = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*bom);
        return decoder.decode(bytes);
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    return DecodeAnsiText(bytes);
}

namespace {

// The reader of Windows INI files takes a value out of one pair of matching quotes.
QString Unquote(const QString& value) {
    if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
        value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

}  // namespace

QString ReadUrlShortcutTarget(const QByteArray& bytes) {
    const QString text = DecodeWindowsText(bytes);
    bool inSection = false;
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';'))) continue;
        if (line.startsWith(QLatin1Char('['))) {
            const qsizetype close = line.indexOf(QLatin1Char(']'));
            const QStringView name = close < 0 ? line.mid(1) : line.mid(1, close - 1);
            inSection = name.trimmed().compare(QLatin1String("InternetShortcut"), Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inSection) continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0) continue;
        if (line.left(equals).trimmed().compare(QLatin1String("URL"), Qt::CaseInsensitive) == 0)
            return Unquote(line.mid(equals + 1).trimmed().toString());
    }
    return QString();
}
