// The setup dialog as a Win32 modal dialog built from template 101.
#pragma once

#include "platform/win32/win32_headers.h"

namespace rezov {

class SetupDialog;

// Shows template 101 of `module` modally with no owner window. The combo
// boxes get their lists and every control its field's text; focus starts on
// SOAPBOX. OK (or Enter outside the multi-line fields) stores every control's
// text back into `dialog` and gives kDialogOk; CANCEL, Esc and the close box
// give kDialogCancel and change nothing; a dialog that cannot be created
// gives kDialogNotShown.
int ShowSetupDialogWindow(HINSTANCE module, SetupDialog& dialog);

}  // namespace rezov
