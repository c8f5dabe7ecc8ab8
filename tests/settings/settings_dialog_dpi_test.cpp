// The settings dialog on a desktop of another DPI (the Wine prefix's LogPixels): its layout
// scaled from twips at that DPI, nothing cut, nothing overlapping, and a screenshot to look at.
// Run by run_at_dpi.sh in a Wine prefix of its own, with NUVREL_EXPECTED_DPI set.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "frontend/controls/dpi_scale.h"
#include "tests/support/desktop.h"

namespace nuvrel {
namespace {

using namespace nuvrel::testing;

constexpr char DialogTitle[] = "<Nuvrel>";

struct Twips {
    int left, top, width, height;
};
constexpr Twips Panel{180, 240, 7035, 2475};
constexpr Twips InPanel(Twips t) {
    return {Panel.left + t.left, Panel.top + t.top, t.width, t.height};
}
constexpr Twips SetButton{4860, 3000, 1155, 375};
constexpr Twips CancelButton{6060, 3000, 1155, 375};
constexpr Twips FileButton = InPanel({420, 1740, 615, 315});
constexpr Twips RepeatBox = InPanel({1680, 780, 615, 300});

// A label painted by the dialog, the room its text may take (up to the next control or the
// panel's edge), and the face it is drawn in.
struct Label {
    const wchar_t* text;
    Twips box;
    int roomRight;  // twips, in the dialog
    const wchar_t* face;
    double points;
};
const Label Labels[] = {
    {L"BGM", InPanel({300, 360, 1665, 195}), Panel.left + 1995, L"ＭＳ Ｐゴシック", 9.75},
    {L"音楽CD", InPanel({660, 840, 645, 195}), Panel.left + 1680, L"ＭＳ Ｐゴシック", 9.75},
    {L"曲目をﾘﾋﾟｰﾄ", InPanel({2340, 840, 990, 195}), Panel.left + Panel.width, L"ＭＳ Ｐゴシック",
     9.75},
    {L"なし", InPanel({660, 1140, 330, 195}), Panel.left + Panel.width, L"ＭＳ Ｐゴシック", 9.75},
    {L"MP3、WAV", InPanel({660, 1440, 900, 195}), Panel.left + Panel.width, L"ＭＳ Ｐゴシック",
     9.75},
    {L"https://nuvrel.example.org/",
     {180, 3120, 3285, 195},
     SetButton.left,
     L"ＭＳ Ｐゴシック",
     9.75},
};

class settings_dialog_dpi_test : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* expected = std::getenv("NUVREL_EXPECTED_DPI");
        ASSERT_NE(expected, nullptr);
        dpi_ = std::atoi(expected);
        const HDC screen = GetDC(nullptr);
        ASSERT_EQ(GetDeviceCaps(screen, LOGPIXELSY), dpi_) << "LogPixels of the prefix";
        ReleaseDC(nullptr, screen);
        ASSERT_TRUE(Xdotool("mousemove 5 5"));
        folder_ = MakeTestFolder("nuvrel-dpi");
        for (const char* file : {"Nuvrel.scr", "Nuvrel.dll"}) {
            ASSERT_TRUE(CopyFileA((ProgramFolder() + "\\" + file).c_str(),
                                  (folder_ + "\\" + file).c_str(), FALSE));
        }
        std::string ini = "[Section]\r\nBGM\x8B\xE6\x95\xAA=1\r\n";
        HANDLE file = CreateFileA((folder_ + "\\Nuvrel.ini").c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, ini.data(), static_cast<DWORD>(ini.size()), &written, nullptr);
        CloseHandle(file);
        frontEnd_ = std::make_unique<Program>(folder_ + "\\Nuvrel.scr", "/c");
        dialog_ = WaitForWindow(DialogTitle);
        ASSERT_NE(dialog_, nullptr);
        Pause(1500);
    }
    void TearDown() override {
        EndProgramsWithWindowsTitled(DialogTitle);
        Pause(300);
        RemoveFolder(folder_);
    }

