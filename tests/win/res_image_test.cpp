// Icon, bitmaps, version resource and manifest of the program.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

namespace gd {
namespace {

HINSTANCE Self() {
    return GetModuleHandleA(nullptr);
}

// ---- Icon -------------------------------------------------------------------------

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
struct GroupIconHeader {
    WORD reserved, type, count;
};
#pragma pack(pop)

// The window's big and small icon and the tray's icon come from icon 100;
// each size must be drawn, not shrunk from a larger one.
TEST(ResIcon, HoldsTheSmallAndTheLargeSize) {
    HRSRC found = FindResourceA(Self(), MAKEINTRESOURCEA(100), RT_GROUP_ICON);
    ASSERT_NE(found, nullptr);
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(Self(), found)));
    ASSERT_GE(SizeofResource(Self(), found), sizeof(GroupIconHeader));
    GroupIconHeader header;
    std::memcpy(&header, data, sizeof header);
    bool small = false, large = false;
    for (WORD i = 0; i < header.count; ++i) {
        GroupIconEntry entry;
        std::memcpy(&entry, data + sizeof header + i * sizeof entry, sizeof entry);
        small = small || (entry.width == 16 && entry.height == 16);
        large = large || (entry.width == 32 && entry.height == 32);
    }
    EXPECT_TRUE(small);
    EXPECT_TRUE(large);
}

TEST(ResIcon, LoadsInBothSizes) {
    for (int size : {16, 32}) {
        HANDLE icon = LoadImageA(Self(), MAKEINTRESOURCEA(100), IMAGE_ICON, size, size, 0);
        ASSERT_NE(icon, nullptr) << size;
        DestroyIcon(static_cast<HICON>(icon));
    }
}

// ---- Bitmaps ------------------------------------------------------------------------

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

Size BitmapSize(int id) {
    HBITMAP bitmap = LoadBitmapA(Self(), MAKEINTRESOURCEA(id));
    if (bitmap == nullptr) {
        return {};
    }
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    DeleteObject(bitmap);
    return {info.bmWidth, info.bmHeight};
}

// A face bitmap holds four faces side by side; a face is a quarter of it.
Size FaceSize(int id) {
    const Size whole = BitmapSize(id);
    return {whole.width / 4, whole.height};
}

std::vector<int> AllBitmaps() {
    std::vector<int> ids = {144, 145, 146, 300, 301, 302};
    for (int id = 306; id <= 352; ++id) {
        ids.push_back(id);
    }
    return ids;
}

TEST(ResBitmaps, EveryBitmapLoads) {
    for (int id : AllBitmaps()) {
        const Size size = BitmapSize(id);
        EXPECT_GT(size.width, 0) << "bitmap " << id;
        EXPECT_GT(size.height, 0) << "bitmap " << id;
    }
}

TEST(ResBitmaps, PadPictureAndItsShapeAre357By500) {
    EXPECT_EQ(BitmapSize(146), (Size{357, 500}));
    EXPECT_EQ(BitmapSize(144), BitmapSize(146));
}

TEST(ResBitmaps, PagesAndWindowShapeShareOneSize) {
    EXPECT_GT(BitmapSize(301).width, 0);
    EXPECT_EQ(BitmapSize(300), BitmapSize(301));
    EXPECT_EQ(BitmapSize(302), BitmapSize(301));
}

// A 16 x 16 black triangle on pure red, the red giving way to the dialog's
// colour at run time.
TEST(ResBitmaps, PickArrowIsABlackTriangleOnPureRed) {
    ASSERT_EQ(BitmapSize(145), (Size{16, 16}));
    HBITMAP bitmap = LoadBitmapA(Self(), MAKEINTRESOURCEA(145));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    int red = 0, black = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            red += c == RGB(255, 0, 0);
            black += c == RGB(0, 0, 0);
        }
    }
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
    EXPECT_GT(red, 0);
    EXPECT_GT(black, 0);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
}

struct Placed {
    int bitmap;
    int x, y;
};

// The main window's buttons at their places, each as large as one face.
constexpr Placed kMainButtons[] = {
    {306, 252, 461}, {332, 263, 365}, {307, 113, 370}, {308, 318, 370}, {331, 139, 395},
    {329, 239, 429}, {330, 318, 395}, {309, 98, 177},  {310, 98, 214},  {311, 98, 251},
    {312, 98, 288},  {313, 98, 325},  {314, 417, 177}, {315, 417, 214}, {316, 417, 251},
    {317, 417, 288}, {318, 417, 325}, {319, 98, 177},  {320, 98, 214},  {321, 98, 251},
    {322, 98, 288},  {323, 98, 325},  {324, 417, 177}, {325, 417, 214}, {326, 417, 251},
    {327, 417, 288}, {328, 417, 325},
};

