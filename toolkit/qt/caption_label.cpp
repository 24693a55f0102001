#include "toolkit/qt/caption_label.h"

#include <QAccessible>
#include <QEvent>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QTextOption>

#include <algorithm>
#include <cmath>

namespace quorvane::ui::qt {

namespace {

// Distinct pieces kept per label: its leading texts and the ten digits, with room to spare.
constexpr qsizetype kMostPieces = 64;

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

}  // namespace

CaptionLabel::CaptionLabel(const QString& caption, Qt::Alignment alignment, QWidget* parent)
    : QWidget(parent), caption_(caption), alignment_(alignment) {
  forgetLayouts();
}

const CaptionLabel::Piece& CaptionLabel::piece(const QString& text) {
  const auto kept = pieces_.constFind(text);
  if (kept != pieces_.constEnd()) return *kept;
  if (pieces_.size() >= kMostPieces) pieces_.clear();
  Piece p;
  p.text = QStaticText(text);
  p.text.setTextFormat(Qt::PlainText);
  p.text.prepare(QTransform(), font());
  p.advance = QFontMetricsF(font()).horizontalAdvance(text);
  return *pieces_.insert(text, p);
}

CaptionLabel::Layout CaptionLabel::layOut(const QString& caption) {
  Layout l;
  qsizetype digits = 0;
  while (digits < caption.size() && IsDigit(caption[caption.size() - 1 - digits])) ++digits;
  const QString lead = caption.left(caption.size() - digits);
  qreal width = 0;
  if (!lead.isEmpty()) {
    l.pieces.push_back(Placed{piece(lead), width});
    width += l.pieces.back().piece.advance;
  }
  for (qsizetype i = caption.size() - digits; i < caption.size(); ++i) {
    l.pieces.push_back(Placed{piece(QString(caption[i])), width});
    width += l.pieces.back().piece.advance;
  }
  if (caption.contains(QLatin1Char('\n')) || width > this->width()) {
    l.wrapped = true;
    l.pieces.clear();
    return l;
  }
  const Qt::Alignment horizontal = alignment_ & Qt::AlignHorizontal_Mask;
  const qreal start = horizontal == Qt::AlignHCenter ? (this->width() - width) / 2
                      : horizontal == Qt::AlignRight ? this->width() - width
                                                     : 0;
  for (Placed& p : l.pieces) p.left += start;
  return l;
}

const CaptionLabel::Layout& CaptionLabel::layout() {
  if (!laidOut_ || layoutWidth_ != width()) {
    layoutWidth_ = width();
    layout_ = layOut(caption_);
    laidOut_ = true;
    if (layout_.wrapped) {
      wrapped_ = QStaticText(caption_);
      wrapped_.setTextFormat(Qt::PlainText);
      wrapped_.setTextWidth(width());
      QTextOption option(alignment_ | Qt::AlignTop);
      option.setWrapMode(QTextOption::WordWrap);
      wrapped_.setTextOption(option);
      wrapped_.prepare(QTransform(), font());
    } else {
      wrapped_ = QStaticText();
    }
  }
  return layout_;
}

QRect CaptionLabel::inkRect(const Placed& placed) const {
  const QRectF ink(placed.left - overhang_, 0, placed.piece.advance + 2 * overhang_, lineHeight_ + overhang_);
  return ink.toAlignedRect().intersected(rect());
}

QRect CaptionLabel::inkRect(const Layout& l) const {
  if (l.wrapped) return rect();
  QRect ink;
  for (const Placed& p : l.pieces) ink |= inkRect(p);
  return ink;
}

void CaptionLabel::forgetLayouts() {
  pieces_.clear();
  laidOut_ = false;
  const QFontMetricsF fm(font());
  lineHeight_ = fm.height();
  // Two pixels for antialiasing, and what slanted or overhanging glyphs reach beyond.
  const qreal bearing = std::max({0.0, -fm.minLeftBearing(), -fm.minRightBearing()});
  overhang_ = 2 + static_cast<int>(std::ceil(font().italic() ? std::max(bearing, lineHeight_ / 4) : bearing));
}

QRegion CaptionLabel::setText(const QString& caption) {
  if (caption == caption_) return QRegion();
  const Layout before = layout();
  caption_ = caption;
  laidOut_ = false;
  const Layout& after = layout();
  QRegion changed;
  const bool samePlaces = !before.wrapped && !after.wrapped && before.pieces.size() == after.pieces.size() &&
                          std::equal(before.pieces.begin(), before.pieces.end(), after.pieces.begin(),
                                     [](const Placed& a, const Placed& b) {
                                       return a.left == b.left && a.piece.advance == b.piece.advance;
                                     });
  if (samePlaces) {
    // The same places: only the pieces that differ change.
    for (std::size_t i = 0; i < after.pieces.size(); ++i)
      if (before.pieces[i].piece.text.text() != after.pieces[i].piece.text.text()) changed += inkRect(after.pieces[i]);
  } else {
    changed = QRegion(inkRect(before)) + inkRect(after);
  }
  if (!changed.isEmpty()) update(changed);
  if (accessibleName().isEmpty()) {
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
  }
  return changed;
}

void CaptionLabel::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setFont(font());
  painter.setPen(palette().color(foregroundRole()));
  const Layout& l = layout();
  if (l.wrapped) {
    painter.drawStaticText(QPointF(0, 0), wrapped_);
    return;
  }
  for (const Placed& p : l.pieces)
    if (event->region().intersects(inkRect(p))) painter.drawStaticText(QPointF(p.left, 0), p.piece.text);
}

void CaptionLabel::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) {
    forgetLayouts();
    update();
  } else if (event->type() == QEvent::PaletteChange) {
    update();
  }
  QWidget::changeEvent(event);
}

void CaptionLabel::resizeEvent(QResizeEvent* event) {
  laidOut_ = false;
  QWidget::resizeEvent(event);
}

}  // namespace quorvane::ui::qt
