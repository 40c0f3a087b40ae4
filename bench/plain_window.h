#pragma once
// The yardstick for the Qt view: a form described as stock Qt widgets (QLabel, QPushButton,
// QCheckBox, QLineEdit, QComboBox, QGroupBox, QFrame, QMenuBar...) with the same kinds, texts,
// geometry, stacking, visibility and non-default colours and fonts, then built straight into a
// QWidget, as one would write the window by hand without the model and the view. The texts
// matter: the first text drawn loads Qt's font database, which widgets without text never do.
// The parent process describes the form and writes the description to a file; the plain child
// only reads it and builds the widgets.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QWidget>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/forms/check_box.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/form.h"
#include "platform/forms/menu_item.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/tab_control.h"
#include "platform/forms/text_box.h"
#include "platform/qtview/convert.h"
#include "platform/qtview/qt_platform.h"
#include "process_bench.h"

namespace plainwindow {

namespace forms = platform::forms;

enum class Kind { Label, Button, CheckBox, ToggleButton, RadioButton, LineEdit, ComboBox, GroupBox, Panel,
                  Picture, Shape, TabBox, Menu, MenuAction };

inline constexpr std::uint32_t NoColor = 0xFFFFFFFF;

struct Widget {
    Kind kind = Kind::Panel;
    int parent = -1;  // an earlier widget; -1: the window (or, for menus, the menu bar)
    int x = 0, y = 0, w = 0, h = 0;
    bool visible = true, enabled = true;
    std::string text;
    std::vector<std::string> items;  // combo box list, tab captions
    int value = 0;                   // check state, list index, current tab
    int barHeight = 0;               // tab row of a tab box
    bool border = false, wrap = false;
    int align = 0;  // 0 left, 1 right, 2 centre
    std::uint32_t back = NoColor, fore = NoColor;
    std::string fontName;  // empty: the application's font
    double fontSize = 0;
    bool bold = false, italic = false, underline = false;
    std::string picture;
};

struct Window {
    std::string title, picture, icon;
    int width = 0, height = 0, menuHeight = 0;
    std::vector<Widget> widgets;  // parents first; siblings bottom first, as created by hand
};

// ---- Describing a form (in the parent)

namespace detail {

inline forms::Color defaultBack(forms::Kind k)
{
    return k == forms::Kind::TextBox || k == forms::Kind::ComboBox ? forms::colors::WindowBackground
                                                                    : forms::colors::ButtonFace;
}
inline forms::Color defaultFore(forms::Kind k)
{
    return k == forms::Kind::TextBox || k == forms::Kind::ComboBox ? forms::colors::WindowText
                                                                    : forms::colors::ButtonText;
}
inline int alignOf(forms::Alignment a) { return a == forms::Alignment::Right ? 1 : a == forms::Alignment::Center ? 2 : 0; }

inline void describeMenu(const forms::MenuItem& item, int parent, Window& out)
{
    std::vector<const forms::MenuItem*> subs;
    for (const forms::Control* c : item.children())
        if (c->kind() == forms::Kind::MenuItem)
            subs.push_back(static_cast<const forms::MenuItem*>(c));
    Widget m;
    m.kind = subs.empty() ? Kind::MenuAction : Kind::Menu;
    m.parent = parent;
    m.text = item.caption();
    m.visible = item.visible();
    m.enabled = item.enabled();
    m.value = item.checked();
    out.widgets.push_back(m);
    const int self = static_cast<int>(out.widgets.size()) - 1;
    for (const forms::MenuItem* s : subs)
        describeMenu(*s, self, out);
}

inline void describeControl(const forms::Control& c, int parent, int yOffset, Window& out)
{
    Widget w;
    w.parent = parent;
    const QRect r = platform::qtview::toPixelRect(c.left(), c.top(), c.width(), c.height());
    w.x = r.x();
    w.y = r.y() + yOffset;
    w.w = r.width();
    w.h = r.height();
    w.visible = c.visible();
    if (auto* tabs = dynamic_cast<const forms::TabControl*>(c.container()))
        w.visible = w.visible && tabs->pageShown(c);
    w.enabled = c.enabled();
    w.text = c.caption();
    if (c.backColor() != defaultBack(c.kind()))
        w.back = c.backColor();
    if (c.foreColor() != defaultFore(c.kind()))
        w.fore = c.foreColor();
    if (!(c.font() == forms::Font{})) {
        w.fontName = c.font().name;
        w.fontSize = c.font().size;
        w.bold = c.font().bold;
        w.italic = c.font().italic;
        w.underline = c.font().underline;
    }
    switch (c.kind()) {
    case forms::Kind::Label: {
        auto& l = static_cast<const forms::Label&>(c);
        w.kind = Kind::Label;
        w.border = l.borderStyle() == forms::BorderStyle::FixedSingle;
        w.wrap = l.wordWrap() || !l.autoSize();
        w.align = alignOf(l.alignment());
        break;
    }
    case forms::Kind::CommandButton: w.kind = Kind::Button; break;
    case forms::Kind::CheckBox: {
        auto& b = static_cast<const forms::CheckBox&>(c);
        w.kind = b.style() == forms::CheckStyle::Graphical ? Kind::ToggleButton : Kind::CheckBox;
        w.value = b.value();
        break;
    }
    case forms::Kind::OptionButton:
        w.kind = Kind::RadioButton;
        w.value = static_cast<const forms::OptionButton&>(c).value();
        break;
    case forms::Kind::TextBox: {
        auto& t = static_cast<const forms::TextBox&>(c);
        w.kind = Kind::LineEdit;
        w.text = t.text();
        w.align = alignOf(t.alignment());
        break;
    }
    case forms::Kind::ComboBox: {
        auto& b = static_cast<const forms::ComboBox&>(c);
        w.kind = Kind::ComboBox;
        w.text = b.text();
        w.value = b.listIndex();
        for (int i = 0; i < b.listCount(); ++i)
            w.items.push_back(b.list(i));
        break;
    }
    case forms::Kind::Frame: w.kind = Kind::GroupBox; break;
    case forms::Kind::PictureBox: {
        auto& p = static_cast<const forms::PictureBox&>(c);
        w.kind = p.picture().empty() ? Kind::Panel : Kind::Picture;
        w.picture = p.picture();
        w.border = p.borderStyle() == forms::BorderStyle::FixedSingle;
        break;
    }
    case forms::Kind::Image:
        w.kind = Kind::Picture;
        w.picture = static_cast<const forms::Image&>(c).picture();
        break;
    case forms::Kind::Shape: w.kind = Kind::Shape; break;
    case forms::Kind::TabControl: {
        auto& t = static_cast<const forms::TabControl&>(c);
        w.kind = Kind::TabBox;
        for (int i = 0; i < t.tabCount(); ++i)
            w.items.push_back(t.tabCaption(i));
        w.value = t.tab();
        w.barHeight = platform::qtview::toPixels(t.tabHeight());
        break;
    }
    case forms::Kind::Form:
    case forms::Kind::Timer:
    case forms::Kind::MenuItem:
        return;
    }
    out.widgets.push_back(w);
    const int self = static_cast<int>(out.widgets.size()) - 1;
    const auto& kids = c.children();
    for (auto it = kids.rbegin(); it != kids.rend(); ++it)
        describeControl(**it, self, 0, out);
}

}  // namespace detail

inline Window describe(const forms::Form& form)
{
    Window out;
    out.title = form.caption();
    out.picture = form.picture();
    out.icon = form.icon();
    out.menuHeight = form.hasVisibleMenu() ? platform::qtview::toPixels(forms::Form::MenuBarHeight) : 0;
    out.width = platform::qtview::toPixels(form.scaleWidth());
    out.height = platform::qtview::toPixels(form.scaleHeight()) + out.menuHeight;
    for (const forms::MenuItem* m : form.menus())
        detail::describeMenu(*m, -1, out);
    const auto& kids = form.children();
    for (auto it = kids.rbegin(); it != kids.rend(); ++it)
        detail::describeControl(**it, -1, out.menuHeight, out);
    return out;
}

// ---- The file between parent and child: one line per widget, tab-separated fields.

namespace detail {

inline std::string escape(const std::string& s)
{
    std::string out;
    for (char c : s) {
        if (c == '\\') out += "\\\\";
        else if (c == '\t') out += "\\t";
        else if (c == '\n') out += "\\n";
        else out += c;
    }
    return out;
}

inline std::string unescape(const std::string& s)
{
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        const char n = s[++i];
        out += n == 't' ? '\t' : n == 'n' ? '\n' : n;
    }
    return out;
}

inline std::vector<std::string> split(const std::string& line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        fields.push_back(unescape(line.substr(start, tab - start)));
    fields.push_back(unescape(line.substr(start)));
    return fields;
}

}  // namespace detail

