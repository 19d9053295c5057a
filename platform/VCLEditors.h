#pragma once
// Owner drawing of Object Inspector cells and drop-down items, the IDE's default drawing
// routines, and the font property editor.
#include <QFont>

#include "DesignEditors.h"
#include "Graphics.h"

// An editor that draws its own name and value cells.
class ICustomPropertyDrawing {
public:
    virtual ~ICustomPropertyDrawing() = default;
    virtual void PropDrawName(TCanvas *ACanvas, const TRect &ARect, bool ASelected) = 0;
    virtual void PropDrawValue(TCanvas *ACanvas, const TRect &ARect, bool ASelected) = 0;
};

// An editor that measures and draws the items of its drop-down list.
class ICustomPropertyListDrawing {
public:
    virtual ~ICustomPropertyListDrawing() = default;
    virtual void ListMeasureWidth(const QString &Value, TCanvas *ACanvas, int &AWidth) = 0;
    virtual void ListMeasureHeight(const QString &Value, TCanvas *ACanvas, int &AHeight) = 0;
    virtual void ListDrawValue(const QString &Value, TCanvas *ACanvas, const TRect &ARect, bool ASelected) = 0;
};

// The IDE's own drawing of a name cell, a value cell and a drop-down item: the text on the
// canvas's brush, clipped to the rectangle, in the highlight colours when selected.
void DefaultPropertyDrawName(TPropertyEditor *Prop, TCanvas *Canvas, const TRect &Rect);
void DefaultPropertyDrawValue(TPropertyEditor *Prop, TCanvas *Canvas, const TRect &Rect);
void DefaultPropertyListDrawValue(const QString &Value, TCanvas *Canvas, const TRect &Rect, bool Selected);

// A font as published properties hold it.
class TFont : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(int Size READ Size WRITE SetSize)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool Bold READ Bold WRITE SetBold)
    Q_PROPERTY(bool Italic READ Italic WRITE SetItalic)
    Q_PROPERTY(bool Underline READ Underline WRITE SetUnderline)
    Q_PROPERTY(bool StrikeOut READ StrikeOut WRITE SetStrikeOut)
public:
    explicit TFont(QObject *parent = nullptr);
    QString Name() const { return FFont.family(); }
    void SetName(const QString &v) { FFont.setFamily(v); emit OnChange(); }
    int Size() const { return FFont.pointSize(); }
    void SetSize(int v) { FFont.setPointSize(qMax(1, v)); emit OnChange(); }
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { FColor = v; emit OnChange(); }
    bool Bold() const { return FFont.bold(); }
    void SetBold(bool v) { FFont.setBold(v); emit OnChange(); }
    bool Italic() const { return FFont.italic(); }
    void SetItalic(bool v) { FFont.setItalic(v); emit OnChange(); }
    bool Underline() const { return FFont.underline(); }
    void SetUnderline(bool v) { FFont.setUnderline(v); emit OnChange(); }
    bool StrikeOut() const { return FFont.strikeOut(); }
    void SetStrikeOut(bool v) { FFont.setStrikeOut(v); emit OnChange(); }
    QFont ToQFont() const { return FFont; }
    void SetQFont(const QFont &f) { FFont = f; emit OnChange(); }
    void Assign(TPersistent *Source) override;
signals:
    void OnChange();
private:
    QFont FFont;
    TColor FColor = clWindowText;
};

// A font sub-object with the system font dialog behind its ellipsis.
class TFontProperty : public TClassProperty {
public:
    using TClassProperty::TClassProperty;
    TPropertyAttributes GetAttributes() override;
    void Edit() override;
};
