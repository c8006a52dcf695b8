#pragma once

#include "model/control.h"

namespace qm {

// The side windows. Each is made when shown and unmade by its own buttons;
// their controls come with the shell's handlers.

// The popup menu window that drops down under the system-menu button.
class MenuWindowForm : public Form {
 public:
  MenuWindowForm() : Form("Form3") {}
};

// The file type association dialog.
class AssociationForm : public Form {
 public:
  AssociationForm() : Form("Form4") {}
};

// The about box.
class AboutForm : public Form {
 public:
  AboutForm() : Form("frmAbout") {}
};

}  // namespace qm
