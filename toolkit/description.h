#pragma once

// How a window is written down: its caption, border, client size and a table of controls, each
// with its kind, container, name, caption or text, start-up state, position and size in twips and
// tab index. The descriptions are plain values; a back-end builds the native window from them.

#include <cstdint>
#include <string>
#include <vector>

namespace quorvane::ui {

// The application title: the caption of the main window and the title of every message box that
// names none.
inline constexpr const char* kAppTitle = "Quorvane";

// ---- Units -------------------------------------------------------------------------------------

// Lengths in descriptions are twips: 1440 to the inch, 15 to a pixel at 96 dots per inch.
inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kTwipsPerPixel = 15;  // at 96 dpi
// Twips to whole pixels at `dpi` dots per inch, rounded to the nearest pixel.
int TwipsToPixels(double twips, int dpi = 96);
double PixelsToTwips(int pixels, int dpi = 96);

// ---- Descriptions ------------------------------------------------------------------------------

// A table is a read-only grid of rows under column headings (a list view, a table widget), read
// as a table by screen readers; the user moves through its rows with the arrow keys.
enum class ControlKind { Frame, Label, TextBox, CheckBox, OptionButton, CommandButton, PictureBox, Line, Table };
enum class Alignment { Left, Centre, Right };
// What a picture box shows.
enum class Picture { None, ProgramIcon };

// The classic dialog font of the descriptions.
inline constexpr const char* kDialogFontFamily = "MS Sans Serif";
inline constexpr double kDialogFontPoints = 8.25;

// Where a control goes when the user changes the height of a sizable window: it keeps its place
// from the top (the rest), keeps its distance to the bottom, or grows and shrinks with the height.
enum class VerticalAnchor { Top, Bottom, Stretch };
// Where a control goes when a narrow screen makes its window narrower (see toolkit/reflow.h): it
// keeps its place from the left (the rest), keeps its distance to the right edge, or grows and
// shrinks with the width.
enum class HorizontalAnchor { Left, Right, Stretch };
// What a text box takes, for a keyboard on the screen: any text, a whole number, or a number that
// may have a fraction.
enum class TextEntry { Text, WholeNumber, Decimal };

// A column of a table: its heading, its width in twips, and whether its cells are right-aligned
// (numbers).
struct TableColumnDescription {
  std::string caption;
  int width = 0;
  bool rightAligned = false;
};

// A font as a description gives it. Empty family and zero size mean the window's font.
struct FontDescription {
  std::string family;
  double points = 0;
  bool bold = false;
  bool italic = false;

  bool isDefault() const { return family.empty() && points <= 0 && !bold && !italic; }
};

// An RGB colour; `set` false means the desktop's colour.
struct Colour {
  std::uint8_t red = 0, green = 0, blue = 0;
  bool set = false;
};
inline constexpr Colour Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) { return Colour{r, g, b, true}; }

// One control of a window description. Built with Control(...) below and refined with the
// chained setters, so that a description reads as a table.
struct ControlDescription {
  ControlKind kind = ControlKind::Label;
  std::string name;                              // object name; array members read "Name(0)"
  std::string container;                         // name of the enclosing frame; empty for the window's client area
  std::string caption;                           // caption, or the text of a text box
  int left = 0, top = 0, width = 0, height = 0;  // twips, from the container's top-left corner
  int tabIndex = -1;

  bool visible = true;
  int value = 0;  // check box 0/1, option button 0 (off) / 1 (on)
  Alignment align = Alignment::Left;
  FontDescription font;
  std::string accessibleName;                   // for controls whose meaning is carried by a label beside them
  bool isDefault = false;                       // Enter presses this button
  bool isCancel = false;                        // Esc presses this button
  Colour colour;                                // lines: their colour; labels: the text's colour
  int lineWidth = 1;                            // lines only, in pixels at 96 dpi
  Picture picture = Picture::None;              // picture boxes only
  std::vector<std::string> otherCaptions;       // captions the code may set; fonts are fitted to them too
  std::vector<TableColumnDescription> columns;  // tables only
  VerticalAnchor anchor = VerticalAnchor::Top;
  HorizontalAnchor widthAnchor = HorizontalAnchor::Left;
  TextEntry entry = TextEntry::Text;  // text boxes only

