#include "toolkit/web/window.h"

#include <emscripten.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "toolkit/font_fit.h"
#include "toolkit/reflow.h"
#include "toolkit/web/bridge.h"

namespace quorvane::ui::web {

using emscripten::val;

namespace {

// How long the program works on between two frames of the page while a window of it is busy:
// the rest of the frame is the browser's, to paint.
constexpr double kFrameWorkMs = 10;

double resumedAt = 0;

val Document() { return val::global("document"); }
val Peer() { return val::global("QuorvanePeer"); }

val Make(const char* tag, const char* className, val parent) {
  val element = Document().call<val>("createElement", std::string(tag));
  element.set("className", std::string(className));
  if (!parent.isUndefined()) parent.call<void>("appendChild", element);
  return element;
}

void Style(val element, const char* property, const std::string& value) { element["style"].set(property, value); }
std::string Px(int pixels) { return std::to_string(pixels) + "px"; }
std::string PxOf(double twips) { return Px(TwipsToPixels(twips)); }

void Place(val element, const PixelRect& r) {
  Style(element, "left", Px(r.left));
  Style(element, "top", Px(r.top));
  Style(element, "width", Px(r.width));
  Style(element, "height", Px(r.height));
}

std::string Css(const Colour& c) {
  return "rgb(" + std::to_string(c.red) + "," + std::to_string(c.green) + "," + std::to_string(c.blue) + ")";
}

// Points at 96 dpi to CSS pixels, as the other back-ends size the descriptions' fonts.
int PointsToPixels(double points) { return std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0))); }

// The page sets the dialog font in a scalable face (the look-alike of the desktop is a bitmap face
// that draws nothing in a browser); other families where the machine has them, else the same.
std::string FontCss(const FontDescription& font, int pixels) {
  static const std::string scalable = "\"Liberation Sans\", Arimo, Arial, Helvetica, sans-serif";
  std::string family = scalable;
  if (!font.family.empty() && font.family != kDialogFontFamily) family = "\"" + font.family + "\", " + scalable;
  return std::string(font.italic ? "italic " : "") + (font.bold ? "bold " : "") + Px(pixels) + " " + family;
}

const char* MeasureKind(ControlKind kind) {
  switch (kind) {
    case ControlKind::CommandButton: return "button";
    case ControlKind::Frame: return "frame";
    case ControlKind::Label: return "label";
    default: return "indicator";
  }
}

// Shows a window or a message box of a narrow screen `scale` times as large, from its top left,
// its touch targets taking touches in `touchPixels` of its own pixels at least (web/style.css).
void ShowScaled(val element, double scale, double touchPixels) {
  element["classList"].call<void>("add", std::string("qv-narrow"));
  Style(element, "transformOrigin", "0 0");
  Style(element, "transform", "scale(" + std::to_string(scale) + ")");
  element["style"].call<void>("setProperty", std::string("--qv-hit"), std::to_string(touchPixels) + "px");
}

// The room an indicator (a check box's box, an option button's circle) takes with its gap.
constexpr int kIndicatorPixels = kIndicatorTwips / kTwipsPerPixel;

}  // namespace

void ProgramResumed() { resumedAt = emscripten_get_now(); }

