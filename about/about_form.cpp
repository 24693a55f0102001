#include "about/about_form.h"

#include <QCloseEvent>
#include <QColor>
#include <QPalette>

#include "about/sysinfo_launcher.h"
#include "about/sysinfo_platform.h"
#include "quorvane_version.h"

namespace quorvane {

namespace {

using ui::ControlKind;

constexpr const char* kDescription =
    "Used to project the level you would reach from your current lvl with an amount of scalps. "
    "The programm allows for multiple sections of the quest, as some do not do it all. You can "
    "also see the gold pieces you will have in the end if you deside to sell your maces instead "
    "of giving them for some XP.";

constexpr const char* kDisclaimer =
    "Warning: This program is given As Is and no responsibility do I have for anything that "
    "happens to your system by the use of this program. Report bugs to quorvane@example.org";

// The launcher's services on this platform, with its message shown in the program's own
// message box over the About box.
class AboutSysInfoPlatform final : public about::NativeSysInfoPlatform {
 public:
  explicit AboutSysInfoPlatform(ui::Form& owner) : owner_(owner) {}

  void showMessage(const std::string& title, const std::string& text) override {
    owner_.messageBox(QString::fromLocal8Bit(text.data(), qsizetype(text.size())),
                      QString::fromLocal8Bit(title.data(), qsizetype(title.size())));
  }

 private:
  ui::Form& owner_;
};

ui::WindowDescription MakeDescription() {
  using ui::Control;
  using ui::Line;
  ui::WindowDescription w;
  w.name = "frmAbout";
  w.caption = "About Quorvane";
  w.clientWidth = 5730;
  w.clientHeight = 3555;
  w.border = ui::Border::FixedDialog;
  w.programIcon = true;
  w.discardOnClose = true;
  w.startCentred = true;

  ui::FontDescription titleFont;
  titleFont.points = 13.5;

  w.controls = {
      Control(ControlKind::PictureBox, "picIcon", "", "", 240, 240, 540, 540, 1),
      Control(ControlKind::Label, "lblTitle", "", "Quorvane", 1050, 240, 3930, 435, 5)
          .withFont(titleFont),
      Control(ControlKind::Label, "lblVersion", "", "Version", 1050, 780, 3885, 225, 6),
      Control(ControlKind::Label, "lblDescription", "", kDescription, 1050, 1125, 3885, 1170, 3),
      // The etched separator: a grey line and, 15 twips below it, a white one.
      Line("Line1(1)", "", 90, 2445, 5654, 2445, QColor(128, 128, 128), 1),
      Line("Line1(0)", "", 105, 2460, 5654, 2460, QColor(255, 255, 255), 2),
      Control(ControlKind::Label, "lblDisclaimer", "", kDisclaimer, 255, 2625, 3870, 825, 4),
      Control(ControlKind::CommandButton, "cmdOK", "", "OK", 4245, 2625, 1260, 345, 0)
          .defaultButton()
          .cancelButton(),
      Control(ControlKind::CommandButton, "cmdSysInfo", "", "&System Info...", 4260, 3075, 1245,
              345, 2),
  };
  return w;
}

QPointer<AboutForm>& loadedAboutBox() {
  static QPointer<AboutForm> box;
  return box;
}

}  // namespace

const ui::WindowDescription& AboutForm::Description() {
  static const ui::WindowDescription description = MakeDescription();
  return description;
}

AboutForm::AboutForm(QWidget* parent) : ui::Form(Description(), parent) {
  // The title, the description and the disclaimer are black whatever the desktop's colours.
  for (const char* name : {"lblTitle", "lblDescription", "lblDisclaimer"}) {
    QWidget* label = control(name).widget();
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
  }
  setClickHandler("cmdOK", [this](int) { cmdOK_Click(); });
  setClickHandler("cmdSysInfo", [this](int) { cmdSysInfo_Click(); });
  Form_Load();
}

void AboutForm::Form_Load() {
  setWindowTitle(QStringLiteral("About Quorvane"));
  setCaption("lblVersion", QStringLiteral("Version %1.%2.%3")
                               .arg(kVersionMajor)
                               .arg(kVersionMinor)
                               .arg(kVersionRevision));
  setCaption("lblTitle", QStringLiteral("Quorvane"));
}

void AboutForm::cmdOK_Click() { close(); }

void AboutForm::closeEvent(QCloseEvent* event) {
  ui::Form::closeEvent(event);
  // Closed is unloaded, even before the window is deleted: the next opening loads a new one.
  if (event->isAccepted() && loadedAboutBox() == this) loadedAboutBox() = nullptr;
}

void AboutForm::cmdSysInfo_Click() {
  AboutSysInfoPlatform platform(*this);
  about::StartSysInfo(platform);
}

AboutForm* LoadedAboutBox() { return loadedAboutBox().data(); }

AboutForm* ShowAboutBox() {
  QPointer<AboutForm>& box = loadedAboutBox();
  if (!box) {
    box = new AboutForm;  // no owner: it lives on its own, also after the main window
    box->show();
  } else {
    // Already open: the same window comes to the front.
    box->show();
    box->raise();
    box->activateWindow();
  }
  return box.data();
}

}  // namespace quorvane
