#include "about/about_form.h"

#include <string>

#include "about/about_form_description.h"
#include "about/sysinfo_launcher.h"
#include "about/sysinfo_platform.h"
#include "quorvane_version.h"

namespace quorvane {

namespace {

// The launcher's services on this platform, with its message shown in the program's own
// message box over the About box.
class AboutSysInfoPlatform final : public about::NativeSysInfoPlatform {
 public:
  explicit AboutSysInfoPlatform(ui::Form& owner) : owner_(owner) {}

  void showMessage(const std::string& title, const std::string& text) override { owner_.messageBox(text, title); }

 private:
  ui::Form& owner_;
};

}  // namespace

const ui::WindowDescription& AboutForm::description() { return about_form::Description(); }

AboutForm::AboutForm()
    : ui::Form(description()),
      title_(ui::Find(*this, about_form::lblTitle)),
      version_(ui::Find(*this, about_form::lblVersion)),
      ok_(ui::Find(*this, about_form::cmdOK)),
      sysInfo_(ui::Find(*this, about_form::cmdSysInfo)) {
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

AboutForm* LoadedAboutBox() { return ui::Loaded<AboutForm>(); }

AboutForm* ShowAboutBox() {
  // Already open: the same window comes to the front. It has no owner: it lives on its own, also
  // after the main window.
  AboutForm& box = ui::Load<AboutForm>();
  box.show();
  return &box;
}

}  // namespace quorvane
