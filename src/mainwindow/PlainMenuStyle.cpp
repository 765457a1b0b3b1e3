#include "mainwindow/PlainMenuStyle.h"

#include <QProxyStyle>
#include <QStyleOptionMenuItem>

#include "platform/qt/ApplicationStyle.h"

namespace {

class CPlainMenuStyle : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (element == CE_MenuItem && item && item->checkType != QStyleOptionMenuItem::NotCheckable &&
            !item->checked) {
            // Drawn as an item with no mark; the caption keeps its place after the mark's column.
            QStyleOptionMenuItem plain(*item);
            plain.checkType = QStyleOptionMenuItem::NotCheckable;
            QProxyStyle::drawControl(element, &plain, painter, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

}  // namespace

QStyle* PlainMenuStyle()
{
    return ApplicationStyle<CPlainMenuStyle>();
}
