#include "uConvert.h"

#include "uErrors.h"

int TextToInteger(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok) throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}

bool TextToBoolean(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
    if (trimmed.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return false;
    bool ok = false;
    const qlonglong number = trimmed.toLongLong(&ok, 10);
    if (!ok) throw EConvertError(QStringLiteral("'%1' is not a valid boolean value").arg(text));
    return number != 0;
}

QString IntegerToText(int value) {
    return QString::number(value);
}

QString BooleanToText(bool value) {
    return value ? QStringLiteral("true") : QStringLiteral("false");
}
