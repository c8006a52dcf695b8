#pragma once

#include <array>

#include "model/control.h"

namespace qm {

// The side windows. Each is made when shown and unmade by its own buttons;
// their behaviour is the shell's handlers'. The constructors lay out the
// controls with their design captions.

// The popup menu window that drops down under the system-menu button.
class MenuWindowForm : public Form {
 public:
  MenuWindowForm();

  // The entries, top to bottom.
  Label Label1{"Label1", this};  // instructions
  Label Label2{"Label2", this};  // media extractor
  Label Label3{"Label3", this};  // visit home page
  Label Label6{"Label6", this};  // run at start-up toggle
  Label Label8{"Label8", this};  // file type association
  Label Label4{"Label4", this};  // about
  Label Label7{"Label7", this};  // close window

  std::array<Label*, 7> entries() { return {&Label1, &Label2, &Label3, &Label6, &Label8, &Label4, &Label7}; }

  // Whether the start-up value is in the registry, as far as this window knows.
  bool AutoRunOn = false;
};

// The file type association dialog.
class AssociationForm : public Form {
 public:
  AssociationForm();

  Label Label1{"Label1", this};  // header
  Frame Frame1{"Frame1", this};
  CheckBox Check1{"Check1", &Frame1}, Check2{"Check2", &Frame1}, Check3{"Check3", &Frame1}, Check4{"Check4", &Frame1},
      Check5{"Check5", &Frame1}, Check6{"Check6", &Frame1}, Check7{"Check7", &Frame1}, Check8{"Check8", &Frame1},
      Check9{"Check9", &Frame1}, Check10{"Check10", &Frame1}, Check11{"Check11", &Frame1}, Check12{"Check12", &Frame1},
      Check13{"Check13", &Frame1}, Check14{"Check14", &Frame1}, Check15{"Check15", &Frame1};
  CommandButton Command1{"Command1", &Frame1};  // select toggle
  Label Label2{"Label2", this};                 // description
  Label Label3{"Label3", this};                 // codec link
  CommandButton Command2{"Command2", this};     // OK
  CommandButton Command3{"Command3", this};     // cancel

  // The boxes in the order of the file types, Check1 first.
  std::array<CheckBox*, 15> boxes() {
    return {&Check1, &Check2,  &Check3,  &Check4,  &Check5,  &Check6,  &Check7, &Check8,
            &Check9, &Check10, &Check11, &Check12, &Check13, &Check14, &Check15};
  }

  // The pointer's first place over the dialog; (0, 0) until it moved.
  double PointerRefX = 0, PointerRefY = 0;
};

// The about box.
class AboutForm : public Form {
 public:
  AboutForm();

  Image Image1{"Image1", this};  // the program icon
  Label lblTitle{"lblTitle", this};
  Label lblVersion{"lblVersion", this};
  Label lblDescription{"lblDescription", this};
  PictureBox Line1{"Line1", this};  // separator
  Label lblDisclaimer{"lblDisclaimer", this};
  CommandButton cmdOK{"cmdOK", this};
  CommandButton cmdSysInfo{"cmdSysInfo", this};
};

}  // namespace qm
