#include "vgPathData.h"

#include <QStringView>

#include <optional>

namespace {

class TPathScanner {
public:
    explicit TPathScanner(const QString& text) : FText(text) {}

    void SkipSeparators() {
        while (FPos < FText.size() && (FText[FPos].isSpace() || FText[FPos] == u',')) ++FPos;
    }
    bool AtEnd() {
        SkipSeparators();
        return FPos >= FText.size();
    }
    bool AtNumber() {
        SkipSeparators();
        if (FPos >= FText.size()) return false;
        const QChar c = FText[FPos];
        return c.isDigit() || c == u'-' || c == u'+' || c == u'.';
    }
    QChar TakeCommand() { return FText[FPos++]; }
    std::optional<double> Number() {
        SkipSeparators();
        qsizetype end = FPos;
        if (end < FText.size() && (FText[end] == u'-' || FText[end] == u'+')) ++end;
        bool dot = false, exponent = false;
        while (end < FText.size()) {
            const QChar c = FText[end];
            if (c.isDigit()) {
                ++end;
            } else if (c == u'.' && !dot && !exponent) {
                dot = true;
                ++end;
            } else if ((c == u'e' || c == u'E') && !exponent) {
                exponent = true;
                ++end;
                if (end < FText.size() && (FText[end] == u'-' || FText[end] == u'+')) ++end;
            } else {
                break;
            }
        }
        bool ok = false;
        const double value = QStringView(FText).mid(FPos, end - FPos).toDouble(&ok);
        if (!ok) return std::nullopt;
        FPos = end;
        return value;
    }

private:
    const QString& FText;
    qsizetype FPos = 0;
};

// Reads `count` numbers; false when any is missing.
bool Numbers(TPathScanner& scanner, double* out, int count) {
    for (int i = 0; i < count; ++i) {
        const auto value = scanner.Number();
        if (!value) return false;
        out[i] = *value;
    }
    return true;
}

}  // namespace

QPainterPath vgParsePathData(const QString& data) {
    QPainterPath path;
    TPathScanner scanner(data);
    QPointF current, start;
    QChar command;
    while (!scanner.AtEnd()) {
        if (!scanner.AtNumber()) command = scanner.TakeCommand();
        const bool relative = command.isLower();
        const QPointF base = relative ? current : QPointF();
        double v[6];
        switch (command.toUpper().unicode()) {
            case u'M':
                if (!Numbers(scanner, v, 2)) return path;
                current = start = base + QPointF(v[0], v[1]);
                path.moveTo(current);
                command = relative ? u'l' : u'L';  // further pairs are lines
                break;
            case u'L':
                if (!Numbers(scanner, v, 2)) return path;
                current = base + QPointF(v[0], v[1]);
                path.lineTo(current);
                break;
            case u'H':
                if (!Numbers(scanner, v, 1)) return path;
                current.setX(relative ? current.x() + v[0] : v[0]);
                path.lineTo(current);
                break;
            case u'V':
                if (!Numbers(scanner, v, 1)) return path;
                current.setY(relative ? current.y() + v[0] : v[0]);
                path.lineTo(current);
                break;
            case u'C':
                if (!Numbers(scanner, v, 6)) return path;
                path.cubicTo(base + QPointF(v[0], v[1]), base + QPointF(v[2], v[3]),
                             base + QPointF(v[4], v[5]));
                current = base + QPointF(v[4], v[5]);
                break;
            case u'Q':
                if (!Numbers(scanner, v, 4)) return path;
                path.quadTo(base + QPointF(v[0], v[1]), base + QPointF(v[2], v[3]));
                current = base + QPointF(v[2], v[3]);
                break;
            case u'Z':
                path.closeSubpath();
                current = start;
                command = QChar();
                break;
            default:
                return path;
        }
    }
    return path;
}
