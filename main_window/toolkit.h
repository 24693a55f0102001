#pragma once

// The thin window layer every Quorvane window is built on.
//
// A window is written down once, as a WindowDescription: its caption, border, client size and a table of
// ControlDescription rows (kind, container, name, caption or text, start-up state, alignment, font,
// position and size in twips, tab index). A Form builds the Qt widgets from that table and gives
// the window's code the few operations it uses: Caption, Text, Value, Visible and Locked of
// controls reached by name (array members by name and index), Click handlers shared by the
// members of an array, the outer width and the position of the window and the screen size in
// twips, repaint-now of a control, and a modal message box.
//
// Event dispatch, the same for every window:
//  1. A click by the user first changes the control (an option button becomes selected and clears
//     the other option buttons of its container; a check box toggles), then runs its handler.
//     A click on an option button that is already selected runs nothing.
//  2. Setting an option button's Value to true when it was not selected clears its group and runs
//     its handler at once, nested in the caller; setting true on a selected button, or setting
//     false, runs nothing.
//  3. Setting a check box's Value to another value runs its handler at once, nested; setting the
//     current value runs nothing.
//  4. Visible, Caption, Text, Locked and the window's size and position run no handler.

#include <QColor>
#include <QHash>
#include <QIcon>
#include <QMargins>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <QWidget>

#include <functional>
#include <map>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QFont;

namespace quorvane::ui {

// The application title: the caption of the main window and the title of every message box that
// names none.
inline constexpr const char* kAppTitle = "Quorvane";

// ---- Units -------------------------------------------------------------------------------------

// Lengths in window descriptions are twips: 1440 to the inch, 15 to a logical pixel at 96 dpi.
// This is the only place where twips turn into Qt's logical pixels (Qt itself scales logical
// pixels on high-dpi screens).
inline constexpr int kTwipsPerPixel = 15;
int TwipsToPixels(double twips);
double PixelsToTwips(int pixels);

// ---- Window descriptions -----------------------------------------------------------------------

enum class ControlKind { Frame, Label, TextBox, CheckBox, OptionButton, CommandButton, PictureBox, Line };
enum class Alignment { Left, Centre, Right };

// A font as a description gives it. Empty family and zero size mean the window's font.
struct FontDescription {
  QString family;
  double points = 0;
  bool bold = false;
  bool italic = false;
};

// One control of a window description. Built with Control(...) below and refined with the
// chained setters, so that a description reads as a table.
struct ControlDescription {
  ControlKind kind = ControlKind::Label;
  QString name;       // objectName; array members read "Option1(0)"
  QString container;  // name of the enclosing frame; empty for the window's client area
  QString caption;    // caption, or the text of a text box
  int left = 0, top = 0, width = 0, height = 0;  // twips, from the container's top-left corner
  int tabIndex = -1;

  bool visible = true;
  int value = 0;  // check box 0/1, option button 0 (off) / 1 (on)
  Alignment align = Alignment::Left;
  FontDescription font;
  QString accessibleName;  // for controls whose meaning is carried by a label beside them
  bool isDefault = false;  // Enter presses this button
  bool isCancel = false;   // Esc presses this button
  QColor colour;           // lines only
  int lineWidth = 1;       // lines only, in pixels

  ControlDescription& hidden() { visible = false; return *this; }
  ControlDescription& on() { value = 1; return *this; }
  ControlDescription& centred() { align = Alignment::Centre; return *this; }
  ControlDescription& rightAligned() { align = Alignment::Right; return *this; }
  ControlDescription& withFont(FontDescription f) { font = std::move(f); return *this; }
  ControlDescription& bold() { font.bold = true; return *this; }
  ControlDescription& named(QString accessible) { accessibleName = std::move(accessible); return *this; }
  ControlDescription& defaultButton() { isDefault = true; return *this; }
  ControlDescription& cancelButton() { isCancel = true; return *this; }
};

ControlDescription Control(ControlKind kind, QString name, QString container, QString caption,
                    int left, int top, int width, int height, int tabIndex);

// A line from (x1, y1) to (x2, y2), in twips; horizontal or vertical.
ControlDescription Line(QString name, QString container, int x1, int y1, int x2, int y2, QColor colour,
                 int widthPixels);

enum class Border {
  FixedSingle,  // fixed size, title bar and close box only
  FixedDialog,  // the same, as a dialog frame
  Sizable       // resizable frame with a close box only
};

struct WindowDescription {
  QString name;
  QString caption;
  int clientWidth = 0, clientHeight = 0;  // twips
  Border border = Border::FixedSingle;
  bool programIcon = true;     // shows the program's icon in the title bar
  bool discardOnClose = false; // closing the window deletes it (the next load starts afresh)
  bool startCentred = true;    // the first show places the window in the centre of the screen
  FontDescription font;               // the window's font; empty means the dialog font
  std::vector<ControlDescription> controls;
};

// ---- Fonts, icon -------------------------------------------------------------------------------

// The 8.25 pt dialog font of the descriptions. Uses the scalable look-alike from the fonts-wine
// package when it is installed, otherwise the toolkit's default sans face at the same pixel size.
QFont DialogFont();
// The font of a description, resolved against a window font.
QFont ResolveFont(const FontDescription& desc, const QFont& base);
// The program's icon (16, 32 and 48 pixels), shown by windows whose description asks for it.
QIcon ProgramIcon();

// Width a check box or option button takes for its indicator and the gap before its caption; the
// caption wraps within the rest of the button.
int IndicatorWidth(const QAbstractButton* button);

// ---- Message box -------------------------------------------------------------------------------

// Shows a modal box with a title, a text and an OK button only, no icon; returns after OK. An
// empty title means the application title. Tests replace the box with a hook.
using MessageBoxHook = std::function<void(const QString& title, const QString& text)>;
void ShowMessageBox(const QString& text, const QString& title = QString(), QWidget* parent = nullptr);
// Installs a hook that receives every message instead of a modal box; an empty hook restores
// the box. Returns the previous hook.
MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);