inline void save(const Window& win, const std::filesystem::path& file)
{
    using detail::escape;
    std::ofstream out(file);
    out << escape(win.title) << '\t' << escape(win.picture) << '\t' << escape(win.icon) << '\t' << win.width << '\t'
        << win.height << '\t' << win.menuHeight << '\n';
    for (const Widget& w : win.widgets) {
        out << static_cast<int>(w.kind) << '\t' << w.parent << '\t' << w.x << '\t' << w.y << '\t' << w.w << '\t'
            << w.h << '\t' << w.visible << '\t' << w.enabled << '\t' << w.value << '\t' << w.barHeight << '\t'
            << w.border << '\t' << w.wrap << '\t' << w.align << '\t' << w.back << '\t' << w.fore << '\t'
            << escape(w.fontName) << '\t' << w.fontSize << '\t' << w.bold << '\t' << w.italic << '\t' << w.underline
            << '\t' << escape(w.text) << '\t' << escape(w.picture) << '\t' << w.items.size();
        for (const std::string& item : w.items)
            out << '\t' << escape(item);
        out << '\n';
    }
    if (!out.flush())
        throw std::runtime_error("cannot write " + file.string());
}

inline Window load(const std::filesystem::path& file)
{
    std::ifstream in(file);
    std::string line;
    if (!std::getline(in, line))
        throw std::runtime_error("cannot read " + file.string());
    Window win;
    auto head = detail::split(line);
    if (head.size() != 6)
        throw std::runtime_error("bad header in " + file.string());
    win.title = head[0];
    win.picture = head[1];
    win.icon = head[2];
    win.width = std::stoi(head[3]);
    win.height = std::stoi(head[4]);
    win.menuHeight = std::stoi(head[5]);
    while (std::getline(in, line)) {
        const auto f = detail::split(line);
        if (f.size() < 23)
            throw std::runtime_error("bad line in " + file.string());
        Widget w;
        std::size_t i = 0;
        auto num = [&] { return std::stoi(f[i++]); };
        w.kind = static_cast<Kind>(num());
        w.parent = num();
        w.x = num();
        w.y = num();
        w.w = num();
        w.h = num();
        w.visible = num();
        w.enabled = num();
        w.value = num();
        w.barHeight = num();
        w.border = num();
        w.wrap = num();
        w.align = num();
        w.back = static_cast<std::uint32_t>(std::stoul(f[i++]));
        w.fore = static_cast<std::uint32_t>(std::stoul(f[i++]));
        w.fontName = f[i++];
        w.fontSize = std::stod(f[i++]);
        w.bold = num();
        w.italic = num();
        w.underline = num();
        w.text = f[i++];
        w.picture = f[i++];
        const int count = num();
        for (int k = 0; k < count && i < f.size(); ++k)
            w.items.push_back(f[i++]);
        win.widgets.push_back(std::move(w));
    }
    return win;
}