// The picture window's buttons at their places.
constexpr Placed kPictureButtons[] = {
    {333, 25, 76},   {334, 56, 76},   {335, 87, 76},  {336, 118, 76},  {337, 149, 76},
    {338, 180, 76},  {339, 211, 76},  {340, 242, 76}, {341, 273, 76},  {342, 304, 76},
    {343, 59, 117},  {344, 51, 152},  {345, 51, 191}, {346, 249, 117}, {347, 261, 152},
    {348, 262, 191}, {349, 217, 227}, {350, 25, 289}, {351, 56, 289},  {352, 87, 289},
};

RECT Area(const Placed& p) {
    const Size face = FaceSize(p.bitmap);
    return RECT{p.x, p.y, p.x + face.width, p.y + face.height};
}

TEST(ResBitmaps, MainWindowButtonsFitOnThePage) {
    const Size page = BitmapSize(301);
    for (const Placed& p : kMainButtons) {
        const RECT r = Area(p);
        EXPECT_GT(r.right, r.left) << "bitmap " << p.bitmap;
        EXPECT_LE(r.right, page.width) << "bitmap " << p.bitmap;
        EXPECT_LE(r.bottom, page.height) << "bitmap " << p.bitmap;
    }
}

// Both face sets of a pad button share set 0's size, and a pad button stays
// clear of the label beside it (104 x 18 at x 163 or 299, 4 pixels lower).
TEST(ResBitmaps, PadButtonFaceSetsMatchAndClearTheirLabels) {
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(BitmapSize(309 + i), BitmapSize(319 + i)) << "pad button " << i;
        const Placed& p = kMainButtons[7 + i];
        const RECT button = Area(p);
        const int labelX = i < 5 ? 163 : 299;
        const RECT label{labelX, p.y + 4, labelX + 104, p.y + 4 + 18};
        RECT common;
        EXPECT_FALSE(IntersectRect(&common, &button, &label)) << "pad button " << i;
    }
}

TEST(ResBitmaps, PictureButtonsFitOnThePadAndDoNotOverlap) {
    const Size pad = BitmapSize(146);
    for (size_t i = 0; i < std::size(kPictureButtons); ++i) {
        const RECT a = Area(kPictureButtons[i]);
        EXPECT_GT(a.right, a.left) << "bitmap " << kPictureButtons[i].bitmap;
        EXPECT_LE(a.right, pad.width) << "bitmap " << kPictureButtons[i].bitmap;
        EXPECT_LE(a.bottom, pad.height) << "bitmap " << kPictureButtons[i].bitmap;
        for (size_t j = i + 1; j < std::size(kPictureButtons); ++j) {
            const RECT b = Area(kPictureButtons[j]);
            RECT common;
            EXPECT_FALSE(IntersectRect(&common, &a, &b))
                << "bitmaps " << kPictureButtons[i].bitmap << " and " << kPictureButtons[j].bitmap;
        }
    }
}

// ---- Version resource ----------------------------------------------------------------

// Reads the VS_VERSIONINFO tree by hand: a node is length, value length,
// type, a zero-terminated UTF-16 key, padding, the value, padding, children.
class VersionTree {
  public:
    VersionTree() {
        HRSRC found = FindResourceA(Self(), MAKEINTRESOURCEA(1), RT_VERSION);
        if (found != nullptr) {
            data_ = static_cast<const BYTE*>(LockResource(LoadResource(Self(), found)));
            size_ = SizeofResource(Self(), found);
        }
    }

    bool loaded() const { return data_ != nullptr; }

    const VS_FIXEDFILEINFO* Fixed() const {
        Node root = NodeAt(0);
        if (!root.ok || root.valueBytes < sizeof(VS_FIXEDFILEINFO)) {
            return nullptr;
        }
        return reinterpret_cast<const VS_FIXEDFILEINFO*>(data_ + root.value);
    }

    // The text under StringFileInfo / <any table> / name.
    std::string Text(const std::string& name) const {
        for (size_t a : Children(NodeAt(0))) {
            Node fileInfo = NodeAt(a);
            if (fileInfo.key != "StringFileInfo") {
                continue;
            }
            for (size_t b : Children(fileInfo)) {
                for (size_t c : Children(NodeAt(b))) {
                    Node value = NodeAt(c);
                    if (value.key == name) {
                        return Utf16At(value.value, value.end);
                    }
                }
            }
        }
        return "<missing>";
    }

