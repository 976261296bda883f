// Loading the progress picture, by its own name or by the one a test put in its place.
#include "dialogs/win32/progress_picture.h"

#include "framework/module.h"

namespace {
const char* injectedName = nullptr;
}  // namespace

std::unique_ptr<TDib> LoadProgressPicture() {
    return TDib::FromResource(framework::Module(),
                              injectedName != nullptr ? injectedName : "PROGRESS");
}

void SetProgressPictureNameForTests(const char* name) { injectedName = name; }
