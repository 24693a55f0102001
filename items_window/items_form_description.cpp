#include "items_window/items_form_description.h"

#include "command/messages.h"

namespace quorvane::items_form {

using ui::Control;
using ui::kClientArea;

namespace {

// Columns: the labels, the text boxes (as wide as the main window's box of the scalps owned), the
// buttons; a row every 360 twips as in the main window.
constexpr int kMargin = 120;
constexpr int kLabelWidth = 1335;
constexpr int kBoxLeft = 1560;
constexpr int kBoxWidth = 1095;
constexpr int kButtonLeft = kBoxLeft + kBoxWidth + 240;
constexpr int kButtonWidth = 1455;
constexpr int kButtonHeight = 375;
constexpr int kRow = 360;
constexpr int kButtonRow = kButtonHeight + 60;

ui::WindowDescription MakeDescription() {
  ui::WindowDescription w;
  w.name = "frmItems";
  w.caption = "Items Owned";
  w.clientWidth = kButtonLeft + kButtonWidth + kMargin;
  w.clientHeight = kMargin + 4 * kButtonRow - 60 + kMargin;
  w.border = ui::Border::FixedDialog;
  w.startCentred = false;  // over the main window
  // Columns: control, container, caption or text, left, top, width, height (twips), tab index.
  for (int i = 0; i < kItemCount; ++i) {
    const int top = kMargin + i * kRow;
    const char* name = OwnedItemName(kOwnedItems[i]);
    w.controls.push_back(
        Control(lblOwned[i], kClientArea, name, kMargin, top + 30, kLabelWidth, 255, kItemCount + 4 + i));
    // Whole counts, as the Calculate command reads them.
    w.controls.push_back(Control(txtOwned[i], kClientArea, "", kBoxLeft, top, kBoxWidth, 285, i)
                             .named(name)
                             .takes(ui::TextEntry::WholeNumber));
  }
  const auto button = [](ui::CommandButtonId id, const char* caption, int row, int tabIndex) {
    return Control(id, kClientArea, caption, kButtonLeft, kMargin + row * kButtonRow, kButtonWidth, kButtonHeight,
                   tabIndex);
  };
  w.controls.push_back(button(cmdOK, "OK", 0, kItemCount).defaultButton());
  w.controls.push_back(button(cmdCancel, "Cancel", 1, kItemCount + 1).cancelButton());
  w.controls.push_back(button(cmdTake, "Take Remainders", 2, kItemCount + 2));
  w.controls.push_back(button(cmdClear, "Clear", 3, kItemCount + 3));
  return w;
}

}  // namespace

const ui::WindowDescription& Description() {
  static const ui::WindowDescription description = MakeDescription();
  return description;
}

}  // namespace quorvane::items_form
