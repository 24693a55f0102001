// The parts of a window on the page beyond the classic controls: tables, the context menu, the
// clipboard, the download that stands in for a save dialog, and the grip of a window that the
// user makes higher or lower. The page's side of them is in peer.js.

#include <algorithm>

#include "toolkit/web/window.h"

namespace quorvane::ui::web {

using emscripten::val;

namespace {

val Peer() { return val::global("QuorvanePeer"); }

}  // namespace

void SetPageClipboardText(const std::string& text) { Peer().call<void>("copyText", text); }

// A real table under its headings, in a box that scrolls; its cells take the focus in turn (the
// current cell), so that a screen reader reads each with its column's heading.
WebWindow::Element WebWindow::makeTable(const ControlDescription& c) {
  val columns = val::array();
  for (const TableColumnDescription& column : c.columns) {
    val described = val::object();
    described.set("caption", column.caption);
    described.set("width", TwipsToPixels(column.width));
    described.set("right", column.rightAligned);
    columns.call<void>("push", described);
  }
  Element e;
  e.box = Peer().call<val>("makeTable", columns);
  e.control = e.box["firstChild"];
  return e;
}

void WebWindow::setRows(int control, const std::vector<std::vector<std::string>>& rows) {
  if (description_.controls[static_cast<std::size_t>(control)].kind != ControlKind::Table) return;
  val shown = val::array();
  for (const std::vector<std::string>& row : rows) {
    val cells = val::array();
    for (const std::string& cell : row) cells.call<void>("push", cell);
    shown.call<void>("push", cells);
  }
  Peer().call<void>("setRows", elements_[static_cast<std::size_t>(control)].control, shown);
}

bool WebWindow::hasSelectedText(int control) const {
  if (description_.controls[static_cast<std::size_t>(control)].kind != ControlKind::TextBox) return false;
  const val box = elements_[static_cast<std::size_t>(control)].control;
  return box["selectionStart"].as<int>() != box["selectionEnd"].as<int>();
}

void WebWindow::popUpMenu(const std::vector<MenuEntry>& items, double leftTwips, double topTwips) {
  val shown = val::array();
  for (const MenuEntry& item : items) {
    val entry = val::object();
    entry.set("caption", item.caption);
    entry.set("shortcut", item.shortcut);
    shown.call<void>("push", entry);
  }
  Peer().call<void>("popUpMenu", id_, client_, shown, TwipsToPixels(leftTwips), TwipsToPixels(topTwips));
}

// A page has no save dialog: the file is a download of the suggested name, which the browser
// saves where it saves downloads (or asks where, as the player has set it).
SaveResult WebWindow::saveFile(const SaveRequest& request) {
  Peer().call<void>("download", request.suggestedName, request.contents);
  return SaveResult{SaveOutcome::Saved, request.suggestedName};
}

void WebWindow::makeSizable() {
  Peer().call<void>("makeSizable", root_, client_, TwipsToPixels(LeastClientHeight(description_)));
}

}  // namespace quorvane::ui::web
