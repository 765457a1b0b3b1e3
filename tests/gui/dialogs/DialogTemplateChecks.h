#pragma once
// Checks of a dialog's controls against its template: caption, and place in pixels (left,
// top and height as the template gives them; a control whose caption needs more room in this
// program's fonts may be wider, never narrower).

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QWidget>

#include <vector>

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

// With captionsWhole, every label and radio button shows its caption whole (a radio
// button's box and gap take 16 pixels).
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
        EXPECT_EQ(w->pos(), c.place.topLeft());
        EXPECT_EQ(w->height(), c.place.height());
        EXPECT_GE(w->width(), c.place.width());
        EXPECT_TRUE(w->isEnabled());
        const bool radio = qobject_cast<QRadioButton*>(w) != nullptr;
        if (captionsWhole && (radio || qobject_cast<QLabel*>(w))) {
            EXPECT_LE(w->fontMetrics().horizontalAdvance(ControlCaption(w)) + (radio ? 16 : 0), w->width());
        }
    }
}