  private:
    struct Node {
        bool ok = false;
        size_t begin = 0, end = 0, value = 0, valueBytes = 0, children = 0;
        std::string key;
    };

    static size_t Align(size_t offset) { return (offset + 3) & ~size_t{3}; }

    WORD WordAt(size_t offset) const {
        WORD w = 0;
        if (offset + 2 <= size_) {
            std::memcpy(&w, data_ + offset, 2);
        }
        return w;
    }

    std::string Utf16At(size_t offset, size_t limit) const {
        std::string s;
        for (; offset + 2 <= limit; offset += 2) {
            const WORD c = WordAt(offset);
            if (c == 0) {
                break;
            }
            s += c < 0x80 ? static_cast<char>(c) : '?';
        }
        return s;
    }

    Node NodeAt(size_t offset) const {
        Node n;
        const WORD length = WordAt(offset);
        if (data_ == nullptr || length < 6 || offset + length > size_) {
            return n;
        }
        const WORD valueLength = WordAt(offset + 2);
        const bool text = WordAt(offset + 4) == 1;
        n.begin = offset;
        n.end = offset + length;
        n.key = Utf16At(offset + 6, n.end);
        n.value = Align(offset + 6 + 2 * (n.key.size() + 1));
        n.valueBytes = text ? 2u * valueLength : valueLength;
        n.children = Align(n.value + n.valueBytes);
        n.ok = true;
        return n;
    }

    std::vector<size_t> Children(const Node& parent) const {
        std::vector<size_t> out;
        for (size_t at = parent.children; parent.ok && at < parent.end;) {
            const WORD length = WordAt(at);
            if (length == 0) {
                break;
            }
            out.push_back(at);
            at = Align(at + length);
        }
        return out;
    }

    const BYTE* data_ = nullptr;
    size_t size_ = 0;
};

TEST(ResVersion, NamesTheProductAndVersionAsStringThreeDoes) {
    VersionTree version;
    ASSERT_TRUE(version.loaded());
    EXPECT_EQ(version.Text("FileDescription"), "MARVENTA Gripdeck Version 1.00.200EN");
    EXPECT_EQ(version.Text("ProductName"), "MARVENTA Gripdeck");
    EXPECT_EQ(version.Text("ProductVersion"), "1.00.200EN");
    EXPECT_EQ(version.Text("FileVersion"), "1.00.200EN");
    EXPECT_EQ(version.Text("CompanyName"), "MARVENTA");

    char caption[128] = {};
    LoadStringA(Self(), 3, caption, sizeof caption);
    EXPECT_EQ(version.Text("ProductName") + " Version " + version.Text("ProductVersion"), caption);
}

TEST(ResVersion, FixedPartSaysOneZeroTwoHundred) {
    VersionTree version;
    const VS_FIXEDFILEINFO* fixed = version.Fixed();
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(0, 200));
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

// ---- Manifest --------------------------------------------------------------------------

std::string Manifest() {
    HRSRC found = FindResourceA(Self(), MAKEINTRESOURCEA(1), RT_MANIFEST);
    if (found == nullptr) {
        return {};
    }
    const auto* data = static_cast<const char*>(LockResource(LoadResource(Self(), found)));
    return std::string(data, SizeofResource(Self(), found));
}

TEST(ResManifest, AsksForCommonControlsSixAndNoElevation) {
    const std::string manifest = Manifest();
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);
    EXPECT_NE(manifest.find(">system</dpiAwareness>"), std::string::npos);
}

// A manifest the loader cannot parse is ignored without a word: check its
// effect on this very process. Common controls 6 shows as comctl32 being
// redirected to the side-by-side assembly the manifest names.
TEST(ResManifest, TakesEffect) {
    ACTCTX_SECTION_KEYED_DATA data{};
    data.cbSize = sizeof data;
    EXPECT_TRUE(FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION,
                                         L"comctl32.dll", &data))
        << "error " << GetLastError();

    // The module this executable's import of InitCommonControlsEx resolved to.
    HMODULE comctl = nullptr;
    ASSERT_TRUE(GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(&InitCommonControlsEx), &comctl));
    char path[MAX_PATH] = {};
    GetModuleFileNameA(comctl, path, sizeof path);
    std::string lower(path);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    EXPECT_NE(lower.find("microsoft.windows.common-controls_6595b64144ccf1df_6."),
              std::string::npos)
        << path;

    EXPECT_TRUE(IsProcessDPIAware());
}

}  // namespace
}  // namespace gd