WebWindow::WebWindow(const WindowDescription& description, PeerEvents& events, int id)
    : description_(description), events_(events), id_(id) {
  root_ = Make("div", "qv-window", val::undefined());
  root_.call<void>("setAttribute", std::string("role"), std::string("dialog"));
  root_.call<void>("setAttribute", std::string("tabindex"), std::string("-1"));
  root_["dataset"].set("name", description_.name);
  const std::string captionId = "qv-caption-" + std::to_string(id_);
  root_.call<void>("setAttribute", std::string("aria-labelledby"), captionId);
  // Laid out from the start, so that its frame is known before the first show places it.
  Style(root_, "visibility", "hidden");

  val bar = Make("div", "qv-titlebar", root_);
  if (description_.programIcon) {
    val icon = Make("img", "qv-icon", bar);
    icon.set("src", Peer().call<val>("iconUrl", 16));
    icon.set("alt", std::string());
  }
  caption_ = Make("span", "qv-caption", bar);
  caption_.set("id", captionId);
  caption_.set("textContent", description_.caption);
  val closeBox = Make("button", "qv-close", bar);
  closeBox.set("type", std::string("button"));
  closeBox.set("tabIndex", -1);
  closeBox.call<void>("setAttribute", std::string("aria-label"), std::string("Close"));

  client_ = Make("div", "qv-client", root_);
  layerClientWidth_ = description_.clientWidth;
  Style(client_, "width", PxOf(description_.clientWidth));
  Style(client_, "height", PxOf(description_.clientHeight));

  std::map<std::string, val> containers;
  elements_.reserve(description_.controls.size());
  for (std::size_t i = 0; i < description_.controls.size(); ++i) {
    const ControlDescription& c = description_.controls[i];
    // Option buttons of one container are one group, and only those.
    const std::string group = "qv" + std::to_string(id_) + "-" + (c.container.empty() ? "." : c.container);
    Element e = makeControl(c, static_cast<int>(i), group);
    (c.container.empty() ? client_ : containers.at(c.container)).call<void>("appendChild", e.box);
    if (c.kind == ControlKind::Frame) containers.emplace(c.name, e.box);
    elements_.push_back(e);
  }

  if (description_.border == Border::Sizable) makeSizable();
  Peer()["desk"]().call<void>("appendChild", root_);
  Peer().call<void>("wire", root_, id_);
  applyFonts();
}

WebWindow::~WebWindow() {
  if (focused() >= 0 || Document()["activeElement"].strictlyEquals(root_)) Document()["body"].call<void>("focus");
  root_.call<void>("remove");
}

WebWindow::Element WebWindow::makeControl(const ControlDescription& c, int index, const std::string& group) {
  Element e;
  switch (c.kind) {
    case ControlKind::Frame:
      e.box = e.control = Make("fieldset", "qv-frame", val::undefined());
      e.caption = Make("legend", "qv-legend", e.box);
      break;
    case ControlKind::Label:
      // A label that names a control without a caption of its own chooses it when tapped.
      if (const int named = ControlNamedBy(description_, index); named >= 0) {
        e.box = e.control = e.caption = Make("label", "qv-label", val::undefined());
        e.box.set("htmlFor", "qv" + std::to_string(id_) + "-" + std::to_string(named));
      } else {
        e.box = e.control = e.caption = Make("div", "qv-label", val::undefined());
      }
      Style(e.box, "textAlign",
            c.align == Alignment::Centre  ? "center"
            : c.align == Alignment::Right ? "right"
                                          : "left");
      if (c.colour.set) Style(e.box, "color", Css(c.colour));
      break;
    case ControlKind::TextBox:
      e.box = e.control = Make("input", "qv-text", val::undefined());
      e.box.set("type", std::string("text"));
      e.box.set("value", c.caption);
      e.box.set("spellcheck", false);
      e.box.call<void>("setAttribute", std::string("autocomplete"), std::string("off"));
      if (c.entry != TextEntry::Text)
        e.box.call<void>("setAttribute", std::string("inputmode"),
                         std::string(c.entry == TextEntry::WholeNumber ? "numeric" : "decimal"));
      break;
    case ControlKind::CheckBox:
    case ControlKind::OptionButton: {
      const bool option = c.kind == ControlKind::OptionButton;
      e.box = Make("label", option ? "qv-option" : "qv-check", val::undefined());
      e.control = Make("input", "qv-indicator", e.box);
      e.control.set("type", std::string(option ? "radio" : "checkbox"));
      e.control.set("id", "qv" + std::to_string(id_) + "-" + std::to_string(index));
      if (option) e.control.set("name", group);
      e.caption = Make("span", "qv-button-caption", e.box);
      break;
    }
    case ControlKind::CommandButton:
      e.box = e.control = e.caption =
          Make("button", c.isDefault ? "qv-button qv-default" : "qv-button", val::undefined());
      e.box.set("type", std::string("button"));
      break;
    case ControlKind::PictureBox:
      e.box = e.control = Make("div", "qv-picture", val::undefined());
      if (c.picture == Picture::ProgramIcon) {
        val icon = Make("img", "qv-picture-icon", e.box);
        icon.set("src", Peer().call<val>("iconUrl", 32));
        icon.set("alt", std::string());
      }
      break;
    case ControlKind::Table: e = makeTable(c); break;
    case ControlKind::Line:
      e.box = e.control = Make("div", "qv-line", val::undefined());
      e.box.call<void>("setAttribute", std::string("aria-hidden"), std::string("true"));
      Style(e.box, "background", Css(c.colour));
      break;
  }

  e.control["dataset"].set("name", c.name);
  if (IsFocusable(c.kind)) {
    e.control["dataset"].set("control", index);
    // The window layer walks the tab order; the browser's own walk never starts in a window.
    e.control.set("tabIndex", -1);
  }
  if (!c.accessibleName.empty()) e.control.call<void>("setAttribute", std::string("aria-label"), c.accessibleName);
  if (!e.caption.isUndefined()) Peer().call<void>("setCaption", e.caption, c.caption, c.kind != ControlKind::Label);
  if (!c.visible) Style(e.box, "display", "none");
  return e;
}

