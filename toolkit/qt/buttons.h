#pragma once

// Check boxes and option buttons as the descriptions draw them.

#include <QAbstractButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QStylePainter>

#include <type_traits>

namespace quorvane::ui::qt {

// Width a check box or option button takes for its indicator and the gap before its caption; the
// caption wraps within the rest of the button.
int IndicatorWidth(const QAbstractButton* button);

// Check boxes and option buttons whose caption wraps at word boundaries within the button, beside
// an indicator centred in its height; the whole button takes clicks.
template <class Base>
class WrappingButton : public Base {
 public:
  using Base::Base;

 protected:
  static constexpr bool kRadio = std::is_same_v<Base, QRadioButton>;

  void paintEvent(QPaintEvent*) override {
    QStylePainter painter(this);
    QStyleOptionButton opt;
    this->initStyleOption(&opt);
    QStyleOptionButton indicator = opt;
    indicator.rect = this->style()->subElementRect(
        kRadio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator, &opt, this);
    indicator.rect.moveTop((this->height() - indicator.rect.height()) / 2);
    painter.drawPrimitive(kRadio ? QStyle::PE_IndicatorRadioButton : QStyle::PE_IndicatorCheckBox, indicator);

    QRect focus = indicator.rect;
    if (!this->text().isEmpty()) {
      const QRect textRect = this->rect().adjusted(IndicatorWidth(this), 0, 0, 0);
      const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
      this->style()->drawItemText(&painter, textRect, flags, opt.palette, this->isEnabled(), this->text(),
                                  QPalette::WindowText);
      focus = painter.boundingRect(textRect, flags, this->text()).intersected(this->rect());
    }
    if (this->hasFocus()) {
      QStyleOptionFocusRect fr;
      fr.initFrom(this);
      fr.rect = focus;
      painter.drawPrimitive(QStyle::PE_FrameFocusRect, fr);
    }
  }

  bool hitButton(const QPoint& pos) const override { return this->rect().contains(pos); }
};

}  // namespace quorvane::ui::qt