// ---- Building the window (in the plain child)

namespace detail {

inline Qt::Alignment alignment(int a, Qt::Alignment vertical)
{
    return (a == 1 ? Qt::AlignRight : a == 2 ? Qt::AlignHCenter : Qt::AlignLeft) | vertical;
}

// Colours and fonts only where the form has its own, as a hand-written window would set them.
inline void dress(QWidget& q, const Widget& w, QPalette::ColorRole backRole, QPalette::ColorRole foreRole)
{
    if (w.back != NoColor || w.fore != NoColor) {
        const QPalette system = QApplication::palette();
        QPalette p = q.palette();
        if (w.back != NoColor)
            p.setColor(backRole, platform::qtview::toQColor(w.back, system));
        if (w.fore != NoColor)
            p.setColor(foreRole, platform::qtview::toQColor(w.fore, system));
        q.setPalette(p);
        if (w.back != NoColor && backRole == QPalette::Window)
            q.setAutoFillBackground(true);
    }
    if (!w.fontName.empty()) {
        QFont font(QString::fromStdString(w.fontName));
        font.setPointSizeF(w.fontSize);
        font.setBold(w.bold);
        font.setItalic(w.italic);
        font.setUnderline(w.underline);
        q.setFont(font);
    }
}

}  // namespace detail

