// The painting's status buffer: one 256-byte text into which every component writes its name
// prefix and its failure details. All writes go through these bounded helpers.
#pragma once

#include <cstdarg>

constexpr int kStatusSize = 256;

// Every text the engine writes into the status buffer, named once. A component's constructor
// copies its prefix over the buffer; its failures append one of the details after it.
namespace texts {

// Component prefixes.
inline constexpr char kClusterPrefix[] = "Cluster:";
inline constexpr char kColorMapPrefix[] = "ColorMap:";
inline constexpr char kDrawingPrefix[] = "Drawing:";
inline constexpr char kFocusPrefix[] = "Focus:";
inline constexpr char kFormPrefix[] = "Form:";
inline constexpr char kLowPrefix[] = "Low:";
inline constexpr char kMaterialPrefix[] = "Material:";
inline constexpr char kPartPrefix[] = "Part:";
inline constexpr char kStrokePrefix[] = "Stroke:";
inline constexpr char kMassPrefix[] = "Mass:";
inline constexpr char kCollagePrefix[] = "Collage:";

// Details and whole texts.
inline constexpr char kNoMemory[] = "メモリが足りません。";
inline constexpr char kImageTooComplex[] = "警告：この画像は複雑すぎます。";
inline constexpr char kNotFullColor[] = "The Image is not Full Color.";
inline constexpr char kInvalidImageSize[] = "Invalid Image Size.";
inline constexpr char kInvalidDib[] = "Invalid Dib.";
inline constexpr char kMismatchDib[] = "Missmatch Dib.";
inline constexpr char kInvalidData[] = "Invalid Datas.";
inline constexpr char kBadLength[] = "Bad Length.";
inline constexpr char kParameter[] = "Parameter.";
inline constexpr char kSetup[] = "Setup.";
inline constexpr char kHandleResource[] = "Handle resource.";
inline constexpr char kLockResource[] = "Lock resource.";
inline constexpr char kLoadResource[] = "Load resource.";
inline constexpr char kLoadFile[] = "Load file.";
inline constexpr char kSaveFile[] = "Save file.";
inline constexpr char kCreateLow[] = "create Low";
inline constexpr char kOverColors[] = "over clors";
inline constexpr char kLoadBrush[] = "Load Brush.";
inline constexpr char kBadBrush[] = "Bad Brush.";
inline constexpr char kOutOfBrushBuffer[] = "Out Of Brush Buffer";
inline constexpr char kInitMassNoMemory[] = "Init Mass. (Out of Memory)";
inline constexpr char kInitStrokeNoMemory[] = "Init Stroke. (Out of Memory)";
inline constexpr char kInitCollageNoMemory[] = "Init collage. (Out of Memory)";
inline constexpr char kInitPartNoMemory[] = "Init Part. (Out of Memory)";
inline constexpr char kOutOfBackRunField[] = "Out of Back Run Field";

}  // namespace texts

// Replaces the text with `text`, cut to 255 bytes without splitting a double-byte character.
void StatusCopy(char* status, const char* text);

// Appends `text`, cut so that the whole stays within 255 bytes.
void StatusAppend(char* status, const char* text);

// Copies `text` into a buffer of `size` bytes, cut without splitting a double-byte character
// of code page 932. Always terminates when size > 0.
void CopyTextBounded(char* buffer, int size, const char* text);

// printf into a buffer of `size` bytes, cut like CopyTextBounded. No allocation; the
// arguments must not point into `buffer`.
void FormatTextBounded(char* buffer, int size, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
void FormatTextBoundedV(char* buffer, int size, const char* format, va_list arguments);
