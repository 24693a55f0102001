#pragma once

// A label of a window on Qt: its caption, plain text from its top down, wrapped at words where it
// is wider than the label. A caption on one line is drawn as its leading text and then each of its
// trailing digits, every distinct one laid out once and kept, so that a count that changes many
// times a second neither lays out nor shapes text again, and a new count changes only the pixels
// of the digits that differ.

#include <QHash>
#include <QRegion>
#include <QStaticText>
#include <QString>
#include <QWidget>

#include <vector>

namespace quorvane::ui::qt {

class CaptionLabel : public QWidget {
  Q_OBJECT

 public:
  CaptionLabel(const QString& caption, Qt::Alignment alignment, QWidget* parent);

  QString text() const { return caption_; }
  Qt::Alignment alignment() const { return alignment_; }

  // Sets the caption and marks for painting the part of the label whose pixels change (nothing
  // for the same caption); returns that part, in the label's coordinates.
  QRegion setText(const QString& caption);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // A text laid out once in the label's font, with its advance.
  struct Piece {
    QStaticText text;
    qreal advance = 0;
  };
  struct Placed {
    Piece piece;
    qreal left;
  };
  // Where a caption goes in the label as it is: its pieces on one line, or wrapped whole.
  struct Layout {
    bool wrapped = false;
    std::vector<Placed> pieces;
  };

  const Piece& piece(const QString& text);
  Layout layOut(const QString& caption);
  // The layout of the caption, laid out afresh once the label's width or font changed.
  const Layout& layout();
  // Where a piece, or a whole caption, may ink: with room for glyphs that reach past their
  // advance, within the label.
  QRect inkRect(const Placed& placed) const;
  QRect inkRect(const Layout& layout) const;
  void forgetLayouts();

  QString caption_;
  Qt::Alignment alignment_;
  Layout layout_;
  bool laidOut_ = false;
  int layoutWidth_ = -1;
  qreal lineHeight_ = 0;
  int overhang_ = 0;              // how far glyphs of the font may ink past their advance
  QHash<QString, Piece> pieces_;  // in the current font
  QStaticText wrapped_;           // the caption as wrapped, while it is
};

}  // namespace quorvane::ui::qt
