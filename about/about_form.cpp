#include "about/about_form.h"

#include <memory>
#include <string>

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

  void showMessage(const std::string& title, const std::string& text) override { owner_.messageBox(text, title); }

 private:
  ui::Form& owner_;
};

constexpr ui::Colour kBlack = ui::Rgb(0, 0, 0);

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
  w.startCentred = true;

  ui::FontDescription titleFont;
  titleFont.points = 13.5;

  w.controls = {
      Control(ControlKind::PictureBox, "picIcon", "", "", 240, 240, 540, 540, 1),
      // The title, the description and the disclaimer are black whatever the desktop's colours.
      Control(ControlKind::Label, "lblTitle", "", "Quorvane", 1050, 240, 3930, 435, 5)
          .withFont(titleFont)
          .inColour(kBlack),
      Control(ControlKind::Label, "lblVersion", "", "Version", 1050, 780, 3885, 225, 6),
      Control(ControlKind::Label, "lblDescription", "", kDescription, 1050, 1125, 3885, 1170, 3).inColour(kBlack),
      // The etched separator: a grey line and, 15 twips below it, a white one.
      Line("Line1(1)", "", 90, 2445, 5654, 2445, ui::Rgb(128, 128, 128), 1),
      Line("Line1(0)", "", 105, 2460, 5654, 2460, ui::Rgb(255, 255, 255), 2),
      Control(ControlKind::Label, "lblDisclaimer", "", kDisclaimer, 255, 2625, 3870, 825, 4).inColour(kBlack),
      Control(ControlKind::CommandButton, "cmdOK", "", "OK", 4245, 2625, 1260, 345, 0)
          .defaultButton()
          .cancelButton(),
      Control(ControlKind::CommandButton, "cmdSysInfo", "", "&System Info...", 4260, 3075, 1245,
              345, 2),
  };
  return w;
}

std::unique_ptr<AboutForm>& loadedAboutBox() {
  static std::unique_ptr<AboutForm> box;
  return box;
}

}  // namespace

const ui::WindowDescription& AboutForm::Description() {
  static const ui::WindowDescription description = MakeDescription();
  return description;
}

AboutForm::AboutForm()
    : ui::Form(Description()),
      title_(ui::Find<ui::Label>(*this, "lblTitle")),
      version_(ui::Find<ui::Label>(*this, "lblVersion")),
      ok_(ui::Find<ui::CommandButton>(*this, "cmdOK")),
      sysInfo_(ui::Find<ui::CommandButton>(*this, "cmdSysInfo")) {
  ok_.onClick([this] { cmdOK_Click(); });
  sysInfo_.onClick([this] { cmdSysInfo_Click(); });
  Form_Load();
}

void AboutForm::Form_Load() {
  setCaption("About Quorvane");
  version_.setCaption("Version " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
                      std::to_string(kVersionRevision));
  title_.setCaption("Quorvane");
}

void AboutForm::cmdOK_Click() { close(); }

void AboutForm::cmdSysInfo_Click() {
  AboutSysInfoPlatform platform(*this);
  about::StartSysInfo(platform);
}

AboutForm* LoadedAboutBox() {
  AboutForm* box = loadedAboutBox().get();
  // Closed is unloaded, even before the window is discarded: the next opening loads a new one.
  return box && box->isShown() ? box : nullptr;
}

AboutForm* ShowAboutBox() {
  if (AboutForm* shown = LoadedAboutBox()) {
    // Already open: the same window comes to the front.
    shown->show();
    return shown;
  }
  std::unique_ptr<AboutForm>& box = loadedAboutBox();
  if (box) {
    // Closed, and waiting to be discarded: it is discarded by the handler it set; this is a new
    // one. Keep the closed window alive until then.
    box.release();
  }
  box = std::make_unique<AboutForm>();  // no owner: it lives on its own, also after the main window
  AboutForm* window = box.get();
  window->setClosedHandler([window] {
    window->discardLater([window] {
      if (loadedAboutBox().get() == window) loadedAboutBox().reset();
      else delete window;
    });
  });
  window->show();
  return window;
}

}  // namespace quorvane
