#pragma once
// Checks of a dialog's controls against its template: caption, and place in pixels (a control
// whose text needs more room in this program's fonts grows from its template place). And a
// check that every text of a window shows whole, measured as the control's own style draws
// it, with no control covering another.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

#include "platform/qt/DialogUnits.h"
#include "platform/qt/MultiLineButton.h"
#include "resources/DialogTemplate.h"

// Where a control draws its text, and the room the text takes there.
struct sTextRoom {
    QString text;
    QRect area;
    QSize needed;
};

namespace text_room {

// A line edit keeps 2 pixels inside its contents on each side, and a column for the cursor
// after the text (Qt's own constants).
constexpr int kLineEditMarginX = 2;
constexpr int kCursorColumn = 1;

// The size of the text laid out from the top left of the area with the given line breaking.
inline QSize Laid(const QWidget& w, const QRect& area, int flags, const QString& text)
{
    const int breaking = flags & ~int(Qt::AlignHorizontal_Mask | Qt::AlignVertical_Mask);
    return w.fontMetrics().boundingRect(QRect(0, 0, area.width(), 1 << 20), breaking | Qt::AlignLeft | Qt::AlignTop, text).size();
}

inline sTextRoom Button(const QAbstractButton& b)
{
    QStyleOptionButton option;
    option.initFrom(&b);
    option.text = b.text();
    QStyle* style = b.style();
    sTextRoom room{b.text(), {}, {}};
    if (auto* push = qobject_cast<const QPushButton*>(&b)) {
        if (push->autoDefault())
            option.features |= QStyleOptionButton::AutoDefaultButton;
        if (push->isDefault())
            option.features |= QStyleOptionButton::DefaultButton;
        room.area = style->subElementRect(QStyle::SE_PushButtonContents, &option, &b);
        // A one-line caption keeps the style's button margin; a wrapping one fills the area.
        if (qobject_cast<const CMultiLineButton*>(&b)) {
            room.needed = Laid(b, room.area, Qt::TextWordWrap, b.text());
        } else {
            // The label is centred and not cut at the contents: downwards only its ink
            // must stay inside them.
            room.needed = QSize(Laid(b, room.area, Qt::TextShowMnemonic, b.text()).width() +
                                    style->pixelMetric(QStyle::PM_ButtonMargin, &option, &b),
                                b.fontMetrics().tightBoundingRect(b.text()).height());
        }
        return room;
    }
    const bool radio = qobject_cast<const QRadioButton*>(&b) != nullptr;
    room.area = style->subElementRect(radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents,
                                      &option, &b);
    room.needed = Laid(b, room.area, Qt::TextShowMnemonic, b.text());
    return room;
}

// A label draws inside its contents less its margin, and a framed label without an indent
// of its own keeps half an "x" from the frame on its aligned sides.
inline sTextRoom Label(const QLabel& l)
{
    QRect area = l.contentsRect().adjusted(l.margin(), l.margin(), -l.margin(), -l.margin());
    int indent = l.indent();
    if (indent < 0 && l.frameWidth() > 0)
        indent = l.fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 - l.margin();
    const Qt::Alignment align = l.alignment();
    if (indent > 0) {
        area.adjust(align & Qt::AlignLeft ? indent : 0, align & Qt::AlignTop ? indent : 0,
                    align & Qt::AlignRight ? -indent : 0, align & Qt::AlignBottom ? -indent : 0);
    }
    return {l.text(), area, Laid(l, area, l.wordWrap() ? Qt::TextWordWrap : 0, l.text())};
}

inline sTextRoom LineEdit(const QLineEdit& e)
{
    QStyleOptionFrame option;
    option.initFrom(&e);
    option.lineWidth = e.hasFrame() ? e.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &e) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    if (e.isReadOnly())
        option.state |= QStyle::State_ReadOnly;
    QRect area = e.style()->subElementRect(QStyle::SE_LineEditContents, &option, &e).marginsRemoved(e.textMargins());
    area.adjust(kLineEditMarginX, 0, -kLineEditMarginX, 0);
    const QFontMetrics fm = e.fontMetrics();
    return {e.text(), area, QSize(fm.horizontalAdvance(e.text()) + kCursorColumn, fm.height())};
}

inline sTextRoom ComboBox(const QComboBox& c)
{
    QStyleOptionComboBox option;
    option.initFrom(&c);
    option.editable = c.isEditable();
    option.frame = c.hasFrame();
    option.currentText = c.currentText();
    option.subControls = QStyle::SC_All;
    // The style draws the current item a pixel in from each side of the edit field.
    const QRect area =
        c.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &c).adjusted(1, 0, -1, 0);
    return {c.currentText(), area, Laid(c, area, 0, c.currentText())};
}

}  // namespace text_room

