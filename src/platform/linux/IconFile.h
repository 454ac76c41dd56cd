#pragma once
// The icon a file manager shows for a file, written as an .ico file.

#include <QIcon>
#include <QImage>
#include <QString>

// For a .desktop file its Icon= entry (a theme name or a path); otherwise the icon of the file's
// type from the icon theme, then Qt's own file icon. A null icon when nothing fits.
QIcon IconForFile(const QString& sourceFile);

// The icon as a 48 × 48 picture (or its largest smaller size); null for a null icon.
QImage IconImage(const QIcon& icon);

// Writes the icon at 48 × 48 (or its largest smaller size) with Qt's ICO writer, replacing any
// file there. False when the icon is null or the file cannot be written.
bool WriteIconFile(const QIcon& icon, const QString& iconFile);
