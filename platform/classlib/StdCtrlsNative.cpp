#include "platform/classlib/StdCtrlsNative.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/classlib/ControlBridge.h"

namespace stdctrls {
namespace {

// The standard style with details that read on dark faces as on light ones:
// the checked radio button's dot solid in the text colour (the toolkit's own
// is a faint shade of it), and flat scroll bars in the widget's own colours
// (the toolkit's are light whatever the palette).
class DetailProxyStyle : public QProxyStyle {
 public:
  DetailProxyStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

  void drawComplexControl(ComplexControl cc, const QStyleOptionComplex* opt, QPainter* p,
                          const QWidget* w) const override {
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(opt);
    if (cc != CC_ScrollBar || !bar) {
      QProxyStyle::drawComplexControl(cc, opt, p, w);
      return;
    }
    // Groove in Window, handle in Button, arrows in ButtonText.
    const QPalette& pal = opt->palette;
    const QColor groove = pal.color(QPalette::Window);
    const QColor handle = pal.color(QPalette::Button);
    QColor arrow = pal.color(QPalette::ButtonText);
    const bool enabled = opt->state & State_Enabled;
    if (!enabled)
      arrow = QColor((arrow.red() + groove.red()) / 2, (arrow.green() + groove.green()) / 2,
                     (arrow.blue() + groove.blue()) / 2);
    const bool vertical = bar->orientation == Qt::Vertical;
    auto pressed = [&](SubControl sc) {
      return (opt->state & State_Sunken) && (bar->activeSubControls & sc);
    };
    auto hovered = [&](SubControl sc) {
      return (opt->state & State_MouseOver) && (bar->activeSubControls & sc);
    };
    p->save();
    p->fillRect(opt->rect, groove);
    p->setRenderHint(QPainter::Antialiasing, true);
    p->setPen(Qt::NoPen);
    const QRect slider = subControlRect(CC_ScrollBar, bar, SC_ScrollBarSlider, w);
    if (enabled && bar->maximum > bar->minimum && slider.isValid()) {
      QColor c = handle;
      if (pressed(SC_ScrollBarSlider))
        c = c.lighter(125);
      else if (hovered(SC_ScrollBarSlider))
        c = c.lighter(112);
      p->setBrush(c);
      p->drawRoundedRect(
          QRectF(slider).adjusted(vertical ? 3 : 1, vertical ? 1 : 3, vertical ? -3 : -1, vertical ? -1 : -3),
          3, 3);
    }
    for (SubControl sc : {SC_ScrollBarSubLine, SC_ScrollBarAddLine}) {
      const QRect r = subControlRect(CC_ScrollBar, bar, sc, w);
      if (!r.isValid() || r.isEmpty()) continue;
      if (pressed(sc)) p->fillRect(r, handle);
      const qreal half = std::max<qreal>(2.0, std::min(r.width(), r.height()) / 4.0);
      const QPointF m = QRectF(r).center();
      const bool towardsStart = sc == SC_ScrollBarSubLine;
      QPolygonF tri;
      if (vertical) {
        const qreal dy = towardsStart ? -half / 2 : half / 2;
        tri << QPointF(m.x() - half, m.y() - dy) << QPointF(m.x() + half, m.y() - dy)
            << QPointF(m.x(), m.y() + dy);
      } else {
        const qreal dx = towardsStart ? -half / 2 : half / 2;
        tri << QPointF(m.x() - dx, m.y() - half) << QPointF(m.x() - dx, m.y() + half)
            << QPointF(m.x() + dx, m.y());
      }
      p->setBrush(arrow);
      p->drawPolygon(tri);
    }
    p->restore();
  }