// The right end of what a check box or radio button draws when it has room to spare: past its
// own width, its caption is cut where it stands (whatever its style reports of its places).
inline int DrawnRight(const QAbstractButton& b)
{
    std::unique_ptr<QAbstractButton> twin;
    if (qobject_cast<const QRadioButton*>(&b))
        twin = std::make_unique<QRadioButton>(b.text());
    else
        twin = std::make_unique<QCheckBox>(b.text());
    twin->setStyle(b.style());
    twin->setFont(b.font());
    twin->setChecked(b.isChecked());
    twin->resize(b.width() + 200, b.height());
    QImage image(twin->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    twin->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    int right = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = right; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                right = x + 1;
    return right;
}

// The text room of a control that shows a caption or a value; nothing for the others (graphs,
// scroll bars, multi-line edits that wrap and scroll).
inline std::optional<sTextRoom> TextRoom(const QWidget& w)
{
    if (auto* b = qobject_cast<const QAbstractButton*>(&w))
        return text_room::Button(*b);
    if (auto* l = qobject_cast<const QLabel*>(&w))
        return text_room::Label(*l);
    if (auto* e = qobject_cast<const QLineEdit*>(&w))
        return text_room::LineEdit(*e);
    if (auto* c = qobject_cast<const QComboBox*>(&w))
        return text_room::ComboBox(*c);
    if (auto* s = qobject_cast<const QAbstractSpinBox*>(&w)) {
        if (auto* e = s->findChild<QLineEdit*>())
            return text_room::LineEdit(*e);
    }
    if (auto* g = qobject_cast<const QGroupBox*>(&w))
        return sTextRoom{g->title(), g->rect(), text_room::Laid(*g, g->rect(), 0, g->title())};
    return std::nullopt;
}

struct TemplateControl {
    int id;
    const char* caption;  // nullptr: not compared
    QRect place;          // the template's place in pixels
};

inline QString ControlCaption(const QWidget* w)
{
    if (auto* b = qobject_cast<const QAbstractButton*>(w))
        return b->text();
    if (auto* g = qobject_cast<const QGroupBox*>(w))
        return g->title();
    if (auto* l = qobject_cast<const QLabel*>(w))
        return l->text();
    return {};
}

// Each control has its caption and stands at its template place, grown where its text needs
// more room (wider, further left, taller), never smaller or lower; with captionsWhole its
// text shows whole.
inline void CheckTemplateControls(const QWidget& dialog, const std::vector<TemplateControl>& controls,
                                  bool captionsWhole)
{
    for (const TemplateControl& c : controls) {
        SCOPED_TRACE(c.id);
        auto* w = dialog.findChild<QWidget*>(QString::number(c.id));
        ASSERT_NE(w, nullptr);
        if (c.caption) {
            EXPECT_EQ(ControlCaption(w), QString::fromUtf8(c.caption));
        }
        EXPECT_EQ(w->y(), c.place.y());
        EXPECT_TRUE(w->geometry().contains(c.place));
        EXPECT_TRUE(w->isEnabled());
        const std::optional<sTextRoom> room = TextRoom(*w);
        if (captionsWhole && room) {
            EXPECT_LE(room->needed.width(), room->area.width());
            EXPECT_LE(room->needed.height(), room->area.height());
        }
    }
}

// Every shown control of the window (the children named by their ids) lies inside its parent
// and shows its text whole, and none covers a shown neighbour, unless the neighbour is a
// group box with the control inside its frame (of two lines) or the two already overlap in
// the window's template (by rounding).
inline void CheckTextsWhole(const QWidget& window, const std::string& where, const sDialogTemplate* layout = nullptr)
{
    const auto templatePlace = [layout](const QWidget* w) -> std::optional<QRect> {
        for (const sControlTemplate& c : layout ? layout->controls : std::span<const sControlTemplate>())
            if (QString::number(c.id) == w->objectName())
                return DluRectToPixels(c.x, c.y, c.w, c.h);
        return std::nullopt;
    };
    const QList<QWidget*> controls = window.findChildren<QWidget*>(QRegularExpression(QStringLiteral("^\\d+$")));
    ASSERT_FALSE(controls.isEmpty()) << where;
    for (QWidget* w : controls) {
        if (!w->isVisibleTo(&window))
            continue;
        SCOPED_TRACE(where + ", control " + w->objectName().toStdString());
        EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry()));
        if (const std::optional<sTextRoom> room = TextRoom(*w)) {
            EXPECT_LE(room->needed.width(), room->area.width()) << room->text.toStdString();
            EXPECT_LE(room->needed.height(), room->area.height()) << room->text.toStdString();
        }
        if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
            EXPECT_LE(DrawnRight(*static_cast<QAbstractButton*>(w)), w->width()) << "drawn past its edge";
        }
        for (QWidget* other : controls) {
            if (other == w || other->parentWidget() != w->parentWidget() || !other->isVisibleTo(&window) ||
                qobject_cast<QGroupBox*>(w))
                continue;
            constexpr int kFrame = 2;
            const bool group = qobject_cast<QGroupBox*>(other) != nullptr;
            const bool around = group && other->geometry().adjusted(kFrame, 0, -kFrame, -kFrame).contains(w->geometry());
            const std::optional<QRect> a = templatePlace(w), b = templatePlace(other);
            const bool inTemplate = !group && a && b && a->intersects(*b);
            if (!around && !inTemplate) {
                EXPECT_FALSE(w->geometry().intersects(other->geometry())) << "covers " << other->objectName().toStdString();
            }
        }
    }
}