  ControlDescription& hidden() {
    visible = false;
    return *this;
  }
  ControlDescription& on() {
    value = 1;
    return *this;
  }
  ControlDescription& centred() {
    align = Alignment::Centre;
    return *this;
  }
  ControlDescription& rightAligned() {
    align = Alignment::Right;
    return *this;
  }
  ControlDescription& withFont(FontDescription f) {
    font = std::move(f);
    return *this;
  }
  ControlDescription& bold() {
    font.bold = true;
    return *this;
  }
  ControlDescription& named(std::string accessible) {
    accessibleName = std::move(accessible);
    return *this;
  }
  ControlDescription& defaultButton() {
    isDefault = true;
    return *this;
  }
  ControlDescription& cancelButton() {
    isCancel = true;
    return *this;
  }
  ControlDescription& inColour(Colour c) {
    colour = c;
    return *this;
  }
  ControlDescription& showing(Picture p) {
    picture = p;
    return *this;
  }
  ControlDescription& withColumns(std::vector<TableColumnDescription> c) {
    columns = std::move(c);
    return *this;
  }
  ControlDescription& keepsToBottom() {
    anchor = VerticalAnchor::Bottom;
    return *this;
  }
  ControlDescription& growsWithHeight() {
    anchor = VerticalAnchor::Stretch;
    return *this;
  }
  ControlDescription& keepsToRight() {
    widthAnchor = HorizontalAnchor::Right;
    return *this;
  }
  ControlDescription& growsWithWidth() {
    widthAnchor = HorizontalAnchor::Stretch;
    return *this;
  }
  ControlDescription& takes(TextEntry e) {
    entry = e;
    return *this;
  }
  ControlDescription& alsoShows(std::string otherCaption) {
    otherCaptions.push_back(std::move(otherCaption));
    return *this;
  }
};

ControlDescription Control(ControlKind kind, std::string name, std::string container, std::string caption, int left,
                           int top, int width, int height, int tabIndex);

// ---- Control identifiers -----------------------------------------------------------------------
// A form declares each of its controls once, as a constant of its kind; the description, the
// typed handles and the handlers all use that constant, so a control of the wrong kind does not
// compile and a name the description lacks fails when the form is built.

template <ControlKind K>
struct ControlId {
  const char* name;
};
// A member of an option button array, Name(index).
template <ControlKind K>
struct MemberId {
  const char* array;
  int index;
  std::string name() const;
};
// An option button array of `Count` members, Name(0) to Name(Count - 1).
template <ControlKind K, int Count>
struct ArrayId {
  const char* name;
  static constexpr int kCount = Count;
  constexpr MemberId<K> operator[](int index) const { return MemberId<K>{name, index}; }
};

using FrameId = ControlId<ControlKind::Frame>;
using LabelId = ControlId<ControlKind::Label>;
using TextBoxId = ControlId<ControlKind::TextBox>;
using CheckBoxId = ControlId<ControlKind::CheckBox>;
using OptionButtonId = ControlId<ControlKind::OptionButton>;
using CommandButtonId = ControlId<ControlKind::CommandButton>;
using PictureBoxId = ControlId<ControlKind::PictureBox>;
using LineId = ControlId<ControlKind::Line>;
using TableId = ControlId<ControlKind::Table>;
template <int Count>
using OptionArrayId = ArrayId<ControlKind::OptionButton, Count>;

// The window's client area as a container.
inline constexpr FrameId kClientArea{""};

template <ControlKind K>
ControlDescription Control(ControlId<K> id, FrameId container, std::string caption, int left, int top, int width,
                           int height, int tabIndex) {
  return Control(K, id.name, container.name, std::move(caption), left, top, width, height, tabIndex);
}
template <ControlKind K>
ControlDescription Control(MemberId<K> id, FrameId container, std::string caption, int left, int top, int width,
                           int height, int tabIndex) {
  return Control(K, id.name(), container.name, std::move(caption), left, top, width, height, tabIndex);
}