// ---- Screen ------------------------------------------------------------------------------------

// The screen's size in twips. Tests may replace the screen with a hook of their own.
using ScreenSizeHook = std::function<QSizeF()>;
ScreenSizeHook SetScreenSizeHook(ScreenSizeHook hook);

// ---- Forms -------------------------------------------------------------------------------------

class Form;

// A control reached by name: a small handle, cheap to copy. Every operation on a missing control
// is a programming error and is reported with qFatal.
class ControlRef {
 public:
  ControlRef(Form* form, QWidget* widget) : form_(form), widget_(widget) {}

  QString name() const;
  QWidget* widget() const { return widget_; }

  // Caption of labels, buttons, check boxes, option buttons and frames.
  QString caption() const;
  void setCaption(const QString& caption);
  // Text of text boxes.
  QString text() const;
  void setText(const QString& text);
  // Value of check boxes (0 unticked, 1 ticked, 2 greyed) and option buttons (1 on, 0 off).
  // Setting it follows the dispatch rule above.
  int value() const;
  void setValue(int value);
  // Visible as the description and the handlers see it: true also while the window is hidden.
  bool visible() const;
  void setVisible(bool visible);
  // Locked text boxes keep and show their text, but the user can't change it.
  bool locked() const;
  void setLocked(bool locked);
  // Repaints the control, and every caption of its window set so far, at once.
  void refresh();

 private:
  Form* form_;
  QWidget* widget_;
};

class Form : public QWidget {
  Q_OBJECT

 public:
  using Handler = std::function<void(int index)>;

  // Builds the window and all its controls from the description; the window is not shown.
  explicit Form(const WindowDescription& desc, QWidget* parent = nullptr);
  ~Form() override;

  // Controls by name; array members by name and index ("Option1", 3 is "Option1(3)").
  ControlRef control(const QString& name) const;
  ControlRef control(const QString& arrayName, int index) const;
  // All control names in description order.
  QStringList controlNames() const;

  // Shortcuts for the code that reads and fills a window.
  QString text(const QString& name) const { return control(name).text(); }
  void setText(const QString& name, const QString& text) { control(name).setText(text); }
  QString caption(const QString& name) const { return control(name).caption(); }
  void setCaption(const QString& name, const QString& caption) { control(name).setCaption(caption); }
  int value(const QString& name) const { return control(name).value(); }
  bool isSelected(const QString& arrayName, int index) const {
    return control(arrayName, index).value() != 0;
  }

  // The Click handler of a control, or of all members of an array (by its name without index).
  // Array handlers receive the member's index, other handlers -1.
  void setClickHandler(const QString& nameOrArray, Handler handler);

  // Outer width (client area and border) and height of the window, in twips.
  double outerWidthTwips() const;
  double outerHeightTwips() const;
  // Sets the outer width; the height stays.
  void setOuterWidthTwips(double twips);
  // Moves the window's outer top-left corner to (left, top), twips from the screen's corner.
  void moveTwips(double left, double top);
  // Window position, twips.
  double leftTwips() const;
  double topTwips() const;
  // The screen's width and height in twips.
  QSizeF screenSizeTwips() const;
  // Moves the window to the centre of the screen: left = (screen width - window width) / 2 and
  // likewise top, in single precision; a window larger than the screen gets a negative left or
  // top.
  void centreOnScreen();

  // Message box owned by this window.
  void messageBox(const QString& text, const QString& title = QString());

  // The frame the descriptions count: a border of 45 twips on each side and a caption bar.
  static constexpr int kNominalBorderTwips = 45;
  static constexpr int kNominalCaptionTwips = 270;

 protected:
  void showEvent(QShowEvent* event) override;
  // Tab and Shift+Tab walk the focusable controls in tab-index order. A hidden control, and one
  // that lies wholly outside the client area, is skipped; a group of option buttons is one stop,
  // at its selected member (arrow keys move within the group).
  bool focusNextPrevChild(bool next) override;

 private:
  friend class ControlRef;
  void build();
  QWidget* makeControl(const ControlDescription& c, QWidget* parent);
  void applyTabOrder();
  void runHandler(QWidget* control);
  QButtonGroup* groupOf(QAbstractButton* b) const;
  bool canTakeTabFocus(QWidget* w) const;

  WindowDescription description_;
  QHash<QString, QWidget*> controls_;
  QStringList order_;
  std::map<QString, Handler> handlers_;
  QHash<QWidget*, QButtonGroup*> groups_;
  std::vector<QWidget*> tabOrder_;  // focusable controls by tab index  // option buttons -> the group of their container
  bool shownOnce_ = false;
  int quiet_ = 0;  // >0 while the layer itself changes a button, so its signals run nothing
};

// The array name and index of a member name "Option1(3)"; index -1 for a plain name.
struct ArrayName {
  QString base;
  int index = -1;
};
ArrayName SplitArrayName(const QString& name);
QString MemberName(const QString& arrayName, int index);

}  // namespace quorvane::ui