void WebWindow::applyFonts() {
  const std::vector<FontUse> uses = FontsInUse(description_);
  fontPixels_.assign(description_.controls.size(), 0);
  for (std::size_t u = 0; u < uses.size(); ++u) {
    const FontUse& use = uses[u];
    const int nominal = PointsToPixels(use.font.points);
    // The scalable face stands in for the look-alike: the largest size, at most a quarter smaller,
    // in which every caption of this font fits its control.
    const int pixels =
        FittedPixels(description_, use, nominal, [&](const ControlDescription& c, const std::string& caption, int px) {
          return Peer().call<bool>("fits", std::string(MeasureKind(c.kind)), caption, FontCss(use.font, px),
                                   TwipsToPixels(c.width), TwipsToPixels(c.height), kIndicatorPixels);
        });
    const std::string css = FontCss(use.font, pixels);
    if (u == 0) Style(client_, "font", css);  // the window's own
    for (int row : use.controls) {
      Style(elements_[static_cast<std::size_t>(row)].box, "font", css);
      fontPixels_[static_cast<std::size_t>(row)] = pixels;
    }
  }
}

void WebWindow::setWindowCaption(const std::string& caption) { caption_.set("textContent", caption); }

void WebWindow::setCaption(int control, const std::string& caption) {
  const Element& e = elements_[static_cast<std::size_t>(control)];
  if (e.caption.isUndefined()) return;
  Peer().call<void>("setCaption", e.caption, caption,
                    description_.controls[static_cast<std::size_t>(control)].kind != ControlKind::Label);
}

std::string WebWindow::text(int control) const {
  const Element& e = elements_[static_cast<std::size_t>(control)];
  if (description_.controls[static_cast<std::size_t>(control)].kind != ControlKind::TextBox) return std::string();
  return e.control["value"].as<std::string>();
}

void WebWindow::setText(int control, const std::string& text) {
  if (description_.controls[static_cast<std::size_t>(control)].kind != ControlKind::TextBox) return;
  elements_[static_cast<std::size_t>(control)].control.set("value", text);
}

void WebWindow::setValue(int control, int value) {
  const ControlKind kind = description_.controls[static_cast<std::size_t>(control)].kind;
  if (kind != ControlKind::CheckBox && kind != ControlKind::OptionButton) return;
  val input = elements_[static_cast<std::size_t>(control)].control;
  input.set("indeterminate", kind == ControlKind::CheckBox && value == 2);
  input.set("checked", value == 1);
}

void WebWindow::setShown(int control, bool shown) {
  Style(elements_[static_cast<std::size_t>(control)].box, "display", shown ? "" : "none");
}

void WebWindow::setLocked(int control, bool locked) {
  if (description_.controls[static_cast<std::size_t>(control)].kind == ControlKind::TextBox)
    elements_[static_cast<std::size_t>(control)].control.set("readOnly", locked);
}

