#pragma once
// Parameters of launch buttons come from a Windows program, so they follow its command-line
// rules: blanks separate arguments, double quotes group them, and backslashes escape a quote.
// The result goes to the program as an argument list; no shell ever sees it.

#include <QString>
#include <QStringList>

// Splits like CommandLineToArgvW does for the arguments after the program name:
// 2n backslashes before a quote give n backslashes and the quote groups; 2n+1 give n and a
// literal quote; "" inside a quoted part is a literal quote; other backslashes are literal.
QStringList SplitCommandLine(const QString& commandLine);

// The inverse: SplitCommandLine(JoinCommandLine(args)) == args.
QString JoinCommandLine(const QStringList& arguments);
