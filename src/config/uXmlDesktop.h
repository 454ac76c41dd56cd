#pragma once
// Typed views over the button configuration file, Desktop.xml:
//   <Desktop><MVButtons><MVButton Name=".." Place="0" IsRunAsk="false" FileName=".." CmdLine=".."
//   Image=".."/>...</MVButtons></Desktop>
// Views are shared pointers to interfaces; each keeps the whole document alive.

#include <QString>

#include <memory>

class TXmlDocument;

class IXMLDesktop_MVButtons_MVButton {
public:
    virtual ~IXMLDesktop_MVButtons_MVButton() = default;

    // Strings read as the empty text when absent.
    virtual QString Name() const = 0;
    virtual void SetName(const QString& value) = 0;
    // Integers and Booleans raise EConvertError when absent, empty or not convertible.
    virtual int Place() const = 0;
    virtual void SetPlace(int value) = 0;
    virtual bool IsRunAsk() const = 0;
    virtual void SetIsRunAsk(bool value) = 0;
    virtual QString FileName() const = 0;
    virtual void SetFileName(const QString& value) = 0;
    virtual QString CmdLine() const = 0;
    virtual void SetCmdLine(const QString& value) = 0;
    virtual QString Image() const = 0;
    virtual void SetImage(const QString& value) = 0;
    virtual bool IsAdvert() const = 0;
    virtual void SetIsAdvert(bool value) = 0;
};
using IXMLDesktop_MVButtons_MVButtonPtr = std::shared_ptr<IXMLDesktop_MVButtons_MVButton>;

class IXMLDesktop_MVButtons {
public:
    virtual ~IXMLDesktop_MVButtons() = default;

    // The number of MVButton children; other elements are not counted.
    virtual int Count() const = 0;
    // The MVButton at a 0-based position; raises EXmlError outside 0 … Count() − 1.
    virtual IXMLDesktop_MVButtons_MVButtonPtr Item(int index) const = 0;
    // A new MVButton without attributes after the last child.
    virtual IXMLDesktop_MVButtons_MVButtonPtr Add() = 0;
    // A new MVButton before the one at index (index == Count() appends).
    virtual IXMLDesktop_MVButtons_MVButtonPtr Insert(int index) = 0;
};
using IXMLDesktop_MVButtonsPtr = std::shared_ptr<IXMLDesktop_MVButtons>;

class IXMLDesktop {
public:
    virtual ~IXMLDesktop() = default;

    // The root's MVButtons child, appended empty when the root has none.
    virtual IXMLDesktop_MVButtonsPtr MVButtons() = 0;
    // The document the root belongs to; its SaveToFile writes the whole file.
    virtual std::shared_ptr<TXmlDocument> OwnerDocument() const = 0;
};
using IXMLDesktopPtr = std::shared_ptr<IXMLDesktop>;

// Opens an existing file. Raises EXmlError when it cannot be read, is not well-formed XML, or
// its root element is not Desktop.
IXMLDesktopPtr LoadDesktop(const QString& fileName);
// Opens an existing file that may be damaged: what precedes the damage, named in `damage`
// (TXmlDocument::LoadReadablePart). Raises EXmlError when the file cannot be read or no Desktop
// root precedes the damage.
IXMLDesktopPtr LoadDesktopReadablePart(const QString& fileName, QString& damage);
// The same over bytes already in memory.
IXMLDesktopPtr LoadDesktopFromBytes(const QByteArray& bytes, const QString& fileName);
// A new document holding only the empty root element Desktop.
IXMLDesktopPtr NewDesktop();
