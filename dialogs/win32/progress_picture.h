// The progress picture of the final painting: the bitmap "PROGRESS" of the plug-in module. A
// test may name a bitmap that is not there, to see the painting go on without the picture.
#pragma once

#include <memory>

#include "imaging/dib.h"

// Null when the bitmap cannot be loaded.
std::unique_ptr<TDib> LoadProgressPicture();

// The bitmap's name in place of "PROGRESS"; null restores it.
void SetProgressPictureNameForTests(const char* name);
