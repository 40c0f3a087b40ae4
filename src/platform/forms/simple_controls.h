#pragma once
// The control kinds that add little to the base: buttons, labels, frames, pictures, shapes.
#include "platform/forms/control.h"

namespace platform::forms {

class CommandButton : public Control {
public:
    CommandButton(Form& form, std::string name, int index, Control* container);
    bool focusable() const override { return true; }
};

enum class BorderStyle { None, FixedSingle };
enum class BackStyle { Transparent, Opaque };

class Label : public Control {
public:
    Label(Form& form, std::string name, int index, Control* container);
    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment a) { alignment_ = a; changed(Prop::Style); }
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool v) { autoSize_ = v; changed(Prop::Style); }
    bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool v) { wordWrap_ = v; changed(Prop::Style); }
    BorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(BorderStyle b) { borderStyle_ = b; changed(Prop::Style); }
    BackStyle backStyle() const { return backStyle_; }
    void setBackStyle(BackStyle b) { backStyle_ = b; changed(Prop::Style); }

private:
    Alignment alignment_ = Alignment::Left;
    bool autoSize_ = false;
    bool wordWrap_ = false;
    BorderStyle borderStyle_ = BorderStyle::None;
    BackStyle backStyle_ = BackStyle::Opaque;
};

// A frame: a captioned container.
class Frame : public Control {
public:
    Frame(Form& form, std::string name, int index, Control* container);
};

// A picture box: a container that can show a picture and take the focus.
class PictureBox : public Control {
public:
    PictureBox(Form& form, std::string name, int index, Control* container);
    const std::string& picture() const { return picture_; }  // image file path; empty = none
    void setPicture(std::string path);
    BorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(BorderStyle b) { borderStyle_ = b; changed(Prop::Style); }
    bool focusable() const override { return true; }

private:
    std::string picture_;
    BorderStyle borderStyle_ = BorderStyle::FixedSingle;
};

class Image : public Control {
public:
    Image(Form& form, std::string name, int index, Control* container);
    const std::string& picture() const { return picture_; }
    void setPicture(std::string path);
    bool stretch() const { return stretch_; }
    void setStretch(bool v) { stretch_ = v; changed(Prop::Style); }

private:
    std::string picture_;
    bool stretch_ = false;
};

enum class ShapeType { Rectangle, Square, Oval, Circle, RoundedRectangle, RoundedSquare };

class Shape : public Control {
public:
    Shape(Form& form, std::string name, int index, Control* container);
    ShapeType shape() const { return shape_; }
    void setShape(ShapeType s) { shape_ = s; changed(Prop::Style); }
    Color fillColor() const { return fillColor_; }
    void setFillColor(Color c) { fillColor_ = c; changed(Prop::BackColor); }
    bool filled() const { return filled_; }
    void setFilled(bool v) { filled_ = v; changed(Prop::BackColor); }
    Color borderColor() const { return borderColor_; }
    void setBorderColor(Color c) { borderColor_ = c; changed(Prop::ForeColor); }

private:
    ShapeType shape_ = ShapeType::Rectangle;
    Color fillColor_ = colors::Black;
    bool filled_ = false;
    Color borderColor_ = colors::WindowText;
};

}  // namespace platform::forms
