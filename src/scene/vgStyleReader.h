#pragma once
// Style sets as data: an XML document whose elements are scene objects named by class and whose
// attributes are published properties, dotted paths reaching into sub-objects:
//
//   <TvgLayout ResourceName="buttonstyle" Width="80" Height="22">
//     <TvgRectangle ResourceName="background" Align="vaContents" Fill.Color="#FF6A9BEC"
//                   Padding.Rect="(1,1,1,1)"/>
//   </TvgLayout>
//
// Values are read through the meta-object system: numbers, True/False, enumeration names, sets as
// "[vgCornerTopLeft, vgCornerBottomLeft]", points "(161,0)" and rectangles "(16,36,16,16)".
// Children become scene children of their element's object and are owned by it; the document
// element is owned by the caller's owner.

#include <QByteArray>
#include <QObject>
#include <QString>

#include <stdexcept>

class TvgObject;

// Malformed style data, with the file (or resource) and line it was found at.
class TvgStyleError : public std::runtime_error {
public:
    TvgStyleError(const QString& ASourceName, int ALine, const QString& AMessage);
    QString SourceName() const { return FSourceName; }
    int Line() const { return FLine; }
    QString Message() const { return FMessage; }

private:
    QString FSourceName;
    int FLine;
    QString FMessage;
};

// Throws TvgStyleError; nothing is left behind on failure.
TvgObject* ReadStyleTree(const QByteArray& AData, const QString& ASourceName, QObject* AOwner);

// Writes one property from its text form, following a dotted path ("Fill.Color") through
// sub-object properties; names match case-insensitively. On failure returns false with a reason.
bool WritePropertyText(QObject* AObject, const QString& APath, const QString& AValue, QString& AError);
