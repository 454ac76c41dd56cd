#pragma once
// The classes behind the Desktop.xml views. Only uXmlDesktop.cpp makes them; they are declared
// here so that each stays small and readable on its own.

#include <pugixml.hpp>

#include "uXmlDesktop.h"
#include "uXmlDocument.h"

#include <cstdint>
#include <vector>

class TXMLDesktop_MVButtons_MVButton : public IXMLDesktop_MVButtons_MVButton {
public:
    TXMLDesktop_MVButtons_MVButton(std::shared_ptr<TXmlDocument> document, pugi::xml_node node)
        : FDocument(std::move(document)), FNode(node) {}

    QString Name() const override;
    void SetName(const QString& value) override;
    int Place() const override;
    void SetPlace(int value) override;
    bool IsRunAsk() const override;
    void SetIsRunAsk(bool value) override;
    QString FileName() const override;
    void SetFileName(const QString& value) override;
    QString CmdLine() const override;
    void SetCmdLine(const QString& value) override;
    QString Image() const override;
    void SetImage(const QString& value) override;
    bool IsAdvert() const override;
    void SetIsAdvert(bool value) override;

private:
    std::shared_ptr<TXmlDocument> FDocument;
    pugi::xml_node FNode;
};

class TXMLDesktop_MVButtons : public IXMLDesktop_MVButtons {
public:
    TXMLDesktop_MVButtons(std::shared_ptr<TXmlDocument> document, pugi::xml_node node)
        : FItems(std::move(document), node, "MVButton") {}

    int Count() const override { return FItems.Count(); }
    IXMLDesktop_MVButtons_MVButtonPtr Item(int index) const override { return ViewOf(FItems.At(index)); }
    IXMLDesktop_MVButtons_MVButtonPtr Add() override { return ViewOf(FItems.Append()); }
    IXMLDesktop_MVButtons_MVButtonPtr Insert(int index) override { return ViewOf(FItems.InsertAt(index)); }

private:
    IXMLDesktop_MVButtons_MVButtonPtr ViewOf(pugi::xml_node node) const {
        return std::make_shared<TXMLDesktop_MVButtons_MVButton>(FItems.Document(), node);
    }

    TXmlElementList FItems;
};

class TXMLDesktop : public IXMLDesktop {
public:
    TXMLDesktop(std::shared_ptr<TXmlDocument> document, pugi::xml_node node)
        : FDocument(std::move(document)), FNode(node) {}

    IXMLDesktop_MVButtonsPtr MVButtons() override;
    std::shared_ptr<TXmlDocument> OwnerDocument() const override { return FDocument; }

private:
    std::shared_ptr<TXmlDocument> FDocument;
    pugi::xml_node FNode;
};