// A line from (x1, y1) to (x2, y2), in twips; horizontal or vertical.
ControlDescription Line(std::string name, std::string container, int x1, int y1, int x2, int y2, Colour colour,
                        int widthPixels);
ControlDescription Line(MemberId<ControlKind::Line> id, FrameId container, int x1, int y1, int x2, int y2,
                        Colour colour, int widthPixels);

enum class Border {
  FixedSingle,  // fixed size, title bar and close box only
  FixedDialog,  // the same, as a dialog frame
  Sizable       // resizable frame with a close box only
};

// An item of a window's context menu, named once like a control. `controlKey` (a lower-case
// letter, or 0) is its key with Ctrl, which the menu shows beside its caption.
struct MenuItemId {
  const char* name;
};
struct MenuItemDescription {
  std::string name;
  std::string caption;
  char controlKey = 0;
};
inline MenuItemDescription MenuItem(MenuItemId id, std::string caption, char controlKey = 0) {
  return MenuItemDescription{id.name, std::move(caption), controlKey};
}

struct WindowDescription {
  std::string name;
  std::string caption;
  int clientWidth = 0, clientHeight = 0;  // twips
  Border border = Border::FixedSingle;
  bool programIcon = true;   // shows the program's icon in the title bar
  bool startCentred = true;  // the first show places the window in the centre of the screen
  FontDescription font;      // the window's font; empty means the dialog font
  std::vector<ControlDescription> controls;
  // The window's context menu (right-click anywhere on the window, Shift with function key 10, the Menu key); empty
  // for none.
  std::vector<MenuItemDescription> contextMenu;
  // A sizable window that the user resizes in height only, from the lowest client height given
  // here (twips; 0: the described height) up.
  bool heightOnly = false;
  int minClientHeight = 0;
};

// The text a menu shows beside an item for its key: "Ctrl+C"; empty for none.
std::string ShortcutText(const MenuItemDescription& item);

// The frame the descriptions count: a border of 45 twips on each side and a caption bar.
inline constexpr int kNominalBorderTwips = 45;
inline constexpr int kNominalCaptionTwips = 270;

// The described control of that name; throws std::logic_error when the window has none.
const ControlDescription& DescribedControl(const WindowDescription& window, const std::string& name);

// Controls that can take the keyboard focus.
bool IsFocusable(ControlKind kind);
// Controls that have a caption: labels, frames, buttons, check boxes and option buttons.
bool CarriesCaption(ControlKind kind);

// The width that the indicator of a check box or option button takes, with the gap before its
// caption, and the least room beside it in which a caption is drawn.
inline constexpr int kIndicatorTwips = 255;
inline constexpr int kLeastCaptionRoomTwips = 90;
// Whether the control draws its caption: a check box or option button too narrow for any of it
// shows only its indicator (it keeps its caption for the code, and screen readers read its
// accessible name).
bool CaptionDrawn(const ControlDescription& control);
// The description as a back-end builds it: captions that are not drawn are empty. Screen readers
// read a control by its accessible name where the description gives one (a text box by the label
// beside it, a captionless option button by the label that says what it means), else by its
// caption as it is at that moment; a caption that is not drawn is never read.
WindowDescription PeerDescription(const WindowDescription& description);

// The characters of a caption's access key: the one after a single '&', in lower case (ASCII
// letters and digits only); 0 for none.
char AccessKeyOf(const std::string& caption);

// The array name and index of a member name "Name(3)"; index -1 for a plain name.
struct ArrayName {
  std::string base;
  int index = -1;
};
ArrayName SplitArrayName(const std::string& name);
std::string MemberName(const std::string& arrayName, int index);

template <ControlKind K>
std::string MemberId<K>::name() const {
  return MemberName(array, index);
}

}  // namespace quorvane::ui