    int Px(int twips) const { return PixelsOfTwips(twips, dpi_); }
    RECT Expected(Twips t) const {
        return {Px(t.left), Px(t.top), Px(t.left + t.width), Px(t.top + t.height)};
    }
    RECT InClient(HWND child) const {
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    std::vector<HWND> Buttons() const {
        std::vector<HWND> buttons;
        for (HWND child = FindWindowExW(dialog_, nullptr, L"NuvrelCommand", nullptr); child;
             child = FindWindowExW(dialog_, child, L"NuvrelCommand", nullptr)) {
            buttons.push_back(child);
        }
        std::sort(buttons.begin(), buttons.end(), [this](HWND a, HWND b) {
            const RECT ra = InClient(a);
            const RECT rb = InClient(b);
            return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
        });
        return buttons;
    }
    // The text's extent in the face and size given, at the desktop's DPI.
    SIZE Extent(const wchar_t* text, const wchar_t* face, double points) const {
        LOGFONTW font{};
        font.lfHeight = -FontPixelsOfPoints(points, dpi_);
        font.lfWeight = FW_NORMAL;
        font.lfCharSet = SHIFTJIS_CHARSET;
        lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
        const HFONT made = CreateFontIndirectW(&font);
        const HDC dc = CreateCompatibleDC(nullptr);
        const HGDIOBJ old = SelectObject(dc, made);
        SIZE size{};
        GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(made);
        return size;
    }
    // The width of the columns of the screenshot's area that hold text pixels.
    template <typename IsText>
    static int InkWidth(const ScreenImage& shot, RECT area, IsText isText) {
        int left = area.right;
        int right = area.left - 1;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                if (isText(shot.At(x, y))) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        return right - left + 1;
    }
    // Text, not the dots of the focus rectangle around the chosen kind's label (the panel's
    // grey inverted), which show at once where the system always shows keyboard cues.
    static bool Dark(ScreenImage::Colour c) {
        return std::max({c.red, c.green, c.blue}) < 100 && !(c == FocusDot);
    }
    static constexpr ScreenImage::Colour FocusDot{0x1F, 0x1F, 0x1F};
    static bool White(ScreenImage::Colour c) { return std::min({c.red, c.green, c.blue}) > 200; }
    RECT OnScreen(RECT client) const {
        MapWindowPoints(dialog_, nullptr, reinterpret_cast<POINT*>(&client), 2);
        return client;
    }

    int dpi_ = 96;
    std::string folder_;
    std::unique_ptr<Program> frontEnd_;
    HWND dialog_ = nullptr;
};

TEST_F(settings_dialog_dpi_test, the_client_area_is_scaled_from_twips) {
    RECT client{};
    GetClientRect(dialog_, &client);
    EXPECT_EQ(client.right, Px(7440));
    EXPECT_EQ(client.bottom, Px(3690));
    if (dpi_ == 144) {
        EXPECT_EQ(client.right, 744);
        EXPECT_EQ(client.bottom, 369);
    }
}

TEST_F(settings_dialog_dpi_test, every_control_lies_inside_at_its_scaled_place) {
    RECT client{};
    GetClientRect(dialog_, &client);
    const std::vector<HWND> buttons = Buttons();
    ASSERT_EQ(buttons.size(), 3u);
    const Twips places[] = {FileButton, SetButton, CancelButton};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const RECT actual = InClient(buttons[i]);
        const RECT expected = Expected(places[i]);
        EXPECT_EQ(actual.left, expected.left) << i;
        EXPECT_EQ(actual.top, expected.top) << i;
        EXPECT_EQ(actual.right, expected.right) << i;
        EXPECT_EQ(actual.bottom, expected.bottom) << i;
    }
    const HWND combo = FindWindowExW(dialog_, nullptr, L"ComboBox", nullptr);
    ASSERT_NE(combo, nullptr);
    const RECT box = InClient(combo);
    const RECT expected = Expected(RepeatBox);
    EXPECT_EQ(box.left, expected.left);
    EXPECT_EQ(box.top, expected.top);
    EXPECT_EQ(box.right, expected.right);
    EXPECT_LE(box.bottom, Px(RepeatBox.top + RepeatBox.height + 60)) << "near its given height";
    EXPECT_LE(box.bottom, Expected(FileButton).top) << "clear of the file button below";
    // The edit field is tall enough for its font.
    const LRESULT editHeight = SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    EXPECT_GE(editHeight, Extent(L"30", L"Tahoma", 8.25).cy);
    for (HWND child = GetWindow(dialog_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const RECT r = InClient(child);
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right &&
                    r.bottom <= client.bottom);
    }
}

