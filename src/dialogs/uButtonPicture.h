#pragma once
// A button's icon as the manage dialog holds it: a PNG picture or an icon, with the bytes it was
// read from, so that saving it again writes the file exactly as the user chose it (an icon file
// keeps all its sizes, not only the one shown).

#include <QByteArray>
#include <QImage>
#include <QString>

#include "uPubFuns.h"

class TButtonPicture {
public:
    // Reads a picture file; the extension decides the kind (".ico" an icon, anything else a
    // picture stored as PNG). Raises EMvError with the reader's message when it cannot be read.
    static TButtonPicture LoadFromFile(const QString& AFileName);
    // An icon given as pixels (a program's shell icon); saved in the icon format.
    static TButtonPicture FromIcon(const QImage& AImage);

    TImageKind Kind() const { return FKind; }
    bool IsIcon() const { return FKind == IK_Ico; }
    const QImage& Image() const { return FImage; }

    // Writes the picture in its own format, replacing the file atomically. Raises EMvError when
    // the file cannot be written.
    void SaveToFile(const QString& AFileName) const;

private:
    TButtonPicture(TImageKind AKind, QImage AImage, QByteArray AData);
    QByteArray Encoded() const;

    TImageKind FKind;
    QImage FImage;
    QByteArray FData;  // the file's bytes when they are already in the kind's format; else empty
};
