#pragma once

// frmAbout: the About box. It shows the program's title, version, a description and a
// disclaimer, and starts the System Information tool. It is built from one description and is
// independent of the calculation: nothing in it reads or writes the main window.
//
// There is one About box for the whole program. "About..." loads it when it isn't loaded and
// shows it modeless and without an owner, so the main window stays usable and closing the main
// window doesn't close it. OK (also Enter and Esc) unloads it; the next opening loads it afresh.

#include "toolkit/controls.h"
#include "toolkit/form.h"

namespace quorvane {

class AboutForm : public ui::Form {
 public:
  // Loads the window: builds it from its description and runs Form_Load.
  AboutForm();

  static const ui::WindowDescription& description();

  // Sets the captions: the window's caption, the version, the title.
  void Form_Load();
  // Unloads the About box.
  void cmdOK_Click();
  // Starts the System Information tool, or says that it is unavailable.
  void cmdSysInfo_Click();

 private:
  ui::Label title_, version_;
  ui::CommandButton ok_, sysInfo_;
};

// The work of the main window's "About..." button: loads the About box unless it is loaded, and
// shows it, in front of the other windows. Returns the one About box.
AboutForm* ShowAboutBox();

// The loaded About box, or nullptr while none is loaded.
AboutForm* LoadedAboutBox();

}  // namespace quorvane