  void drawPrimitive(PrimitiveElement pe, const QStyleOption* opt, QPainter* p,
                     const QWidget* w) const override {
    if (pe != PE_IndicatorRadioButton || !(opt->state & State_On)) {
      QProxyStyle::drawPrimitive(pe, opt, p, w);
      return;
    }
    QStyleOption ring(*opt);
    ring.state &= ~State_On;
    ring.state |= State_Off;
    QProxyStyle::drawPrimitive(pe, &ring, p, w);
    const QRectF r(opt->rect);
    const qreal d = std::max<qreal>(4.0, std::round(std::min(r.width(), r.height()) * 0.42));
    const QPalette::ColorGroup group = opt->state & State_Enabled ? QPalette::Active : QPalette::Disabled;
    p->save();
    p->setRenderHint(QPainter::Antialiasing, true);
    p->setPen(Qt::NoPen);
    p->setBrush(opt->palette.color(group, QPalette::Text));
    p->drawEllipse(QRectF(r.center().x() - d / 2, r.center().y() - d / 2, d, d));
    p->restore();
  }
};

}  // namespace

QStyle* StandardStyle() {
  static QPointer<QStyle> style;
  if (!style) {
    style = QStyleFactory::create(QStringLiteral("Fusion"));
    if (style && qApp) style->setParent(qApp);
  }
  return style;
}

QStyle* DetailStyle() {
  static QPointer<QStyle> style;
  if (!style) {
    style = new DetailProxyStyle();
    if (qApp) style->setParent(qApp);
  }
  return style;
}

void UseStandardStyle(QWidget* w) {
  QStyle* style = StandardStyle();
  if (style && QApplication::style() &&
      QApplication::style()->name().compare(style->name(), Qt::CaseInsensitive) != 0)
    w->setStyle(style);
}

void AddWidgetPart(QWidget* controlWidget, QWidget* part) {
  if (ControlBridge* bridge = ControlBridge::Of(controlWidget)) bridge->AddPart(part);
}

int Luma(TColor c) {
  const TColor rgb = ColorToRGB(c);
  return (GetRValue(rgb) * 299 + GetGValue(rgb) * 587 + GetBValue(rgb) * 114) / 1000;
}

TColor ReadableInk(TColor face, TColor ink) {
  const TColor f = ColorToRGB(face == clNone ? clBtnFace : face);
  const TColor i = ink == clNone || ink == clDefault ? ColorToRGB(clWindowText) : ColorToRGB(ink);
  if (std::abs(Luma(i) - Luma(f)) >= 90) return i;
  return Luma(f) < 128 ? RGB(0xE6, 0xE9, 0xED) : RGB(0x14, 0x17, 0x1B);
}

TColor FieldColorFor(TColor face) {
  TColor c = ColorToRGB(face == clNone ? clBtnFace : face);
  if (Luma(c) >= 128) return clWindow;
  auto deeper = [](int v) { return v * 3 / 5; };
  return RGB(deeper(GetRValue(c)), deeper(GetGValue(c)), deeper(GetBValue(c)));
}

void UseScrollBarStyle(QWidget* scrollArea) {
  if (auto* area = qobject_cast<QAbstractScrollArea*>(scrollArea)) {
    area->verticalScrollBar()->setStyle(DetailStyle());
    area->horizontalScrollBar()->setStyle(DetailStyle());
  }
}

void ApplyScrollBarColors(QWidget* w, TColor back, TColor text) {
  TColor b = ColorToRGB(back == clNone ? clBtnFace : back);
  TColor t = ColorToRGB(text);
  auto mix = [](int x, int y) { return x + (y - x) / 4; };
  TColor handle =
      RGB(mix(GetRValue(b), GetRValue(t)), mix(GetGValue(b), GetGValue(t)), mix(GetBValue(b), GetBValue(t)));
  ApplyColors(w, {RolePair{back, text, QPalette::Window, QPalette::WindowText},
                  RolePair{handle, text, QPalette::Button, QPalette::ButtonText}});
}

void ApplyColors(QWidget* w, std::initializer_list<RolePair> pairs) {
  QPalette pal = w->palette();
  for (const RolePair& r : pairs) {
    QColor b = r.back == clNone ? pal.color(r.backRole) : ToQColor(r.back);
    QColor t = r.text == clNone ? pal.color(r.textRole) : ToQColor(r.text);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
      pal.setColor(group, r.backRole, b);
      pal.setColor(group, r.textRole, t);
    }
    QColor dim((t.red() + b.red()) / 2, (t.green() + b.green()) / 2, (t.blue() + b.blue()) / 2);
    pal.setColor(QPalette::Disabled, r.textRole, dim);
  }
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    pal.setColor(group, QPalette::Highlight, ToQColor(clHighlight));
    pal.setColor(group, QPalette::HighlightedText, ToQColor(clHighlightText));
  }
  w->setPalette(pal);
}

}  // namespace stdctrls
