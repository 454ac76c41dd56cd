#pragma once
// Small scene classes for the tests: a brush-like sub-object reached by dotted paths, a shape that
// owns one, a set-valued property, and controls whose class names drive the style lookup.

#include <QObject>
#include <QString>

#include <vector>

#include "vgBackground.h"
#include "vgControl.h"
#include "vgVisualObject.h"

namespace VgTest {
Q_NAMESPACE
enum TvgTestCorner {
    vgCornerTopLeft = 1,
    vgCornerTopRight = 2,
    vgCornerBottomLeft = 4,
    vgCornerBottomRight = 8
};
Q_DECLARE_FLAGS(TvgTestCorners, TvgTestCorner)
Q_FLAG_NS(TvgTestCorners)
}  // namespace VgTest
Q_DECLARE_OPERATORS_FOR_FLAGS(VgTest::TvgTestCorners)

class TvgTestBrush : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Color READ Color WRITE SetColor)
    Q_PROPERTY(int Style READ Style WRITE SetStyle)

public:
    using QObject::QObject;
    QString Color() const { return FColor; }
    void SetColor(const QString& v) { FColor = v; }
    int Style() const { return FStyle; }
    void SetStyle(int v) { FStyle = v; }

private:
    QString FColor = QStringLiteral("#FFE0E0E0");
    int FStyle = 1;
};

class TvgTestShape : public TvgVisualObject {
    Q_OBJECT
    Q_PROPERTY(TvgTestBrush* Fill READ Fill CONSTANT)
    Q_PROPERTY(VgTest::TvgTestCorners Corners READ Corners WRITE SetCorners)
    Q_PROPERTY(float xRadius READ xRadius WRITE SetxRadius)

public:
    Q_INVOKABLE explicit TvgTestShape(QObject* AOwner = nullptr) : TvgVisualObject(AOwner) {}
    TvgTestBrush* Fill() const { return FFill; }
    VgTest::TvgTestCorners Corners() const { return FCorners; }
    void SetCorners(VgTest::TvgTestCorners v) { FCorners = v; }
    float xRadius() const { return FxRadius; }
    void SetxRadius(float v) { FxRadius = v; }

private:
    TvgTestBrush* FFill = new TvgTestBrush(this);
    VgTest::TvgTestCorners FCorners = VgTest::TvgTestCorners(15);
    float FxRadius = 0;
};

// Not registered by name: clones find it through its invokable constructor.
class TvgUnregisteredShape : public TvgTestShape {
    Q_OBJECT

public:
    Q_INVOKABLE explicit TvgUnregisteredShape(QObject* AOwner = nullptr) : TvgTestShape(AOwner) {}
};

// Records the style hooks in order.
class TvgProbeLabel : public TvgControl {
    Q_OBJECT

public:
    explicit TvgProbeLabel(QObject* AOwner = nullptr) : TvgControl(AOwner) {}
    std::vector<QString> Hooks;
    TvgObject* TextPart = nullptr;

protected:
    void StyleApplied() override {
        TextPart = FindResource(QStringLiteral("text"));
        Hooks.push_back(QStringLiteral("applied"));
    }
    void StyleFreeing() override {
        TextPart = nullptr;
        Hooks.push_back(QStringLiteral("freeing"));
    }
};

class TvgTestPanel : public TvgBackground {
    Q_OBJECT

public:
    explicit TvgTestPanel(QObject* AOwner = nullptr) : TvgBackground(AOwner) {}
};
