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
        : FDocument(std::move(document)), FNode(node) {}

    int Count() const override;
    IXMLDesktop_MVButtons_MVButtonPtr Item(int index) const override;
    IXMLDesktop_MVButtons_MVButtonPtr Add() override;
    IXMLDesktop_MVButtons_MVButtonPtr Insert(int index) override;

private:
    // Reading entry after entry would walk the list from its start each time; the positions are
    // gathered once and gathered again only after the document has gained nodes.
    const std::vector<pugi::xml_node>& Items() const;
    IXMLDesktop_MVButtons_MVButtonPtr ViewOf(pugi::xml_node node) const;

    std::shared_ptr<TXmlDocument> FDocument;
    pugi::xml_node FNode;
    mutable std::vector<pugi::xml_node> FItems;
    mutable std::uint64_t FItemsGeneration = UINT64_MAX;
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
