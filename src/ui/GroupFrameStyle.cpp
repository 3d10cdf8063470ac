#include "ui/GroupFrameStyle.h"

#include <QApplication>
#include <QGroupBox>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace {

class PlainGroupFrameStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        if (element != PE_FrameGroupBox) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        // The frame starts below the title, where the standard look starts it.
        const auto* box = qobject_cast<const QGroupBox*>(widget);
        const int titleMargin = 2;
        int top = titleMargin;
        if (box == nullptr || box->isCheckable() || !box->title().isEmpty())
            top += std::max(pixelMetric(PM_ExclusiveIndicatorHeight, option, widget), option->fontMetrics.height());
        const QRectF frame = QRectF(option->rect.adjusted(0, top, -1, -1)).translated(0.5, 0.5);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, true);
        painter->setPen(option->palette.window().color().darker(140));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(frame, 2.0, 2.0);
        painter->restore();
    }
};

QStyle* PlainGroupFrame()
{
    // One instance for the whole run, owned by the application so that it outlives every window.
    static QPointer<QStyle> style;
    if (style.isNull()) {
        style = new PlainGroupFrameStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        style->setParent(QApplication::instance());
    }
    return style;
}

} // namespace

void UsePlainGroupFrame(QGroupBox* box)
{
    if (QApplication::style()->name().compare(QStringLiteral("fusion"), Qt::CaseInsensitive) == 0)
        box->setStyle(PlainGroupFrame());
}