void WebWindow::setFocus(int control) {
  if (control >= 0) elements_[static_cast<std::size_t>(control)].control.call<void>("focus");
}

int WebWindow::focused() const {
  const val active = Document()["activeElement"];
  for (std::size_t i = 0; i < elements_.size(); ++i) {
    const val& control = elements_[i].control;
    // A table has the focus in its current cell.
    if (control.strictlyEquals(active) ||
        (description_.controls[i].kind == ControlKind::Table && control.call<bool>("contains", active)))
      return static_cast<int>(i);
  }
  return -1;
}

void WebWindow::selectAll(int control) {
  if (description_.controls[static_cast<std::size_t>(control)].kind == ControlKind::TextBox)
    elements_[static_cast<std::size_t>(control)].control.call<void>("select");
}

void WebWindow::show() {
  Style(root_, "visibility", "");
  Peer().call<void>("toFront", root_);
  // As a window system activates a window it shows: the keys go to it.
  if (!root_.call<bool>("contains", Document()["activeElement"])) root_.call<void>("focus");
}

void WebWindow::showNow() {
  show();
  // On the screen once the browser has painted a frame with it.
  qv_wait_frame(0);
  ProgramResumed();
}

void WebWindow::hide() {
  const bool hadFocus = root_.call<bool>("contains", Document()["activeElement"]);
  Style(root_, "visibility", "hidden");
  // The keys go to the frontmost window still shown.
  if (hadFocus) Peer().call<void>("activateFrontmost");
}

bool WebWindow::isShown() const { return root_["style"]["visibility"].as<std::string>() != "hidden"; }

void WebWindow::close() { events_.closedByUser(); }

void WebWindow::yieldForFrame() {
  if (!isShown() || emscripten_get_now() - resumedAt < kFrameWorkMs) return;
  qv_wait_frame(id_);
  ProgramResumed();
}

// The captions are on the page as soon as they are set; the page shows them at its next frame,
// which a busy window lets come once a frame's worth of work has run.
void WebWindow::repaintNow() { yieldForFrame(); }

void WebWindow::place(const std::vector<ControlPlace>& places) {
  places_ = places;
  applyReflow();
}

void WebWindow::applyReflow() {
  const int screen = Peer()["desk"]()["clientWidth"].as<int>();
  const int frame = root_["offsetWidth"].as<int>() - client_["offsetWidth"].as<int>();
  const Reflowed r = Reflow(description_, places_, layerClientWidth_, description_.clientHeight, PixelsToTwips(screen),
                            PixelsToTwips(frame));
  // Each element lies in its container's.
  for (std::size_t i = 0; i < r.places.size() && i < elements_.size(); ++i)
    Place(elements_[i].box, ToPixels(r.places[i].inContainer));
  Style(client_, "width", Px(std::max(1, TwipsToPixels(r.clientWidth))));
  if (!description_.heightOnly) Style(client_, "height", PxOf(r.clientHeight));
  narrow_ = r.narrow;
  scale_ = r.scale;
  touchPixels_ = LeastTouchPixels(r);
  if (!narrow_) return;
  ShowScaled(root_, scale_, touchPixels_);
  const int least = LeastTextBoxFontPixels(r);
  for (std::size_t i = 0; i < elements_.size() && i < fontPixels_.size(); ++i)
    if (description_.controls[i].kind == ControlKind::TextBox)
      Style(elements_[i].box, "fontSize", Px(std::max(fontPixels_[i], least)));
}

bool WebWindow::pollStopRequest() {
  yieldForFrame();
  return Peer().call<bool>("takeStop", id_);
}

// The width the window layer gave (the controls it counts inside are those of that width); the
// heights as the screen shows them, scaled, for placing the window.
double WebWindow::clientWidthTwips() const { return PixelsToTwips(std::max(1, TwipsToPixels(layerClientWidth_))); }

double WebWindow::clientHeightTwips() const { return PixelsToTwips(client_["offsetHeight"].as<int>()) * scale_; }

void WebWindow::setClientWidthTwips(double twips) {
  layerClientWidth_ = twips;
  applyReflow();
}

