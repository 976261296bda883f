// The one way the plug-in frame tells the user of a failure: a message box captioned with the
// plug-in's error caption.
#pragma once

// Formats the message (cut at 255 characters, never inside a double-byte character), shows
// it with the caption of the error-caption string and returns the box's result.
int ShowError(const char* format, ...) __attribute__((format(printf, 1, 2)));
