// Writes the dialogs' resources into the folder given: the empty dialog templates ZO (a popup
// with a caption, 24 bytes), ZOMATERIAL and ZOSCREEN (popups titled "下地" and "スクリ－ン解像度の設定",
// without a system menu) and ABOUT (a child with a border, 24 bytes), the template ODBUTTONS of
// the picture button's tests (a popup with two owner-drawn buttons), the frame's icon
// (32 × 32), the four monochrome cursors HAND1, HAND2, HAND3 and MAT (32 × 32, with their hot
// spots), and the progress picture PROGRESS (200 × 200, 8 bits, a canvas on an easel whose
// 160 × 150 canvas area, lower-left storage corner (10, 23), is pure white inside a thin
// frame). Everything is drawn here from fixed shapes: the output is the same on every host.
//
// Usage: make_dialog_resources <output folder>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "dialogs/preview_picture.h"
#include "tools/tool_output.h"

namespace {

using Bytes = std::vector<uint8_t>;

// The info header of an uncompressed bitmap with no resolution.
void PutInfoHeader(Bytes* b, int width, int height, int bitCount, uint32_t imageBytes,
                   uint32_t colors) {
    BitmapInfoHeader header;
    header.width = width;
    header.height = height;
    header.bitCount = static_cast<uint16_t>(bitCount);
    header.sizeImage = imageBytes;
    header.colorsUsed = colors;
    AppendInfoHeader(b, header);
}

// The directory of an icon (type 1) or cursor (type 2) file with one 32 × 32 image whose bytes
// follow it at offset 22. `first` and `second` are the planes and bit count of an icon, the
// hot spot of a cursor.
void PutDirectory(Bytes* b, int type, uint16_t first, uint16_t second, uint32_t imageBytes) {
    AppendLittle16(b, 0);
    AppendLittle16(b, static_cast<uint16_t>(type));
    AppendLittle16(b, 1);
    b->push_back(32);
    b->push_back(32);
    b->push_back(0);
    b->push_back(0);
    AppendLittle16(b, first);
    AppendLittle16(b, second);
    AppendLittle32(b, imageBytes);
    AppendLittle32(b, 22);
}

// ---- the dialog templates --------------------------------------------------------------------

constexpr uint32_t kPopup = 0x80000000u;       // WS_POPUP
constexpr uint32_t kChild = 0x40000000u;       // WS_CHILD
constexpr uint32_t kVisible = 0x10000000u;     // WS_VISIBLE
constexpr uint32_t kCaption = 0x00C00000u;     // WS_CAPTION
constexpr uint32_t kBorder = 0x00800000u;      // WS_BORDER
constexpr uint32_t kSystemMenu = 0x00080000u;  // WS_SYSMENU
constexpr uint32_t kModalFrame = 0x80u;        // DS_MODALFRAME
constexpr uint32_t kOwnerDraw = 0x0Bu;         // BS_OWNERDRAW

constexpr uint32_t kPopupWithCaption = kPopup | kVisible | kCaption | kSystemMenu | kModalFrame;
constexpr uint32_t kChildWithBorder = kChild | kVisible | kBorder;
constexpr uint32_t kOwnerDrawnButton = kChild | kVisible | kOwnerDraw;

struct DialogItem {  // a button of the template, in dialog units
    uint32_t style;
    int x, y, width, height;
    int id;
};

// A DLGTEMPLATE at (0, 0) of width × height dialog units, with no menu, the default class and
// `title` in UTF-16 as templates hold it, then its items, each on a 4-byte boundary: a button
// without a title.
Bytes DialogTemplate(uint32_t style, int width, int height, const char16_t* title = u"",
                     const std::vector<DialogItem>& items = {}) {
    Bytes b;
    AppendLittle32(&b, style);
    AppendLittle32(&b, 0);  // extended style
    AppendLittle16(&b, static_cast<uint16_t>(items.size()));
    AppendLittle16(&b, 0);  // x
    AppendLittle16(&b, 0);  // y
    AppendLittle16(&b, static_cast<uint16_t>(width));
    AppendLittle16(&b, static_cast<uint16_t>(height));
    AppendLittle16(&b, 0);  // no menu
    AppendLittle16(&b, 0);  // the default class
    for (const char16_t* c = title; *c != u'\0'; ++c) AppendLittle16(&b, *c);
    AppendLittle16(&b, 0);
    for (const DialogItem& item : items) {
        while (b.size() % 4 != 0) b.push_back(0);
        AppendLittle32(&b, item.style);
        AppendLittle32(&b, 0);  // extended style
        AppendLittle16(&b, static_cast<uint16_t>(item.x));
        AppendLittle16(&b, static_cast<uint16_t>(item.y));
        AppendLittle16(&b, static_cast<uint16_t>(item.width));
        AppendLittle16(&b, static_cast<uint16_t>(item.height));
        AppendLittle16(&b, static_cast<uint16_t>(item.id));
        AppendLittle16(&b, 0xFFFF);  // a predefined class:
        AppendLittle16(&b, 0x0080);  // the button
        AppendLittle16(&b, 0);       // empty title
        AppendLittle16(&b, 0);       // no creation data
    }
    return b;
}

// Two owner-drawn buttons, 201 and 202, far smaller than the bitmaps the tests give them.
Bytes PictureButtonTemplate() {
    return DialogTemplate(kPopupWithCaption, 260, 140, u"",
                          {{kOwnerDrawnButton, 4, 4, 30, 12, 201},
                           {kOwnerDrawnButton, 40, 4, 30, 12, 202}});
}

// ---- cursors ---------------------------------------------------------------------------------

struct CursorArt {
    const char* name;
    int hotX, hotY;
    const char* rows[32];  // '#' black, 'o' white, anything else transparent; top row first
};

// The hands: HAND1 points with its index finger (a region can start), HAND2 holds the axis
// end between finger and thumb, HAND3 spreads to pull the width; MAT is a ground swatch.
const CursorArt kCursors[] = {
    {"hand1", 4, 1, {
        "   ##",
        "  #oo#",
        "  #oo#",
        "  #oo#",
        "  #oo#",
        "  #oo###",
        "  #oo#oo###",
        "  #oo#oo#oo##",
        "  #oo#oo#oo#o#",
        "### #oooooooo#",
        "#oo##oooooooo#",
        "#ooo#oooooooo#",
        " #oooooooooo#",
        "  #ooooooooo#",
        "   #oooooooo#",
        "    #ooooooo#",
        "    #oooooo#",
        "     ######",
    }},
    {"hand2", 3, 7, {
        "",
        "",
        "",
        "",
        "",
        "   ##",
        "  #oo#",
        " #o##o#######",
        " #o##ooooooooo#",
        "  #oo#ooooooooo#",
        "   #oooooooooooo#",
        "    #ooo#ooooooo#",
        "     ##  #oooooo#",
        "          #ooooo#",
        "           #####",
    }},
    {"hand3", 14, 16, {
        "",
        "",
        "",
        "",
        "",
        "",
        "             ##",
        "          ## #o# ##",
        "         #o##o#o#o#",
        "         #o#o#o#o#",
        "      ##  #o#o#o#o#",
        "     #oo# #oooooo#",
        "      #oo#oooooooo#",
        "       #oooooooooo#",
        "        #ooooooooo#",
        "         #ooooooo#",
        "         #ooo#ooo#",
        "          #ooooo#",
        "           #####",
    }},
    {"mat", 11, 15, {
        "",
        "",
        "",
        "",
        "",
        "",
        "  ##################",
        "  #oooooooooooooooo#",
        "  #o#o#o#o#o#o#o#oo#",
        "  #oooooooooooooooo#",
        "  #oo#o#o#o#o#o#o#o#",
        "  #oooooooooooooooo#",
        "  #o#o#o#o#o#o#o#oo#",
        "  #oooooooooooooooo#",
        "  #oo#o#o#o#o#o#o#o#",
        "  #oooooooo#ooooooo#",
        "  #oooooooooooooooo#",
        "  #o#o#o#o#o#o#o#oo#",
        "  #oooooooooooooooo#",
        "  ##################",
    }},
};

char ArtAt(const CursorArt& art, int x, int y) {
    const char* row = art.rows[y];
    if (row == nullptr) return ' ';
    for (int i = 0; i < x; ++i)
        if (row[i] == '\0') return ' ';
    return row[x] == '\0' ? ' ' : row[x];
}

// A .cur file: one 32 × 32 monochrome image (XOR mask over AND mask, bottom row first).
Bytes Cursor(const CursorArt& art) {
    constexpr int kSide = 32;
    constexpr uint32_t kImageBytes = kBitmapInfoHeaderSize + 8 + 2 * kSide * 4;
    Bytes b;
    PutDirectory(&b, 2, static_cast<uint16_t>(art.hotX), static_cast<uint16_t>(art.hotY),
                 kImageBytes);
    PutInfoHeader(&b, kSide, 2 * kSide, 1, 2 * kSide * 4, 2);
    AppendLittle32(&b, 0x00000000);  // black
    AppendLittle32(&b, 0x00FFFFFF);  // white
    for (int pass = 0; pass < 2; ++pass) {  // XOR, then AND
        for (int y = kSide - 1; y >= 0; --y) {
            for (int byte = 0; byte < 4; ++byte) {
                uint8_t bits = 0;
                for (int bit = 0; bit < 8; ++bit) {
                    const char c = ArtAt(art, byte * 8 + bit, y);
                    const bool set = pass == 0 ? c == 'o' : (c != '#' && c != 'o');
                    if (set) bits |= static_cast<uint8_t>(0x80 >> bit);
                }
                b.push_back(bits);
            }
        }
    }
    return b;
}

// ---- the icon --------------------------------------------------------------------------------

// A painter's palette: a warm disc with a thumb hole and six colour dabs, on transparency.
Bytes Icon() {
    constexpr int kSide = 32;
    const int dabs[6][5] = {  // x, y, blue, green, red
        {9, 11, 40, 40, 220}, {16, 7, 40, 200, 240}, {23, 10, 60, 170, 40},
        {25, 18, 200, 120, 30}, {20, 24, 160, 40, 120}, {11, 20, 250, 250, 250}};
    Bytes colors, mask;
    for (int y = kSide - 1; y >= 0; --y) {  // bottom row first
        uint8_t maskBits[4] = {0, 0, 0, 0};
        for (int x = 0; x < kSide; ++x) {
            const int dx = x - 16, dy = y - 16;
            const bool disc = dx * dx + dy * dy * 5 / 4 <= 14 * 14;
            const bool hole = (x - 12) * (x - 12) + (y - 25) * (y - 25) <= 9;
            uint8_t pixel[3] = {0, 0, 0};
            if (disc && !hole) {
                pixel[0] = 60;
                pixel[1] = static_cast<uint8_t>(140 + y);
                pixel[2] = static_cast<uint8_t>(190 + y);
                for (const auto& d : dabs)
                    if ((x - d[0]) * (x - d[0]) + (y - d[1]) * (y - d[1]) <= 6) {
                        pixel[0] = static_cast<uint8_t>(d[2]);
                        pixel[1] = static_cast<uint8_t>(d[3]);
                        pixel[2] = static_cast<uint8_t>(d[4]);
                    }
            } else {
                maskBits[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
            }
            colors.insert(colors.end(), pixel, pixel + 3);
        }
        mask.insert(mask.end(), maskBits, maskBits + 4);
    }
    const uint32_t imageBytes =
        static_cast<uint32_t>(kBitmapInfoHeaderSize + colors.size() + mask.size());
    Bytes b;
    PutDirectory(&b, 1, 1, 24, imageBytes);  // one plane, 24 bits
    PutInfoHeader(&b, kSide, 2 * kSide, 24, static_cast<uint32_t>(colors.size() + mask.size()), 0);
    b.insert(b.end(), colors.begin(), colors.end());
    b.insert(b.end(), mask.begin(), mask.end());
    return b;
}

// ---- the progress picture --------------------------------------------------------------------

// The picture fills the preview, and its canvas is the area the progress display paints.
constexpr int kProgressSide = preview::kSide;
constexpr int kCanvasLeft = preview::kStudyLeft, kCanvasBottom = preview::kStudyBottom;
constexpr int kCanvasWidth = preview::kStudyWidth, kCanvasHeight = preview::kStudyHeight;
constexpr int kFrameWidth = 3;

// Palette: 0 white (the canvas, and nothing else), 1..64 the wall's shades, 65..96 wood,
// 97 the canvas frame's edge, 98 the easel's shadow; the rest black.
enum : int { kWhite = 0, kWall = 1, kWood = 65, kCanvasEdge = 97, kShadow = 98 };

uint8_t ProgressPixel(int x, int y) {  // storage coordinates, y from the bottom
    const bool inCanvasArea = x >= kCanvasLeft && x < kCanvasLeft + kCanvasWidth &&
                              y >= kCanvasBottom && y < kCanvasBottom + kCanvasHeight;
    if (inCanvasArea) {
        const bool edge = x < kCanvasLeft + kFrameWidth || x >= kCanvasLeft + kCanvasWidth - kFrameWidth ||
                          y < kCanvasBottom + kFrameWidth || y >= kCanvasBottom + kCanvasHeight - kFrameWidth;
        return static_cast<uint8_t>(edge ? kCanvasEdge : kWhite);
    }
    // The easel: a ledge under the canvas, two legs and a mast above it.
    const bool ledge = y >= kCanvasBottom - 8 && y < kCanvasBottom && x >= 4 && x < 176;
    const bool leftLeg = y < kCanvasBottom && x >= 22 + (kCanvasBottom - y) / 3 - 8 &&
                         x < 30 + (kCanvasBottom - y) / 3 - 8;
    const bool rightLeg = y < kCanvasBottom && x >= 150 - (kCanvasBottom - y) / 3 + 8 &&
                          x < 158 - (kCanvasBottom - y) / 3 + 8;
    const bool mast = y >= kCanvasBottom + kCanvasHeight && x >= 84 && x < 96;
    if (ledge || leftLeg || rightLeg || mast) return static_cast<uint8_t>(kWood + (x * 7 + y * 3) % 32);
    const bool shadow = x >= kCanvasLeft + kCanvasWidth && x < kCanvasLeft + kCanvasWidth + 6 &&
                        y >= kCanvasBottom - 4 && y < kCanvasBottom + kCanvasHeight - 6;
    if (shadow) return kShadow;
    return static_cast<uint8_t>(kWall + (x + 2 * y) * 64 / (3 * kProgressSide));
}

Bytes ProgressBitmap() {
    Bytes palette;
    for (int i = 0; i < 256; ++i) {
        uint8_t blue = 0, green = 0, red = 0;
        if (i == kWhite) blue = green = red = 255;
        else if (i >= kWall && i < kWall + 64) {
            red = static_cast<uint8_t>(236 - (i - kWall));
            green = static_cast<uint8_t>(228 - (i - kWall));
            blue = static_cast<uint8_t>(210 - (i - kWall));
        } else if (i >= kWood && i < kWood + 32) {
            red = static_cast<uint8_t>(150 + (i - kWood));
            green = static_cast<uint8_t>(96 + (i - kWood) / 2);
            blue = static_cast<uint8_t>(48 + (i - kWood) / 4);
        } else if (i == kCanvasEdge) {
            red = 110, green = 84, blue = 60;
        } else if (i == kShadow) {
            red = 150, green = 142, blue = 128;
        }
        palette.push_back(blue);
        palette.push_back(green);
        palette.push_back(red);
        palette.push_back(0);
    }
    static_assert(kProgressSide % 4 == 0, "the 8-bit rows need no padding");
    const uint32_t pixelBytes = kProgressSide * kProgressSide;
    Bytes b;
    AppendBmpFileHeader(&b, static_cast<uint32_t>(palette.size()), pixelBytes);
    PutInfoHeader(&b, kProgressSide, kProgressSide, 8, pixelBytes, 256);
    b.insert(b.end(), palette.begin(), palette.end());
    for (int y = 0; y < kProgressSide; ++y)
        for (int x = 0; x < kProgressSide; ++x) b.push_back(ProgressPixel(x, y));
    return b;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_dialog_resources <output folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    // The filter dialog's template has a system menu (the frame closes it); the ground and
    // screen dialogs' have none, so they have no close box.
    const uint32_t titledPopup = kPopup | kVisible | kCaption | kModalFrame;
    bool ok = WriteBytes(folder + "/zo.dlg", DialogTemplate(kPopupWithCaption, 1, 1)) &&
              WriteBytes(folder + "/zomaterial.dlg", DialogTemplate(titledPopup, 1, 1, u"下地")) &&
              WriteBytes(folder + "/zoscreen.dlg",
                    DialogTemplate(titledPopup, 1, 1, u"スクリ－ン解像度の設定")) &&
              WriteBytes(folder + "/about.dlg", DialogTemplate(kChildWithBorder, 1, 1)) &&
              WriteBytes(folder + "/odbuttons.dlg", PictureButtonTemplate()) &&
              WriteBytes(folder + "/zo.ico", Icon()) && WriteBytes(folder + "/progress.bmp", ProgressBitmap());
    for (const CursorArt& art : kCursors) ok = ok && WriteBytes(folder + "/" + art.name + ".cur", Cursor(art));
    if (!ok) {
        std::fprintf(stderr, "make_dialog_resources: cannot write into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
