// File names derived from the plug-in module's full file name: the settings file beside it
// (extension replaced by ".dat") and the profile file that the plug-ins of one folder share.
// Names are ANSI code page text: the second byte of a double-byte character may be 0x5C, the
// value of "\", so the names are walked character by character, never searched byte-wise.
#pragma once

// Offset just past the last folder separator ("\" or "/"), 0 when there is none.
int FileNameOffset(const char* path);

// Offset of the last "." of the file-name part, or -1 when it has none (a "." in a folder
// name is no extension).
int FileExtensionOffset(const char* path);

// `path` with its extension (from the last ".") replaced by `extension`, or `extension`
// appended when it has none. False, with `out` empty, when the result needs more than `size`
// bytes.
bool ReplaceExtension(const char* path, const char* extension, char* out, int size);

// The folder of `path` (up to and including its last separator) followed by `fileName`.
// False, with `out` empty, when the result needs more than `size` bytes.
bool SiblingPath(const char* path, const char* fileName, char* out, int size);
