#include "CommandLine.h"

#include <algorithm>

namespace {
bool IsBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
           c == QLatin1Char('\r');
}
}  // namespace

QStringList SplitCommandLine(const QString& commandLine) {
    QStringList arguments;
    QString current;
    bool inArgument = false;
    bool quoted = false;
    const qsizetype length = commandLine.size();
    for (qsizetype i = 0; i < length;) {
        const QChar c = commandLine.at(i);
        if (!quoted && IsBlank(c)) {
            if (inArgument) arguments.append(current);
            current.clear();
            inArgument = false;
            ++i;
            continue;
        }
        inArgument = true;
        if (c == QLatin1Char('\\')) {
            qsizetype backslashes = 0;
            while (i < length && commandLine.at(i) == QLatin1Char('\\')) ++backslashes, ++i;
            if (i < length && commandLine.at(i) == QLatin1Char('"')) {
                current.append(QString(backslashes / 2, QLatin1Char('\\')));
                if (backslashes % 2 == 1) {
                    current.append(QLatin1Char('"'));
                    ++i;
                }
                // An even count leaves the quote to the next turn, where it groups.
            } else {
                current.append(QString(backslashes, QLatin1Char('\\')));
            }
            continue;
        }
        if (c == QLatin1Char('"')) {
            if (quoted && i + 1 < length && commandLine.at(i + 1) == QLatin1Char('"')) {
                current.append(QLatin1Char('"'));
                i += 2;
                continue;
            }
            quoted = !quoted;
            ++i;
            continue;
        }
        current.append(c);
        ++i;
    }
    if (inArgument) arguments.append(current);
    return arguments;
}

namespace {
QString QuoteArgument(const QString& argument) {
    const bool needsQuotes = argument.isEmpty() || std::any_of(argument.begin(), argument.end(), [](QChar c) {
                                 return IsBlank(c) || c == QLatin1Char('"');
                             });
    if (!needsQuotes && !argument.contains(QLatin1Char('\\'))) return argument;
    QString quoted;
    if (needsQuotes) quoted.append(QLatin1Char('"'));
    qsizetype backslashes = 0;
    for (const QChar c : argument) {
        if (c == QLatin1Char('\\')) {
            ++backslashes;
            continue;
        }
        if (c == QLatin1Char('"')) {
            quoted.append(QString(backslashes * 2 + 1, QLatin1Char('\\')));
            quoted.append(QLatin1Char('"'));
        } else {
            quoted.append(QString(backslashes, QLatin1Char('\\')));
            quoted.append(c);
        }
        backslashes = 0;
    }
    // Backslashes before the closing quote must be doubled or they would escape it.
    quoted.append(QString(needsQuotes ? backslashes * 2 : backslashes, QLatin1Char('\\')));
    if (needsQuotes) quoted.append(QLatin1Char('"'));
    return quoted;
}
}  // namespace

QString JoinCommandLine(const QStringList& arguments) {
    QStringList quoted;
    quoted.reserve(arguments.size());
    for (const QString& argument : arguments) quoted.append(QuoteArgument(argument));
    return quoted.join(QLatin1Char(' '));
}
