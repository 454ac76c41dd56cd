#pragma once
// The program's small stateless helpers: launching, yes/no texts, colour texts, the wallpaper,
// special folders, shortcuts, icons and GUID names. Those that need the machine go through
// Platform().Shell(), so tests run them against the fake.

#include <QString>

#include <cstdint>

// The kind of a stored button image.
enum TImageKind : std::uint8_t { IK_Png = 0, IK_Ico = 1 };

// Folder identifiers understood by GetSpecialFolderPath.
constexpr int CSIDL_DESKTOP = 0x0000;
constexpr int CSIDL_DESKTOPDIRECTORY = 0x0010;
constexpr int CSIDL_COMMON_DESKTOPDIRECTORY = 0x0019;

// A colour word: red in the lowest byte, then green, then blue (0x00BBGGRR).
using TColorValue = std::uint32_t;

QString BoolToYesNo(bool AValue);
bool YesNoToBool(const QString& AText);

// Opens a program, document or address with parameters; true only when the start succeeded.
bool RunFile(const QString& AFileName, const QString& AParams);

QString GetImageFileExt(TImageKind AKind);

// The current desktop picture's path; empty when none is set.
QString GetWallPaper();

// "#FFRRGGBB"; the colour word's highest byte is ignored and the alpha is always FF.
QString ColorToText(TColorValue AColor);
// The inverse for "#AARRGGBB" texts (alpha ignored). Raises EConvertError when the red, green
// and blue digits do not form a hexadecimal number.
TColorValue TextToColor(const QString& AText);

// A folder's path without a trailing separator; empty when the machine has no such folder.
QString GetSpecialFolderPath(int ACSIDL);

// Reads a ".lnk", ".url" or ".desktop" shortcut (extension in any letter case). Another
// extension gives false and leaves the outputs alone; a shortcut that cannot be read gives false
// and empties both.
bool ResolveShortcut(const QString& AFileName, QString& ATarget, QString& AParams);

// Writes the icon of ASourceFile to AIconFile in the .ico format, replacing any file there.
bool ExtractIconToFile(const QString& ASourceFile, const QString& AIconFile);

// A new GUID as "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper case, 38 characters.
QString NewGUIDText();
