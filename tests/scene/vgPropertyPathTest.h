#pragma once
// Small published objects standing in for scene objects in the property path tests.

#include <QObject>
#include <QString>

class TPathTestBrush : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Color READ Color WRITE SetColor)
    Q_PROPERTY(unsigned SolidColor READ SolidColor WRITE SetSolidColor)

public:
    QString Color() const { return FColor; }
    void SetColor(const QString& value) { FColor = value; }
    unsigned SolidColor() const { return FSolid; }
    void SetSolidColor(unsigned value) { FSolid = value; }

private:
    QString FColor = QStringLiteral("#FF000000");
    unsigned FSolid = 0;
};

class TPathTestPoint : public QObject {
    Q_OBJECT
    Q_PROPERTY(float X READ X WRITE SetX)
    Q_PROPERTY(double Y READ Y WRITE SetY)

public:
    float X() const { return FX; }
    void SetX(float value) { FX = value; }
    double Y() const { return FY; }
    void SetY(double value) { FY = value; }

private:
    float FX = 0;
    double FY = 0;
};

class TPathTestObject : public QObject {
    Q_OBJECT
    Q_PROPERTY(TPathTestPoint* Position READ Position)
    Q_PROPERTY(TPathTestBrush* Fill READ Fill)
    Q_PROPERTY(TPathTestBrush* Missing READ Missing)
    Q_PROPERTY(float Opacity READ Opacity WRITE SetOpacity)
    Q_PROPERTY(int Count READ Count WRITE SetCount)
    Q_PROPERTY(bool IsMouseOver READ IsMouseOver)
    Q_PROPERTY(bool IsPressed READ IsPressed)
    Q_PROPERTY(Mode Kind READ Kind)

public:
    enum Mode { ModeIdle, ModeBusy };
    Q_ENUM(Mode)

    TPathTestPoint* Position() { return &FPosition; }
    TPathTestBrush* Fill() { return &FFill; }
    TPathTestBrush* Missing() { return nullptr; }
    float Opacity() const { return FOpacity; }
    void SetOpacity(float value) { FOpacity = value; }
    int Count() const { return FCount; }
    void SetCount(int value) { FCount = value; }
    bool IsMouseOver() const { return FMouseOver; }
    bool IsPressed() const { return FPressed; }
    Mode Kind() const { return FKind; }

    bool FMouseOver = false;
    bool FPressed = false;
    Mode FKind = ModeIdle;

private:
    TPathTestPoint FPosition;
    TPathTestBrush FFill;
    float FOpacity = 1;
    int FCount = 0;
};
