#pragma once
// The multibyte encodings Windows programs wrote before Unicode, named by their Windows code page
// numbers on every system: 936 is GBK, 54936 GB18030, 950 Big5, 1252 Western European…
// Decoding is the system's own: MultiByteToWideChar on Windows, Qt's converters elsewhere.

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

// The code page an encoding name stands for ("GBK", "gb2312", "Big5", "windows-1252", "cp936",
// "ISO-8859-2"…; letter case, '-' and '_' do not matter), or nothing for a name not known here.
std::optional<unsigned> CodePageNamed(QStringView name);

// The bytes read in one code page; nothing when they are not valid in it or the code page is not
// available on this system.
std::optional<QString> DecodeCodePage(const QByteArray& bytes, unsigned codePage);

// The code page text without a byte order mark is taken in when it is not UTF-8: on Windows the
// system's ANSI code page (the one its own INI reader uses), elsewhere GB18030, the code page of
// the machines our users come from.
unsigned AnsiCodePage();

// Bytes in the ANSI code page; bytes not valid in it keep their Latin-1 reading.
QString DecodeAnsiText(const QByteArray& bytes);
