#include "platform/forms/simple_controls.h"

namespace platform::forms {

CommandButton::CommandButton(Form& form, std::string name, int index, Control* container)
    : Control(form, Kind::CommandButton, std::move(name), index, container)
{
}

Label::Label(Form& form, std::string name, int index, Control* container)
    : Control(form, Kind::Label, std::move(name), index, container)
{
}

Frame::Frame(Form& form, std::string name, int index, Control* container)
    : Control(form, Kind::Frame, std::move(name), index, container)
{
}

PictureBox::PictureBox(Form& form, std::string name, int index, Control* container)
    : Control(form, Kind::PictureBox, std::move(name), index, container)
{
}

void PictureBox::setPicture(std::string path)
{
    if (path == picture_)
        return;
    picture_ = std::move(path);
    changed(Prop::Picture);
}

Image::Image(Form& form, std::string name, int index, Control* container)
    : Control(form, Kind::Image, std::move(name), index, container)
{
}

void Image::setPicture(std::string path)
{
    if (path == picture_)
        return;
    picture_ = std::move(path);
    changed(Prop::Picture);
}

Shape::Shape(Form& form, std::string name, int index, Control* container)
    : Control(form, Kind::Shape, std::move(name), index, container)
{
}

}  // namespace platform::forms
