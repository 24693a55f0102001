#include "app/startup.h"

#include "main_window/main_form.h"
#include "toolkit/form.h"

namespace quorvane {

int RunProgram() {
  // No code runs at start: the main window shows its description's state.
  ui::Load<MainForm>().show();
  const int status = ui::CurrentBackend().run();
  ui::LoadedWindows::discardAll();
  return status;
}

}  // namespace quorvane