double WebWindow::frameHeightTwips() const {
  return PixelsToTwips(root_["offsetHeight"].as<int>() - client_["offsetHeight"].as<int>()) * scale_;
}

double WebWindow::leftTwips() const { return PixelsToTwips(root_["offsetLeft"].as<int>()); }

double WebWindow::topTwips() const { return PixelsToTwips(root_["offsetTop"].as<int>()); }

void WebWindow::moveTwips(double left, double top) {
  // As a window system keeps a title bar on the screen: never above or left of it. A window that
  // fills a narrow screen's width lies at its left edge.
  Style(root_, "left", Px(narrow_ ? 0 : std::max(0, TwipsToPixels(left))));
  Style(root_, "top", Px(std::max(0, TwipsToPixels(top))));
}

TwipSize WebWindow::screenSizeTwips() const {
  const val desk = Peer()["desk"]();
  return TwipSize{PixelsToTwips(desk["clientWidth"].as<int>()), PixelsToTwips(desk["clientHeight"].as<int>())};
}

void WebWindow::messageBox(const std::string& title, const std::string& text) {
  const val before = Document()["activeElement"];
  val overlay = Make("div", "qv-modal-overlay", Peer()["desk"]());
  val box = Make("div", "qv-window qv-message", overlay);
  box.call<void>("setAttribute", std::string("role"), std::string("alertdialog"));
  box.call<void>("setAttribute", std::string("aria-modal"), std::string("true"));
  const std::string base = "qv-message-" + std::to_string(id_);
  box.call<void>("setAttribute", std::string("aria-labelledby"), base + "-title");
  box.call<void>("setAttribute", std::string("aria-describedby"), base + "-text");
  val bar = Make("div", "qv-titlebar", box);
  val caption = Make("span", "qv-caption", bar);
  caption.set("id", base + "-title");
  caption.set("textContent", title);
  val body = Make("div", "qv-message-body", box);
  val message = Make("p", "qv-message-text", body);
  message.set("id", base + "-text");
  message.set("textContent", text);
  val ok = Make("button", "qv-button qv-default qv-ok", body);
  ok.set("type", std::string("button"));
  ok.set("textContent", std::string("OK"));
  Style(box, "font", client_["style"]["font"].as<std::string>());
  if (narrow_) {
    // At its window's scale, within the screen's width.
    Style(box, "maxWidth", Px(static_cast<int>((Peer()["desk"]()["clientWidth"].as<int>() - 16) / scale_)));
    ShowScaled(box, scale_, touchPixels_);
  }
  // Centred over its window, kept on the screen.
  const auto shown = [this](val element, const char* length) {
    return static_cast<int>(std::lround(element[length].as<int>() * scale_));
  };
  int left = root_["offsetLeft"].as<int>() + (shown(root_, "offsetWidth") - shown(box, "offsetWidth")) / 2;
  int top = root_["offsetTop"].as<int>() + (shown(root_, "offsetHeight") - shown(box, "offsetHeight")) / 2;
  if (narrow_) {
    // A window may be higher than a narrow screen: the box covers, and lies in the middle of, the
    // part of the screen in view.
    const val desk = Peer()["desk"]();
    const int height = desk["clientHeight"].as<int>();
    Style(overlay, "top", Px(desk["scrollTop"].as<int>()));
    Style(overlay, "height", Px(height));
    Style(overlay, "bottom", "auto");
    left = (desk["clientWidth"].as<int>() - shown(box, "offsetWidth")) / 2;
    top = (height - shown(box, "offsetHeight")) / 2;
  }
  Style(box, "left", Px(std::max(0, left)));
  Style(box, "top", Px(std::max(0, top)));
  ok.call<void>("focus");
  Peer().set("messageBox", box);
  qv_wait_message();
  Peer().set("messageBox", val::null());
  overlay.call<void>("remove");
  if (!before.isNull() && !before.isUndefined() && before["isConnected"].as<bool>()) before.call<void>("focus");
  ProgramResumed();
}

}  // namespace quorvane::ui::web
