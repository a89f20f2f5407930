#include "about.h"

void ShowAbout(const Dialogs& dialogs) {
    dialogs.inform("About Orbiza",
                   "Orbiza - Developed by the Orbiza developers\r\n"
                   "Contact me at orbiza@example.org or developers@example.org; "
                   "the source code is yours on request.");
}
