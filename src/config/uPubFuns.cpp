#include "uPubFuns.h"

#include <QFile>
#include <QFileInfo>
#include <QUuid>

#include <cctype>

#include "IPlatform.h"
#include "uErrors.h"

namespace {
const QString kYes = QStringLiteral("是");
const QString kNo = QStringLiteral("否");

// QString::toUInt would also take blanks and a "0x" prefix; a colour text holds digits only.
bool IsHexDigits(const QString& text) {
    if (text.isEmpty()) return false;
    for (const QChar c : text)
        if (c.unicode() >= 128 || !std::isxdigit(static_cast<unsigned char>(c.toLatin1()))) return false;
    return true;
}
}  // namespace

QString BoolToYesNo(bool AValue) {
    return AValue ? kYes : kNo;
}

bool YesNoToBool(const QString& AText) {
    return AText == kYes;
}

bool RunFile(const QString& AFileName, const QString& AParams) {
    return Platform().Shell().RunFile(AFileName, AParams);
}

QString GetImageFileExt(TImageKind AKind) {
    return AKind == IK_Ico ? QStringLiteral(".Ico") : QStringLiteral(".Png");
}

QString GetWallPaper() {
    return Platform().Shell().WallPaper();
}

QString ColorToText(TColorValue AColor) {
    const auto hex = [](unsigned byte) {
        return QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
    };
    return QStringLiteral("#FF") + hex(AColor & 0xFF) + hex((AColor >> 8) & 0xFF) +
           hex((AColor >> 16) & 0xFF);
}

TColorValue TextToColor(const QString& AText) {
    // Characters are counted from 1 in the colour text: 2–3 alpha, 4–5 red, 6–7 green, 8–9 blue.
    // A short text simply yields shorter pieces; whatever they form must still be hexadecimal.
    const QString red = AText.mid(3, 2);
    const QString green = AText.mid(5, 2);
    const QString blue = AText.mid(7, 2);
    const QString digits = blue + green + red;
    bool ok = IsHexDigits(digits);
    const uint value = ok ? digits.toUInt(&ok, 16) : 0;
    if (!ok) throw EConvertError(QStringLiteral("'$%1' is not a valid integer value").arg(digits));
    return value;
}

QString GetSpecialFolderPath(int ACSIDL) {
    switch (ACSIDL) {
        case CSIDL_DESKTOP:
        case CSIDL_DESKTOPDIRECTORY:
            return Platform().Shell().SpecialFolderPath(TSpecialFolder::SF_Desktop);
        case CSIDL_COMMON_DESKTOPDIRECTORY:
            return Platform().Shell().SpecialFolderPath(TSpecialFolder::SF_CommonDesktop);
        default:
            return QString();
    }
}

bool ResolveShortcut(const QString& AFileName, QString& ATarget, QString& AParams) {
    const qsizetype dot = AFileName.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot < 0 ? QString() : AFileName.mid(dot).toLower();
    if (extension != QLatin1String(".lnk") && extension != QLatin1String(".url") &&
        extension != QLatin1String(".desktop"))
        return false;
    TShortcutTarget target;
    if (!Platform().Shell().ReadShortcut(AFileName, target)) {
        ATarget.clear();
        AParams.clear();
        return false;
    }
    ATarget = target.Target;
    AParams = target.Params;
    return true;
}

bool ExtractIconToFile(const QString& ASourceFile, const QString& AIconFile) {
    if (QFileInfo::exists(AIconFile)) QFile::remove(AIconFile);
    return Platform().Shell().ExtractIconToFile(ASourceFile, AIconFile);
}

QString NewGUIDText() {
    return QUuid::createUuid().toString(QUuid::WithBraces).toUpper();
}
