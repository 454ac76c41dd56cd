#pragma once
// A visual object whose look is a clone of a named style object. The clone is the control's first
// child (index 0, painted below everything else), aligned vaContents, not stored and locked; it is
// replaced whenever the style is applied again.

#include <QPointer>
#include <QString>

#include "vgVisualObject.h"

class TvgControl : public TvgVisualObject {
    Q_OBJECT
    Q_PROPERTY(QString Resource READ Resource WRITE SetResource)
    Q_PROPERTY(Vg::THelpType HelpType READ HelpType WRITE SetHelpType)
    Q_PROPERTY(QString HelpKeyword READ HelpKeyword WRITE SetHelpKeyword)
    Q_PROPERTY(int HelpContext READ HelpContext WRITE SetHelpContext)

public:
    explicit TvgControl(QObject* AOwner = nullptr);
    ~TvgControl() override;

    QString Resource() const { return FResource; }
    // Stores the name and, unless loading or inside BeginUpdate, applies the style at once.
    void SetResource(const QString& value);
    // Stores the name only: the style is looked up and cloned before the control is first painted
    // or focused (or by ApplyResource). Controls made in numbers that may stay unseen for long,
    // the titles of a hidden panel's buttons, cost no clone until they are drawn.
    void SetResourceLater(const QString& value);
    // The current style clone (null before a style was found).
    TvgObject* ResourceLink() const { return FResourceLink; }
    bool NeedResource() const { return FNeedResource; }
    void SetNeedResource(bool value) { FNeedResource = value; }

    THelpType HelpType() const { return FHelpType; }
    void SetHelpType(THelpType value) { FHelpType = value; }
    QString HelpKeyword() const { return FHelpKeyword; }
    void SetHelpKeyword(const QString& value) { FHelpKeyword = value; }
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int value) { FHelpContext = value; }

    // Looks the style up and, when one is found, replaces the clone (only when a style is due).
    void ApplyResource() override;
    void UpdateResource() override;
    // Searches the style clone first, then the control's own children.
    TvgObject* FindResource(const QString& AName) const override;
    // A disabled control and everything inside it are not hit.
    TvgVisualObject* ObjectByPoint(float X, float Y) override;
    // A style that is due is applied before the first paint.
    void BeforePaintStep(TvgCanvas& Canvas) override;
    void EnterFocus() override;

    // The style object the control would wear now, not yet cloned (null when none is found).
    TvgObject* FindStyleResource() const;

protected:
    // Runs after a new clone has been attached: subclasses find their named parts here.
    virtual void StyleApplied() {}
    // Runs before the previous clone is freed: subclasses drop their references to its parts.
    virtual void StyleFreeing() {}

private:
    QString FResource;
    QPointer<TvgObject> FResourceLink;
    bool FNeedResource = true;
    THelpType FHelpType = htContext;
    QString FHelpKeyword;
    int FHelpContext = 0;
};
