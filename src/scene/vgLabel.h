#pragma once
// Text labels: TvgLabel wraps its text and can size itself to it; TvgValueLabel keeps one line.

#include "vgTextControl.h"

class TvgLabel : public TvgTextControl {
    Q_OBJECT
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)
    Q_PROPERTY(bool AutoTranslate READ AutoTranslate WRITE SetAutoTranslate)

public:
    Q_INVOKABLE explicit TvgLabel(QObject* AOwner = nullptr);

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    bool AutoTranslate() const { return FAutoTranslate; }
    void SetAutoTranslate(bool value) { FAutoTranslate = value; }

protected:
    void StyleApplied() override;
    // No language table is ever loaded, so translation leaves the text as it is.
    QString DisplayText() const override { return Text(); }

private:
    void FitToText();

    bool FAutoSize = false;
    bool FAutoTranslate = true;
};

class TvgValueLabel : public TvgLabel {
    Q_OBJECT

public:
    Q_INVOKABLE explicit TvgValueLabel(QObject* AOwner = nullptr);
};
