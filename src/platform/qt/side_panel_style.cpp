#include "platform/qt/side_panel_style.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleOption>
#include <algorithm>

namespace qm {

namespace {

const QColor kPanel(0x1c, 0x1c, 0x1c);
const QColor kText(0xdd, 0xdd, 0xdd);
const QColor kBorder(0x3a, 0x3a, 0x3a);
const QColor kSelection(0x33, 0x99, 0xff);
const QColor kHandle(0x4a, 0x4f, 0x57);
constexpr int kScrollBarWidth = 10;
constexpr int kHandleMinimum = 20;
constexpr qreal kHandleRadius = 4;

QPalette panelPalette() {
  QPalette palette;
  for (auto role : {QPalette::Window, QPalette::Base, QPalette::AlternateBase, QPalette::Button})
    palette.setColor(role, kPanel);
  for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) palette.setColor(role, kText);
  palette.setColor(QPalette::Highlight, kSelection);
  palette.setColor(QPalette::HighlightedText, Qt::white);
  return palette;
}

// A scroll bar is all track: the handle's length shows the visible share,
// and the track before and after it pages.
QRect scrollBarPart(const QStyleOptionSlider& bar, QStyle::SubControl part) {
  const QRect all = bar.rect;
  const bool horizontal = bar.orientation == Qt::Horizontal;
  const int length = horizontal ? all.width() : all.height();
  const qint64 range = qint64(bar.maximum) - bar.minimum;
  int handle = length;
  if (range > 0)
    handle = std::clamp(int(length * qint64(bar.pageStep) / (range + bar.pageStep)), std::min(kHandleMinimum, length),
                        length);
  const int start =
      QStyle::sliderPositionFromValue(bar.minimum, bar.maximum, bar.sliderPosition, length - handle, bar.upsideDown);
  auto span = [&](int from, int size) {
    return horizontal ? QRect(all.x() + from, all.y(), size, all.height())
                      : QRect(all.x(), all.y() + from, all.width(), size);
  };
  switch (part) {
    case QStyle::SC_ScrollBarSlider:
      return span(start, handle);
    case QStyle::SC_ScrollBarSubPage:
      return span(0, start);
    case QStyle::SC_ScrollBarAddPage:
      return span(start + handle, length - start - handle);
    case QStyle::SC_ScrollBarGroove:
      return all;
    default:
      return {};  // no arrow buttons
  }
}

class SidePanelStyle : public QProxyStyle {
 public:
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    if (metric == PM_ScrollBarExtent) return kScrollBarWidth;
    if (metric == PM_ScrollBarSliderMin) return kHandleMinimum;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }

  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                       const QWidget* widget) const override {
    if (control == CC_ScrollBar)
      if (const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option)) return scrollBarPart(*bar, part);
    return QProxyStyle::subControlRect(control, option, part, widget);
  }

  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                          const QWidget* widget) const override {
    if (control == CC_ScrollBar) {
      if (const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option)) {
        painter->fillRect(bar->rect, kPanel);
        const bool lit = (bar->state & State_MouseOver) && (bar->activeSubControls & SC_ScrollBarSlider);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(lit || (bar->state & State_Sunken) ? kSelection : kHandle);
        painter->drawRoundedRect(scrollBarPart(*bar, SC_ScrollBarSlider), kHandleRadius, kHandleRadius);
        painter->restore();
        return;
      }
    }
    if (control == CC_ComboBox) {
      // Flat, with the frame of the lists; the arrow in the text's colour.
      painter->fillRect(option->rect, kPanel);
      painter->setPen(kBorder);
      painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
      QStyleOption arrow(*option);
      arrow.rect = subControlRect(CC_ComboBox, option, SC_ComboBoxArrow, widget).adjusted(3, 3, -3, -3);
      proxy()->drawPrimitive(PE_IndicatorArrowDown, &arrow, painter, widget);
      return;
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
  }

  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override {
    if (element == CE_ShapedFrame) {
      painter->setPen(kBorder);
      painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
      return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
  }
};

// One style for every panel widget, alive as long as the application.
QStyle* sidePanelStyle() {
  static QStyle* style = [] {
    auto* made = new SidePanelStyle;
    made->setParent(qApp);
    return made;
  }();
  return style;
}

}  // namespace

void applySidePanelStyle(QAbstractScrollArea& list) {
  list.setPalette(panelPalette());
  list.setStyle(sidePanelStyle());
  for (QScrollBar* bar : {list.verticalScrollBar(), list.horizontalScrollBar()}) bar->setStyle(sidePanelStyle());
}

void applySidePanelStyle(QComboBox& box) {
  box.setPalette(panelPalette());
  box.setStyle(sidePanelStyle());
}

}  // namespace qm
