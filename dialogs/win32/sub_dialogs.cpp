// Until the ground and screen resolution dialogs are built, both entries end as a cancel
// would: nothing is chosen and nothing changes.
#include "dialogs/win32/sub_dialogs.h"

int RunGroundDialog(FixDialog*, FilterCall&, FilterSettings*, int) { return IDCANCEL; }

int RunScreenDialog(FixDialog*, int*, int*) { return IDCANCEL; }
