#pragma once

// A window of the program on Qt Widgets: the top-level widget and its controls, built from the
// window's description.

#include <QRegion>
#include <QWidget>

#include <vector>

#include "toolkit/backend.h"

class QButtonGroup;

namespace quorvane::ui::qt {

class QtWindow : public QWidget, public WindowPeer {
  Q_OBJECT

 public:
  QtWindow(const WindowDescription& description, PeerEvents& events);
  ~QtWindow() override;

  // The widget of a control, by its row in the description.
  QWidget* controlWidget(int control) const { return widgets_[static_cast<std::size_t>(control)]; }
  int indexOf(const QWidget* widget) const;

  void setWindowCaption(const std::string& caption) override;
  void setCaption(int control, const std::string& caption) override;
  std::string text(int control) const override;
  void setText(int control, const std::string& text) override;
  void setValue(int control, int value) override;
  void setShown(int control, bool shown) override;
  void setLocked(int control, bool locked) override;
  void setFocus(int control) override;
  int focused() const override;
  void selectAll(int control) override;
  void realize() override;
  void show() override;
  void showNow() override;
  void hide() override;
  bool isShown() const override;
  void close() override;
  void repaintNow() override;
  void place(const std::vector<ControlPlace>& places) override;
  bool pollStopRequest() override;
  double clientWidthTwips() const override;
  double clientHeightTwips() const override;
  void setClientWidthTwips(double twips) override;
  double frameHeightTwips() const override;
  double leftTwips() const override;
  double topTwips() const override;
  void moveTwips(double left, double top) override;
  TwipSize screenSizeTwips() const override;
  void messageBox(const std::string& title, const std::string& text) override;
  // Tables, the context menu and the save dialog (window_tables.cpp).
  void setRows(int control, const std::vector<std::vector<std::string>>& rows) override;
  bool hasSelectedText(int control) const override;
  void popUpMenu(const std::vector<MenuEntry>& items, double leftTwips, double topTwips) override;
  SaveResult saveFile(const SaveRequest& request) override;

 protected:
  bool focusNextPrevChild(bool next) override;
  bool eventFilter(QObject* target, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QWidget* makeControl(const ControlDescription& c, QWidget* parent, int index);
  QWidget* makeTable(const ControlDescription& c, QWidget* parent);
  // A window that the user resizes in height only keeps its width and its least height.
  void limitSize(const QSize& client);
  // A right-click on one of the window's widgets: true when the layer showed its menu.
  bool askForMenu(QObject* target, QEvent* event);
  void applyFonts();

  WindowDescription description_;
  PeerEvents& events_;
  std::vector<QWidget*> widgets_;
  QRegion changed_;            // where captions changed since the last repaint-now, in window coordinates
  int quiet_ = 0;              // >0 while the layer itself changes a button, so its signals report nothing
  bool menuKeyTaken_ = false;  // the layer took the Menu key: its other half is taken too
  bool fontsFitted_ = false;   // once the controls have their sizes
};

}  // namespace quorvane::ui::qt
