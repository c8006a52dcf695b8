#include "window/tab_colours.h"

#include "forms/form1.h"

namespace qm {

void paintTabs(Form1& f, Label& selected) {
  for (Label* tab : {&f.Label3, &f.Label6, &f.Label7, &f.Label8, &f.Label9})
    tab->setForeColor(tab == &selected ? kSelectedTabColour : kTabColour);
}

}  // namespace qm
