// The ground and screen resolution dialogs, run modally over the filter dialog.
#include "dialogs/win32/sub_dialogs.h"

#include <memory>
#include <new>
#include <utility>

#include "dialogs/win32/zo_material_dialog.h"
#include "dialogs/win32/zo_screen_dialog.h"
#include "engine/status_text.h"
#include "plugin/error_box.h"

namespace {

template <typename Dialog, typename... Arguments>
int RunModal(Arguments&&... arguments) {
    std::unique_ptr<Dialog> dialog(new (std::nothrow)
                                       Dialog(std::forward<Arguments>(arguments)...));
    if (!dialog) {
        ShowError("%s", texts::kNoMemory);
        return IDCANCEL;
    }
    return static_cast<int>(dialog->Execute());
}

}  // namespace

int RunGroundDialog(FixDialog* owner, FilterCall& call, FilterSettings* settings, int dpi) {
    return RunModal<ZoMaterialDialog>(owner, call.ground, settings, dpi);
}

int RunScreenDialog(FixDialog* owner, int* millimetres, int* dpi) {
    return RunModal<ZoScreenDialog>(owner, millimetres, dpi);
}
