#include "working_window/working_form.h"

#include "working_window/working_form_description.h"

namespace quorvane {

const ui::WindowDescription& frmWorking::description() { return working_form::Description(); }

frmWorking::frmWorking() : Form(description()) {
  for (WorkingLabel label : kWorkingLabels)
    labels_[static_cast<std::size_t>(label)] = ui::Find(*this, working_form::IdOf(label));
}

void frmWorking::open() { showNow(); }

void frmWorking::setLabel(WorkingLabel label, const std::string& caption) {
  labels_[static_cast<std::size_t>(label)].setCaption(caption);
}

void frmWorking::repaintNow() { Form::repaintNow(); }

}  // namespace quorvane