TEST_F(settings_dialog_dpi_test, no_text_is_cut_and_the_fonts_are_scaled) {
    const ScreenImage shot =
        CaptureScreen(NUVREL_ARTEFACT_DIR, "settings-dialog-" + std::to_string(dpi_) + "dpi");
    ASSERT_FALSE(shot.Empty());
    for (const Label& label : Labels) {
        SCOPED_TRACE(::testing::Message() << "label " << label.box.left << "," << label.box.top);
        const SIZE extent = Extent(label.text, label.face, label.points);
        EXPECT_LE(Px(label.box.left) + extent.cx, Px(label.roomRight)) << "text runs into the next";
        // The ink drawn spans the text's width at this DPI, not at 96.
        const RECT area{Px(label.box.left) - 2, Px(label.box.top) - 2, Px(label.roomRight),
                        Px(label.box.top) + extent.cy + 2};
        const bool link = label.text[0] == L'h';  // white on the shaded background
        const int ink =
            link ? InkWidth(shot, OnScreen(area), White) : InkWidth(shot, OnScreen(area), Dark);
        EXPECT_GE(ink, extent.cx * 8 / 10);
        EXPECT_LE(ink, extent.cx + 2);
    }
    // The chosen radio picture (the CD) is drawn at its scaled size: its green dot fills
    // about a fifth of the picture's square.
    const RECT cd = OnScreen(Expected(InPanel({420, 840, 195, 195})));
    const int side = cd.right - cd.left;
    const int green = shot.CountIn(
        cd, [](ScreenImage::Colour c) { return c.green > 140 && c.red < 80 && c.blue < 80; });
    EXPECT_GE(green, side * side / 8);
    EXPECT_LE(green, side * side / 3);

    const std::vector<HWND> buttons = Buttons();
    ASSERT_EQ(buttons.size(), 3u);
    const wchar_t* captions[] = {L"...", L"設定", L"ｷｬﾝｾﾙ"};
    const int frame = ScaledPixels(4, dpi_);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const RECT r = InClient(buttons[i]);
        const SIZE extent = Extent(captions[i], L"ＭＳ Ｐゴシック", 9.75);
        EXPECT_LE(extent.cx, r.right - r.left - 2 * frame) << i;
        EXPECT_LE(extent.cy, r.bottom - r.top) << i;
        // The file button is disabled (the CD is chosen): its caption is grey.
        const bool enabled = i != 0;
        RECT face{r.left + frame, r.top + frame, r.right - frame, r.bottom - frame};
        if (enabled) {
            EXPECT_GE(InkWidth(shot, OnScreen(face), Dark), extent.cx * 7 / 10) << i;
        }
        // The frame is drawn at this DPI: its outline one scaled pixel inside the edge, dark
        // blue, or grey on the disabled face.
        const RECT screen = OnScreen(r);
        const ScreenImage::Colour outline =
            shot.At((screen.left + screen.right) / 2, screen.top + ScaledPixels(1, dpi_));
        constexpr ScreenImage::Colour Blue{0x00, 0x3C, 0x74};
        constexpr ScreenImage::Colour Grey{0xC9, 0xC7, 0xBA};
        EXPECT_EQ(outline, enabled ? Blue : Grey) << i;
    }
}

}  // namespace
}  // namespace nuvrel