inline std::unique_ptr<QWidget> build(const Window& win)
{
    auto window = std::make_unique<QWidget>();
    window->setWindowTitle(QString::fromStdString(win.title));
    window->setFixedSize(win.width, win.height);
    if (!win.icon.empty())
        window->setWindowIcon(QIcon(QString::fromStdString(win.icon)));
    QMenuBar* bar = nullptr;
    if (win.menuHeight > 0) {
        bar = new QMenuBar(window.get());
        bar->setGeometry(0, 0, win.width, win.menuHeight);
    }
    if (!win.picture.empty()) {
        auto* back = new QLabel(window.get());
        back->setPixmap(QPixmap(QString::fromStdString(win.picture)));
        back->move(0, win.menuHeight);
        back->adjustSize();
    }

    std::vector<QObject*> made(win.widgets.size(), nullptr);
    for (std::size_t i = 0; i < win.widgets.size(); ++i) {
        const Widget& w = win.widgets[i];
        const QString text = QString::fromStdString(w.text);
        QObject* parentObject = w.parent >= 0 ? made[static_cast<std::size_t>(w.parent)] : nullptr;

        if (w.kind == Kind::Menu || w.kind == Kind::MenuAction) {
            QWidget* into = w.parent >= 0 ? static_cast<QWidget*>(parentObject) : bar;
            if (!into)
                continue;
            QAction* action = nullptr;
            if (w.kind == Kind::Menu) {
                auto* menu = new QMenu(text, into);
                made[i] = menu;
                action = menu->menuAction();
            } else {
                action = new QAction(text, into);
                action->setCheckable(w.value);
                action->setChecked(w.value);
                made[i] = action;
            }
            action->setVisible(w.visible);
            action->setEnabled(w.enabled);
            into->addAction(action);
            continue;
        }

        QWidget* parent = parentObject ? static_cast<QWidget*>(parentObject) : window.get();
        QWidget* q = nullptr;
        switch (w.kind) {
        case Kind::Label: {
            auto* l = new QLabel(text, parent);
            l->setTextFormat(Qt::PlainText);
            l->setWordWrap(w.wrap);
            l->setAlignment(detail::alignment(w.align, Qt::AlignTop));
            if (w.border)
                l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            detail::dress(*l, w, QPalette::Window, QPalette::WindowText);
            q = l;
            break;
        }
        case Kind::Button:
        case Kind::ToggleButton: {
            auto* b = new QPushButton(text, parent);
            if (w.kind == Kind::ToggleButton) {
                b->setCheckable(true);
                b->setChecked(w.value == 1);
            }
            detail::dress(*b, w, QPalette::Button, QPalette::ButtonText);
            q = b;
            break;
        }
        case Kind::CheckBox: {
            auto* b = new QCheckBox(text, parent);
            b->setCheckState(w.value == 1 ? Qt::Checked : w.value == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
            detail::dress(*b, w, QPalette::Window, QPalette::WindowText);
            q = b;
            break;
        }
        case Kind::RadioButton: {
            auto* b = new QRadioButton(text, parent);
            b->setAutoExclusive(false);
            b->setChecked(w.value);
            detail::dress(*b, w, QPalette::Window, QPalette::WindowText);
            q = b;
            break;
        }
        case Kind::LineEdit: {
            auto* e = new QLineEdit(text, parent);
            e->setAlignment(detail::alignment(w.align, Qt::AlignVCenter));
            detail::dress(*e, w, QPalette::Base, QPalette::Text);
            q = e;
            break;
        }
        case Kind::ComboBox: {
            auto* c = new QComboBox(parent);
            c->setEditable(true);
            for (const std::string& item : w.items)
                c->addItem(QString::fromStdString(item));
            c->setCurrentIndex(w.value);
            c->setEditText(text);
            detail::dress(*c, w, QPalette::Base, QPalette::Text);
            q = c;
            break;
        }
        case Kind::GroupBox: {
            auto* g = new QGroupBox(text, parent);
            detail::dress(*g, w, QPalette::Window, QPalette::WindowText);
            q = g;
            break;
        }
        case Kind::Panel:
        case Kind::Shape: {
            auto* f = new QFrame(parent);
            if (w.kind == Kind::Shape)
                f->setFrameStyle(QFrame::Box | QFrame::Plain);
            else if (w.border)
                f->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            detail::dress(*f, w, QPalette::Window, QPalette::WindowText);
            q = f;
            break;
        }
        case Kind::Picture: {
            auto* l = new QLabel(parent);
            l->setPixmap(QPixmap(QString::fromStdString(w.picture)));
            l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            if (w.border)
                l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            q = l;
            break;
        }
        case Kind::TabBox: {
            auto* f = new QFrame(parent);
            f->setFrameStyle(QFrame::StyledPanel);
            auto* tabs = new QTabBar(f);
            for (const std::string& caption : w.items)
                tabs->addTab(QString::fromStdString(caption));
            tabs->setCurrentIndex(w.value);
            tabs->setGeometry(0, 0, w.w, w.barHeight);
            detail::dress(*f, w, QPalette::Window, QPalette::WindowText);
            q = f;
            break;
        }
        case Kind::Menu:
        case Kind::MenuAction:
            break;
        }
        q->setGeometry(w.x, w.y, w.w, w.h);
        q->setEnabled(w.enabled);
        if (!w.visible)
            q->hide();
        made[i] = q;
    }
    return window;
}

// The plain child: the application set up as the program sets it up, then the window from `file`.
inline int runChild(int argc, char** argv, const char* file)
{
    QApplication app(argc, argv);
    platform::qtview::setupApplication(app);
    const std::unique_ptr<QWidget> window = build(load(file));
    procbench::PaintWatch watch(*window);
    window->show();
    return app.exec();
}

// The main of a comparison bench: runs as one of the two kinds of child when asked to, else runs
// the benchmark (which spawns the children) and prints the comparison.
inline int comparisonMain(int argc, char** argv, const char* oursFlag, int (*runOurs)(int, char**),
                          procbench::Comparison& comparison, const char* title, double limit)
{
    if (argc >= 2 && std::strcmp(argv[1], oursFlag) == 0)
        return runOurs(argc, argv);
    if (argc >= 3 && std::strcmp(argv[1], "--child-plain") == 0)
        return runChild(argc, argv, argv[2]);
    if (procbench::isChild())
        return 2;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    comparison.print(title, limit);
    return 0;
}

}  // namespace plainwindow
