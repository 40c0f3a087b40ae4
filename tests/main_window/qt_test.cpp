// The program on the Qt view, offscreen, over the simulated board: words typed, written and read
// back through the widgets, every caption's fit, the focus mark, and pictures under the artifacts
// folder for people to look at.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTextLayout>

#include "dialogs/frm_about.h"
#include "dialogs/frm_log_options.h"
#include "dialogs/frm_registers.h"
#include "main_window/form2.h"
#include "platform/forms/menu_item.h"
#include "platform/forms/simple_controls.h"
#include "platform/qtview/control_view.h"
#include "platform/qtview/convert.h"
#include "platform/qtview/form_renderer.h"
#include "platform/qtview/form_window.h"
#include "support/offscreen_app.h"

namespace main_window_test {
namespace {

namespace forms = platform::forms;
namespace qv = platform::qtview;

[[maybe_unused]] auto* const app = ::testing::AddGlobalTestEnvironment(new testsupport::OffscreenApp);

struct QtMainWindow : ::testing::Test {
    testsupport::QtProgram run;
    main_window::Form2& form = run.program.form2();
    qv::FormWindow& window = (form.show(), run.platform.window(form));
    QWidget* widget(const char* name, int index = -1) { return window.viewOf(form.get<forms::Control>(name, index))->widget(); }
    QAbstractButton& button(const char* name, int index = -1) { return dynamic_cast<QAbstractButton&>(*widget(name, index)); }
    void type(const char* name, const QString& keys)
    {
        for (QChar c : keys) {
            QKeyEvent press(QEvent::KeyPress, c == '\r' ? Qt::Key_Return : 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget(name), &press);
        }
        run.platform.doEvents();
    }
    std::string text(const char* name) { return dynamic_cast<QLineEdit&>(*widget(name)).text().toStdString(); }
};

TEST_F(QtMainWindow, WordsTypedWrittenAndReadBackThroughTheWidgetsThenTheWindowsPictures)
{
    window.activateWindow();
    run.platform.doEvents();
    button("chkChargeVoltage", 0).click();  // outside the field: the charger drops it
    type("txtChargeVoltage", "\b1x9201");
    EXPECT_EQ(text("txtChargeVoltage"), "19201");
    button("cmdWriteChargeVoltage").click();
    EXPECT_EQ(run.board.peekWord(0x12, 0x15), 0x4B00);
    button("cmdReadChargeVoltage").click();
    run.platform.doEvents();
    EXPECT_EQ(text("txtChargeVoltage") + " " + button("chkChargeVoltage", 11).text().toStdString(), "19200 1");

    // Before the first read the white cells stay 16 cells: each is parted from its left neighbour.
    const QImage before = testsupport::renderArtifact(form, "main_window/form2_before_read.png");
    auto at = [&](const QImage& image, int bit, QPoint p) { return image.pixelColor(widget("lblDevId", bit)->mapTo(&window, p)); };
    for (int bit = 0; bit < 15; ++bit)
        EXPECT_NE(at(before, bit, QPoint(0, 16)), at(before, bit, QPoint(8, 16))) << bit;

    // The board's manufacturer word 0x0040: cell 6 green, cell 7 red; an over-limit label shown.
    button("cmdReadId").click();
    form.get<forms::Label>("lblChargeCurrentOL").setVisible(true);
    run.platform.doEvents();
    const QImage image = testsupport::renderArtifact(form, "main_window/form2.png");
    EXPECT_FALSE(form.picture().empty()) << "the background picture was not found";
    EXPECT_EQ(image.size(), QSize(qv::toPixels(form.scaleWidth()), qv::toPixels(form.scaleHeight()) + qv::toPixels(forms::Form::MenuBarHeight)));
    auto colourOf = [&](int bit) { return image.pixelColor(widget("lblManufId", bit)->mapTo(&window, QPoint(4, 4))); };
    EXPECT_EQ(std::pair(colourOf(6), colourOf(7)), std::pair(QColor(0x80, 0xFF, 0x80), QColor(0xFF, 0x80, 0x80)));

    // The test-mode page: a trim word read, typed, Enter to Write, written; its read-only copy.
    form.get<forms::MenuItem>("mnuTestMode").userPick();
    run.platform.doEvents();
    button("cmdReadTrim0").click();
    run.platform.doEvents();
    EXPECT_EQ(text("txtTrim0"), "4A21");
    EXPECT_TRUE(button("chkTrim0", 14).isChecked());
    type("txtTrim0", "\b\b\b\b5a3c\r");
    EXPECT_EQ(QApplication::focusWidget(), widget("cmdWriteTrim0"));
    EXPECT_EQ(text("txtTrim0"), "5A3C");
    EXPECT_EQ(run.board.peekWord(0x52, 0x08), 0x4A21);
    button("cmdWriteTrim0").click();
    EXPECT_EQ(run.board.peekWord(0x52, 0x08), 0x5A3C);
    button("optTrim0", 1).click();
    button("cmdReadTrim0").click();
    run.platform.doEvents();
    EXPECT_EQ(text("txtTrim0"), "5A3C");
    EXPECT_FALSE(widget("cmdWriteTrim0")->isEnabled());
    testsupport::renderArtifact(form, "main_window/test_mode.png");
}

// A click close behind typing: the press moves the focus, the field's lost-focus rule pumps
// events, and the release is already queued. The click still lands once, after the rule, on the
// typed value, and leaves nothing drawn pressed.
TEST_F(QtMainWindow, QuickClickAfterTypingLandsOnceOnTheTypedValue)
{
    window.activateWindow();
    form.get<forms::MenuItem>("mnuTestMode").userPick();
    run.platform.doEvents();
    const struct {
        const char* name;
        int index;
        const char* typed;  // unlike what the boxes show, so that the rule changes some
        const char* field;  // afterwards
        std::uint16_t board;
    } rows[] = {
        {"chkTrim0", 1, "5a3c", "5A3E", 0x4A21},  // a bit the typed word leaves as it was
        {"cmdWriteTrim0", -1, "1234", "1234", 0x1234},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        auto& control = form.get<forms::Control>(row.name, row.index);
        int clicks = 0;
        const auto handler = control.onClick;
        control.onClick = [&] { ++clicks, handler(); };
        form.get<forms::Control>("txtTrim0").setFocus();
        type("txtTrim0", QString("\b\b\b\b") + row.typed);
        // Past the pump's throttle, so that the rule's pump runs for real.
        for (const std::int64_t until = run.platform.nowMs() + 5; run.platform.nowMs() < until;)
            run.platform.waitForEvents(until);
        QWidget* target = widget(row.name, row.index);
        const QPointF at = target->mapTo(&window, target->rect().center()), global = target->mapToGlobal(target->rect().center());
        QCoreApplication::postEvent(window.windowHandle(), new QMouseEvent(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
        QCoreApplication::postEvent(window.windowHandle(), new QMouseEvent(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
        QCoreApplication::processEvents();
        EXPECT_EQ(clicks, 1);
        EXPECT_FALSE(button(row.name, row.index).isDown());
        EXPECT_EQ(text("txtTrim0"), row.field);
        EXPECT_EQ(run.board.peekWord(0x52, 0x08), row.board);
        control.onClick = handler;
    }
}

// Focus shows on every kind that takes it, however it came there (here set by the program).
TEST_F(QtMainWindow, FocusIsMarkedOnEveryKindThatTakesIt)
{
    window.activateWindow();
    run.platform.doEvents();
    for (const auto& [name, index] : {std::pair{"chkInputFile", -1}, {"chkChargeCurrent", 7}, {"cmdReadId", -1}, {"chkRefreshTime", -1}}) {
        form.get<forms::Control>("txtChargeCurrent").setFocus();
        const QImage plain = widget(name, index)->grab().toImage();
        form.get<forms::Control>(name, index).setFocus();
        EXPECT_NE(widget(name, index)->grab().toImage(), plain) << name;
    }
    testsupport::renderArtifact(form, "main_window/form2_focus.png");
}

// Every caption of every window (hidden ones too), laid out by its widget's font in the room the
// control gives it, takes no more lines than the control's height holds; Label59 breaks after "ID".
TEST(WindowsOnQt, EveryCaptionWrapsAndFitsAsDesigned)
{
    testsupport::QtProgram run;
    run.program.form2().show();
    run.program.about().show();
    run.program.registers().show();
    run.program.logOptions().load();  // shown only modally; its window is made on demand below
    int captions = 0;
    for (forms::Form* form : run.platform.forms())
        for (const auto& control : form->controls()) {
            qv::ControlView* view = run.platform.window(*form).viewOf(*control);
            if (!view || control->caption().empty())
                continue;
            QWidget& w = *view->widget();
            auto* label = qobject_cast<QLabel*>(&w);
            const bool wraps = label || qobject_cast<QPushButton*>(&w);  // the others hold one line
            QRect room = label ? label->contentsRect() : w.rect().adjusted(3, 3, -3, -3);
            if (qobject_cast<QCheckBox*>(&w) || qobject_cast<QRadioButton*>(&w))
                room.setLeft(w.style()->pixelMetric(QStyle::PM_IndicatorWidth) + w.style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing));
            QTextLayout layout(label ? label->text() : QString::fromStdString(control->caption()).remove('&'), w.font());
            std::vector<std::string> lines;
            layout.beginLayout();
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(room.width());
                lines.push_back(layout.text().mid(line.textStart(), line.textLength()).trimmed().toStdString());
                EXPECT_LE(line.naturalTextWidth(), room.width() + 1) << form->name() << "." << control->name() << " \"" << control->caption() << '"';
            }
            layout.endLayout();
            const int held = wraps ? std::max(1, static_cast<int>(room.height() / QFontMetricsF(w.font()).lineSpacing())) : 1;
            EXPECT_LE(static_cast<int>(lines.size()), held) << form->name() << "." << control->name() << " \"" << control->caption() << '"';
            EXPECT_TRUE(control->name() != "Label59" || lines.at(0) == "Device ID");
            ++captions;
        }
    EXPECT_GT(captions, 100);
}

}  // namespace
}  // namespace main_window_test
