#include "working_window/working_form.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QThread>
#include <QWindow>

namespace quorvane {

using ui::Control;
using ui::ControlKind;
using ui::FontDescription;
using ui::WindowDescription;

namespace {

// How long Open waits at most for the window system to put a new window on the screen.
constexpr qint64 kExposeWaitMs = 1000;

WindowDescription MakeDescription() {
  constexpr ControlKind Label = ControlKind::Label;
  const QString face = QStringLiteral("MS Sans Serif");

  WindowDescription w;
  w.name = "frmWorking";
  w.caption = "Working...";
  w.clientWidth = 4575;
  w.clientHeight = 2205;
  w.border = ui::Border::Sizable;  // ordinary frame, close box only
  w.programIcon = false;
  w.discardOnClose = true;
  w.startCentred = true;

  // Columns: kind, name, container, caption, left, top, width, height (twips), tab index.
  // From top to bottom: the heading, the scalps count being tried, its unit, and a scale from the
  // start level through the level reached to the target level.
  w.controls = {
      Control(Label, "Label1", "", "Currently checking:", 120, 120, 2415, 375, 0)
          .withFont(FontDescription{face, 12, true, false}),
      Control(Label, "scalpscalced", "", "0", 120, 600, 4335, 495, 1)
          .centred()
          .withFont(FontDescription{face, 24, true, false}),
      Control(Label, "Label3", "", "scalps", 120, 1200, 4335, 375, 2)
          .centred()
          .withFont(FontDescription{face, 13.5, true, true}),
      Control(Label, "lblStart", "", "0", 120, 1800, 855, 255, 3),
      Control(Label, "lblLevelReached", "", "Level Reached", 960, 1800, 2655, 255, 4)
          .centred()
          .withFont(FontDescription{face, 9.75, true, false}),
      Control(Label, "lblEnd", "", "189", 3840, 1800, 615, 255, 5).rightAligned(),
  };
  return w;
}

}  // namespace

const WindowDescription& frmWorking::Description() {
  static const WindowDescription description = MakeDescription();
  return description;
}

frmWorking::frmWorking(QWidget* parent) : Form(Description(), parent) {
  // No icon in the title bar, not even the program's default one.
  setWindowIcon(QIcon());
}

void frmWorking::Open() {
  if (isVisible()) {
    raise();  // shown already: to the front, as it is
  } else {
    show();
  }
  // A freshly shown window is on the screen only once the window system has mapped and exposed
  // it, which it reports through events. Handle those events (never user input) until it is.
  QElapsedTimer waited;
  waited.start();
  while (!(windowHandle() && windowHandle()->isExposed()) && waited.elapsed() < kExposeWaitMs) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (!(windowHandle() && windowHandle()->isExposed())) QThread::msleep(1);
  }
  RepaintNow();
}

void frmWorking::RepaintNow() { control("scalpscalced").refresh(); }

}  // namespace quorvane
