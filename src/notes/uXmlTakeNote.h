#pragma once
// Typed views over the notes file, TakeNote.dat:
//   <TakeNotes><TakeNote ID="1" BackImage="3.png" Content=".." RemindTime="0" IsHide="false"
//   PositonX="10" PositonY="20" FontName="宋体" FontSize="12" FontStyle="0" FontColor="0"/>...</TakeNotes>
// ("PositonX"/"PositonY" are the names the files have always carried.)

#include <QString>

#include <memory>

class TXmlDocument;

class IXMLTakeNotes_TakeNote {
public:
    virtual ~IXMLTakeNotes_TakeNote() = default;
    // Strings read as the empty text when absent; Integers and Booleans raise EConvertError when
    // absent, empty or not convertible.
    virtual int ID() const = 0;
    virtual void SetID(int value) = 0;
    virtual QString BackImage() const = 0;
    virtual void SetBackImage(const QString& value) = 0;
    virtual QString Content() const = 0;
    virtual void SetContent(const QString& value) = 0;
    virtual int RemindTime() const = 0;
    virtual void SetRemindTime(int value) = 0;
    virtual bool IsHide() const = 0;
    virtual void SetIsHide(bool value) = 0;
    virtual int PositonX() const = 0;
    virtual void SetPositonX(int value) = 0;
    virtual int PositonY() const = 0;
    virtual void SetPositonY(int value) = 0;
    virtual QString FontName() const = 0;
    virtual void SetFontName(const QString& value) = 0;
    virtual int FontSize() const = 0;
    virtual void SetFontSize(int value) = 0;
    virtual int FontStyle() const = 0;
    virtual void SetFontStyle(int value) = 0;
    virtual int FontColor() const = 0;
    virtual void SetFontColor(int value) = 0;
};
using IXMLTakeNotes_TakeNotePtr = std::shared_ptr<IXMLTakeNotes_TakeNote>;

class IXMLTakeNotes {
public:
    virtual ~IXMLTakeNotes() = default;
    // The number of TakeNote children; other elements are not counted.
    virtual int Count() const = 0;
    // The TakeNote at a 0-based position; raises EXmlError outside 0 … Count() − 1.
    virtual IXMLTakeNotes_TakeNotePtr Item(int index) const = 0;
    virtual IXMLTakeNotes_TakeNotePtr Add() = 0;
    virtual IXMLTakeNotes_TakeNotePtr Insert(int index) = 0;
    // The document the root belongs to; its SaveToFile replaces the whole file atomically.
    virtual std::shared_ptr<TXmlDocument> OwnerDocument() const = 0;
};
using IXMLTakeNotesPtr = std::shared_ptr<IXMLTakeNotes>;

// Opens an existing file. Raises EXmlError when it cannot be read, is not well-formed XML, or
// its root element is not TakeNotes.
IXMLTakeNotesPtr LoadTakeNotes(const QString& fileName);
// Opens an existing file that may be damaged: what precedes the damage, named in `damage`
// (TXmlDocument::LoadReadablePart). Raises EXmlError when the file cannot be read or no TakeNotes
// root precedes the damage.
IXMLTakeNotesPtr LoadTakeNotesReadablePart(const QString& fileName, QString& damage);
IXMLTakeNotesPtr LoadTakeNotesFromBytes(const QByteArray& bytes, const QString& fileName);
// A new document holding only the empty root element TakeNotes.
IXMLTakeNotesPtr NewTakeNotes();
