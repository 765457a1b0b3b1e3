#include "platform/qt/DialogStyle.h"

#include <QProxyStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>

#include "platform/qt/ApplicationStyle.h"

namespace {

// Windows measures for check boxes and radio buttons under any style: a 13-pixel indicator
// and the caption 3 pixels after it. Some styles (Adwaita) take the indicator's size from the
// metrics but place and draw the caption at a fixed offset of their own, which leaves the
// template's narrow places too small; so the caption's place is this style's, and the
// control is drawn by it: the style's own indicator and label in those places.
class CDialogProxyStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        switch (metric) {
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
            return kIndicator;
        case PM_CheckBoxLabelSpacing:
        case PM_RadioButtonLabelSpacing:
            return kSpacing;
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }

    QRect subElementRect(SubElement element, const QStyleOption* option, const QWidget* widget) const override
    {
        switch (element) {
        case SE_CheckBoxContents:
        case SE_RadioButtonContents: {
            const bool radio = element == SE_RadioButtonContents;
            const QRect indicator = QStyle::visualRect(
                option->direction, option->rect,
                subElementRect(radio ? SE_RadioButtonIndicator : SE_CheckBoxIndicator, option, widget));
            QRect contents = option->rect;
            contents.setLeft(indicator.right() + 1 + kSpacing);
            return QStyle::visualRect(option->direction, option->rect, contents);
        }
        default:
            return QProxyStyle::subElementRect(element, option, widget);
        }
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
        if (!button || (element != CE_CheckBox && element != CE_RadioButton)) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        const bool radio = element == CE_RadioButton;
        QStyleOptionButton part = *button;
        part.rect = subElementRect(radio ? SE_RadioButtonIndicator : SE_CheckBoxIndicator, button, widget);
        drawPrimitive(radio ? PE_IndicatorRadioButton : PE_IndicatorCheckBox, &part, painter, widget);
        part.rect = subElementRect(radio ? SE_RadioButtonContents : SE_CheckBoxContents, button, widget);
        drawControl(radio ? CE_RadioButtonLabel : CE_CheckBoxLabel, &part, painter, widget);
        if (button->state & State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(*button);
            focus.rect = subElementRect(radio ? SE_RadioButtonFocusRect : SE_CheckBoxFocusRect, button, widget);
            drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
        }
    }

private:
    static constexpr int kIndicator = 13;
    static constexpr int kSpacing = 3;
};

}  // namespace

QStyle* DialogControlStyle()
{
    return ApplicationStyle<CDialogProxyStyle>();
}
