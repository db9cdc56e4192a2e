// Panels, group boxes, status bars, bare containers, sizers and other sets' check controls
// skinned: the pixels each leaves against the skin's colours and elements in each skin
// (panel face, the group box's frame line and its caption cut into it, each status panel's
// frame of "StatusBarEdges" by its bevel, the status text colour, the grip of
// "ExtraImages"), the bar's stock answers and sizing grip, a splitter dragged by real
// input, glyph strips written into the controls' own properties, and everything as it was
// after unskinning.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "ControlsTestUtil.h"
#include "framework/CheckBoxes.h"
#include "framework/StatusBars.h"
#include "raster/Blit.h"
#include "skin/controls/BoxSkinners.h"
#include "skin/core/WinSkinData.h"
#include "skin/forms/DrawPrimitives.h"

using namespace skin;
using namespace skintest;

namespace {

raster::Color Rgb(tv::TColor c) { return tv::ColorToRGB(c) & 0xFFFFFF; }
raster::Color At(const raster::Bitmap& b, int x, int y) { return b.GetPixel(x, y) & 0xFFFFFF; }

RECT Within(HWND child, HWND parent) {
    RECT r = WindowRectOf(child);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Pixels of part (in shot) inked nearly in colour, against a background of face.
int Inked(const raster::Bitmap& shot, const RECT& part, raster::Color colour, raster::Color face) {
    const int limit = std::max(30, ColourDistance(colour, face) / 3);
    int n = 0;
    for (int y = std::max(0L, part.top); y < std::min<long>(shot.Height(), part.bottom); ++y)
        for (int x = std::max(0L, part.left); x < std::min<long>(shot.Width(), part.right); ++x)
            n += ColourDistance(At(shot, x, y), colour) < limit;
    return n;
}

// The share of the pixels of `area` (in shot, at its place) that equal the expected image
// at the same place; key-coloured expected pixels do not count.
double Matching(const raster::Bitmap& shot, const raster::Bitmap& expected, int dx, int dy, const RECT& area) {
    int total = 0, same = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const raster::Color e = At(expected, x, y);
            if (e == raster::kKeyColor) continue;
            ++total;
            same += ColourDistance(At(shot, dx + x, dy + y), e) <= 6;
        }
    return total ? double(same) / total : 0;
}

// Frame `frame` of "StatusBarEdges" rendered over a w x h panel as the skin defines it.
raster::Bitmap PanelImage(const TSkinData& data, int w, int h, int frame) {
    tv::TBitmap image;
    image.SetSize(w, h);
    const TDataSkinObject& e = *data.StatusBarEdges;
    DrawElementImage(image.Canvas().Handle(), RECT{0, 0, w, h}, e.Bitmap, false, e.Tile != 0, false, 3, frame,
                     e.Margins());
    return image.Pixels().Clone();
}

int ZeroHeight(tv::TControl& control) {
    tv::OwnedDC dc(::CreateCompatibleDC(nullptr));
    const tv::SelectScope font(dc.Get(), control.Font().Handle());
    SIZE s{};
    ::GetTextExtentPoint32W(dc.Get(), L"0", 1, &s);
    return s.cy;
}

struct BoxForm {
    tv::TForm* form = nullptr;
    TWinSkinForm* skinner = nullptr;
    tv::TPanel* panel = nullptr;
    tv::TGroupBox* group = nullptr;
    tv::TGroupBox* rightGroup = nullptr;
    tv::TLabel* inGroup = nullptr;
    tv::TStatusBar* bar = nullptr;

    explicit BoxForm(const std::string& caption) {
        InstallControlsOnce();
        MoveMouseTo({5, 5});
        form = MakeForm(caption, 480, 260);
        panel = new tv::TPanel(form);
        panel->SetParent(form);
        panel->SetBounds(10, 10, 140, 60);
        panel->SetCaption("Panel");
        group = new tv::TGroupBox(form);
        group->SetParent(form);
        group->SetBounds(160, 10, 150, 100);
        group->SetCaption("Group");
        inGroup = new tv::TLabel(form);
        inGroup->SetParent(group);
        inGroup->SetBounds(12, 60, 100, 20);
        inGroup->SetCaption("Windowless");
        inGroup->Font().SetColor(tv::clRed);
        auto* radio = new tv::TRadioButton(form);
        radio->SetParent(group);
        radio->SetBounds(12, 30, 100, 20);
        radio->SetCaption("Inside");
        rightGroup = new tv::TGroupBox(form);
        rightGroup->SetParent(form);
        rightGroup->SetBounds(320, 10, 150, 60);
        rightGroup->SetCaption("Right");
        bar = new tv::TStatusBar(form);
        bar->SetParent(form);
        bar->SetHeight(24);
        tv::TStatusPanel* one = bar->Panels().Add();
        one->SetWidth(120);
        one->SetText("One");
        tv::TStatusPanel* two = bar->Panels().Add();
        two->SetWidth(150);
        two->SetText("Two");
        two->SetAlignment(tv::TAlignment::taCenter);
        two->SetBevel(tv::TStatusPanelBevel::pbRaised);
        tv::TStatusPanel* three = bar->Panels().Add();
        three->SetText("Three");
        three->SetAlignment(tv::TAlignment::taRightJustify);
        three->SetBevel(tv::TStatusPanelBevel::pbNone);
        Pump(60);
    }
    void Skin(TSkinData& data) {
        skinner = new TWinSkinForm(form, form->Handle());  // freed with its form
        skinner->AttachForm(&data, form);
        Activate(*skinner);
        Pump(80);
    }
    raster::Bitmap Client() const { return CaptureScreen(ClientScreenRect()); }
    RECT ClientScreenRect() const {
        RECT r = ClientRectOf(form->Handle());
        ::MapWindowPoints(form->Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    ~BoxForm() { delete form; }
};

}  // namespace

TEST(BoxSkinners, PanelsGroupBoxesAndTheStatusBarShowTheSkinsColoursAndElementsInEachSkin) {
    for (const char* name : kSkinNames) {
        SCOPED_TRACE(name);
        auto data = LoadPackedSkin(name);
        ASSERT_TRUE(data && !data->SkinEmpty && data->StatusBarEdges && data->ExtraImages);
        BoxForm f(std::string("Boxes ") + name);
        f.Skin(*data);
        ASSERT_TRUE(f.skinner->FindSkinner(f.panel->Handle()));
        EXPECT_EQ(f.skinner->FindSkinner(f.panel->Handle())->ClassName(), "TSkinBox");
        EXPECT_EQ(f.skinner->FindSkinner(f.group->Handle())->ClassName(), "TSkinGroupBox");
        EXPECT_EQ(f.skinner->FindSkinner(f.bar->Handle())->ClassName(), "TSkinStatusBar");
        // The rightmost group's caption sits 8 pixels from its right edge.
        ::SetWindowLongW(f.rightGroup->Handle(), GWL_EXSTYLE,
                         ::GetWindowLongW(f.rightGroup->Handle(), GWL_EXSTYLE) | WS_EX_RIGHT);
        ::InvalidateRect(f.rightGroup->Handle(), nullptr, TRUE);
        Pump(80);
        const HWND form = f.form->Handle();
        const raster::Bitmap shot = f.Client();
        const raster::Color face = Rgb(data->SkinColors.ButtonFace), text = Rgb(data->SkinColors.ButtonText);
        const raster::Color shadow = Rgb(data->SkinColors.ButtonShadow);

        // Panel: the skin's face, the stock edge, a caption in the skin's text colour.
        const RECT p = Within(f.panel->Handle(), form);
        EXPECT_EQ(At(shot, p.left + 4, p.top + 4), face);
        EXPECT_EQ(At(shot, p.right - 5, p.bottom - 5), face);
        EXPECT_EQ(At(shot, p.left, p.top), Rgb(tv::clBtnHighlight)) << "the raised edge is the panel's own";
        EXPECT_GT(Inked(shot, p, text, face), 15) << "the caption reads on the face";

        // Group box: the frame line in the shadow colour at half the text height, the
        // caption cut into it on the face, the windowless label painted on top.
        const RECT g = Within(f.group->Handle(), form);
        const int line = g.top + ZeroHeight(*f.group) / 2 - 1;
        EXPECT_EQ(At(shot, (g.left + g.right) / 2 + 20, line), shadow);
        EXPECT_EQ(At(shot, g.left + 1, (g.top + g.bottom) / 2), shadow);
        EXPECT_EQ(At(shot, g.right - 2, (g.top + g.bottom) / 2), shadow);
        EXPECT_EQ(At(shot, (g.left + g.right) / 2, g.bottom - 2), shadow);
        EXPECT_EQ(At(shot, g.right - 8, g.bottom - 8), face);
        int lineUnderCaption = 0;
        for (int x = g.left + 9; x < g.left + 30; ++x) lineUnderCaption += At(shot, x, line) == shadow;
        EXPECT_LT(lineUnderCaption, 4) << "the caption's background cuts the line";
        EXPECT_GT(Inked(shot, {g.left + 8, g.top, g.left + 60, line + 8}, text, face), 8);
        EXPECT_GT(Inked(shot, {g.left + 12, g.top + 60, g.left + 112, g.top + 80}, Rgb(tv::clRed), face), 8)
            << "the windowless label inside";
        const RECT rg = Within(f.rightGroup->Handle(), form);
        int rightmost = -1, leftmost = 1 << 20;
        for (int y = rg.top; y < rg.top + 16; ++y)
            for (int x = rg.left + 2; x < rg.right - 2; ++x)
                if (ColourDistance(At(shot, x, y), text) < ColourDistance(text, face) / 3) {
                    rightmost = std::max(rightmost, x - int(rg.left));
                    leftmost = std::min(leftmost, x - int(rg.left));
                }
        const int w = rg.right - rg.left;
        EXPECT_LE(rightmost, w - 8);
        EXPECT_GE(rightmost, w - 12);
        EXPECT_GT(leftmost, w / 2);

        // Status bar: each panel's frame by its bevel (lowered 1, raised 2, flat 3) at the
        // part's place, the text colour of the element, the grip of "ExtraImages".
        const HWND bar = f.bar->Handle();
        const RECT b = Within(bar, form);
        const int bw = b.right - b.left, bh = b.bottom - b.top;
        const TDataSkinObject& edges = *data->StatusBarEdges;
        const int frames[] = {1, 2, 3};
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(i);
            RECT r{};
            ASSERT_TRUE(::SendMessageW(bar, SB_GETRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r)));
            r.right = i == 2 ? bw : r.right + 2;
            const int pw = r.right - r.left, ph = r.bottom - r.top;
            const raster::Bitmap expected = PanelImage(*data, pw, ph, frames[i]);
            // The edges only: the middle carries the text, the last panel's end the grip.
            const int margin = std::max(2, int(edges.TopHeight));
            EXPECT_GT(Matching(shot, expected, b.left + r.left, b.top + r.top, {0, 0, std::min(pw, 60), margin}), 0.97);
            EXPECT_GT(Matching(shot, expected, b.left + r.left, b.top + r.top, {0, 0, 2, ph}), 0.97);
        }
        const raster::Color statusText = Rgb(edges.NormalColour2);
        RECT first{};
        ::SendMessageW(bar, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&first));
        ::OffsetRect(&first, b.left, b.top);
        EXPECT_GT(Inked(shot, first, statusText, At(shot, first.left + 30, first.top + bh / 2 - 6)), 6);
        const raster::Bitmap& extra = data->ExtraImages->Bitmap;
        const int fw = extra.Width() / data->ExtraImages->FrameCount(), fh = extra.Height();
        const raster::Bitmap grip = raster::CopyPart(extra, {4 * fw, 0, 5 * fw, fh});
        EXPECT_GT(Matching(shot, grip, b.right - 1 - fw, b.bottom - 1 - fh, {0, 0, fw, fh}), 0.97);

        // The bar still answers as the stock one, and its grip sizes the window.
        EXPECT_EQ(::SendMessageW(bar, SB_GETPARTS, 0, 0), 3);
        EXPECT_EQ(HitAt(bar, bw - 3, bh - 3), HTBOTTOMRIGHT);
        EXPECT_EQ(HitAt(bar, 20, bh / 2), HTCLIENT);
        SavePng(CaptureScreen(WindowRectOf(form)), ScreenshotPath(std::string("boxes-") + name + ".png"));
    }
}

TEST(BoxSkinners, SimpleModeAndABarWithoutTheElementStillDrawWholeBars) {
    auto data = LoadPackedSkin("midnight");
    ASSERT_TRUE(data && !data->SkinEmpty && data->StatusBarEdges);
    {
        BoxForm f("Simple");
        f.Skin(*data);
        // Simple mode with no text: frame 1 over the whole bar, nothing of the panels left.
        f.bar->SetSimpleText("");
        f.bar->SetSimplePanel(true);
        Pump(80);
        const HWND bar = f.bar->Handle();
        const raster::Bitmap shot = CaptureScreen(WindowRectOf(bar));
        const raster::Bitmap expected = PanelImage(*data, shot.Width(), shot.Height(), 1);
        const int fw = data->ExtraImages->Bitmap.Width() / 5;
        EXPECT_GT(Matching(shot, expected, 0, 0, {0, 0, shot.Width() - fw - 2, 2}), 0.97);
        EXPECT_GT(Matching(shot, expected, 0, 0, {0, 0, shot.Width() - fw - 2, shot.Height()}), 0.97)
            << "an empty simple text leaves the whole background";
        f.bar->SetSimpleText("Now some text");
        Pump(80);
        const raster::Bitmap withText = CaptureScreen(WindowRectOf(bar));
        EXPECT_GT(Inked(withText, {0, 0, 200, withText.Height()}, Rgb(data->StatusBarEdges->NormalColour2),
                        At(expected, 150, expected.Height() / 2)),
                  10);
    }
    {
        // Without the element: the face, the stock bevels, the skin's text colour.
        data->StatusBarEdges.reset();
        BoxForm f("Bevels");
        f.Skin(*data);
        const HWND bar = f.bar->Handle();
        const raster::Bitmap shot = CaptureScreen(WindowRectOf(bar));
        RECT one{}, two{};
        ::SendMessageW(bar, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&one));
        ::SendMessageW(bar, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&two));
        two.right += 2;
        EXPECT_EQ(At(shot, one.left + 10, one.top), Rgb(tv::clBtnShadow)) << "lowered";
        EXPECT_EQ(At(shot, one.left + 10, one.bottom - 1), Rgb(tv::clBtnHighlight));
        EXPECT_EQ(At(shot, two.left + 10, two.top), Rgb(tv::clBtnHighlight)) << "raised";
        EXPECT_EQ(At(shot, two.left + 10, two.bottom - 1), Rgb(tv::clBtnShadow));
        const raster::Color face = Rgb(data->SkinColors.ButtonFace);
        EXPECT_EQ(At(shot, one.left + 100, one.top + 3), face);
        EXPECT_GT(Inked(shot, one, Rgb(data->SkinColors.ButtonText), face), 6);
    }
}

TEST(BoxSkinners, TheGripSizesTheWindowAndTheSplitterDragsByRealInput) {
    auto data = LoadPackedSkin("slate");
    ASSERT_TRUE(data && !data->SkinEmpty);
    BoxForm f("Grip");
    auto* left = new tv::TPanel(f.form);
    left->SetParent(f.form);
    left->SetBounds(0, 120, 150, 60);
    left->SetAlign(tv::TAlign::alLeft);
    auto* splitter = new tv::TSplitter(f.form);
    splitter->SetParent(f.form);
    splitter->SetBounds(150, 120, 6, 60);
    splitter->SetResizeStyle(tv::TResizeStyle::rsUpdate);
    f.Skin(*data);
    Pump(60);
    ASSERT_EQ(splitter->Left(), 150);

    // Drag the splitter 40 pixels right: the panel at its left grows by as much.
    const POINT grab = f.form->ClientToScreen(POINT{splitter->Left() + 3, 80});
    DragThrough({grab, {grab.x + 20, grab.y}, {grab.x + 40, grab.y}});
    EXPECT_EQ(left->Width(), 190);
    EXPECT_EQ(splitter->Left(), 190);

    // The grip, dragged from outside Wine into the system's size loop, sizes the form.
    const RECT start = WindowRectOf(f.form->Handle());
    const RECT bar = WindowRectOf(f.bar->Handle());
    const int gx = bar.right - 4, gy = bar.bottom - 4;
    ASSERT_EQ(HitAt(f.bar->Handle(), gx - bar.left, gy - bar.top), HTBOTTOMRIGHT);
    wchar_t args[256];
    std::swprintf(args, 256, L"mousemove %d %d sleep 0.2 mousedown 1 sleep 0.2 mousemove %d %d sleep 0.2 mousemove %d %d "
                             L"sleep 0.3 mouseup 1 sleep 0.2",
                  gx, gy, gx + 20, gy + 10, gx + 50, gy + 30);
    ASSERT_TRUE(RunXdotool(args)) << "xdotool did not run";
    Pump(120);
    const RECT sized = WindowRectOf(f.form->Handle());
    EXPECT_EQ(SizeOf(sized).cx - SizeOf(start).cx, 50);
    EXPECT_EQ(SizeOf(sized).cy - SizeOf(start).cy, 30);
    EXPECT_EQ(sized.left, start.left);
    // The bar followed the form's new bottom and width.
    const RECT after = WindowRectOf(f.bar->Handle());
    EXPECT_EQ(after.bottom - bar.bottom, 30);
    EXPECT_EQ(SizeOf(after).cx - SizeOf(bar).cx, 50);
}

TEST(BoxSkinners, UnskinningGivesBackTheWindowMethodsColoursAndTheStockLook) {
    auto data = LoadPackedSkin("midnight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    BoxForm f("Unskin boxes");
    // An edit on the panel takes the panel's font, but must not take the skin's text colour
    // meant for the panel's face onto its own white.
    auto* onPanel = new tv::TEdit(f.form);
    onPanel->SetParent(f.panel);
    onPanel->SetBounds(4, 4, 50, 18);
    ASSERT_TRUE(onPanel->ParentFont());
    const tv::TColor editFont = onPanel->Font().Color();
    Pump(30);
    const tv::TWndMethod barProc = f.bar->WindowProc, groupProc = f.group->WindowProc,
                         panelProc = f.panel->WindowProc;
    const tv::TColor panelColor = f.panel->Color(), panelFont = f.panel->Font().Color();
    const raster::Bitmap before = f.Client();
    auto* skinner = new TWinSkinForm(nullptr, f.form->Handle());
    skinner->AttachForm(data.get(), f.form);
    Activate(*skinner);
    Pump(80);
    EXPECT_FALSE(f.bar->WindowProc == barProc);
    EXPECT_FALSE(f.group->WindowProc == groupProc);
    EXPECT_TRUE(f.panel->WindowProc == panelProc) << "a panel's messages are never taken";
    EXPECT_EQ(f.panel->Color(), data->SkinColors.ButtonFace);
    EXPECT_EQ(f.panel->Font().Color(), data->SkinColors.ButtonText);
    EXPECT_EQ(onPanel->Font().Color(), editFont) << "the edit's text keeps its own colour";
    EXPECT_EQ(::SendMessageW(f.bar->Handle(), SKM_ISSKINNED, 0, 0), 1);
    const tv::WeakPtr<TChildSkinner> box(skinner->FindSkinner(f.panel->Handle()));
    ASSERT_TRUE(box.Get());

    skinner->Unskin();
    EXPECT_FALSE(box.Get());
    EXPECT_TRUE(f.bar->WindowProc == barProc);
    EXPECT_TRUE(f.group->WindowProc == groupProc);
    EXPECT_EQ(f.panel->Color(), panelColor);
    EXPECT_EQ(f.panel->Font().Color(), panelFont);
    EXPECT_TRUE(f.panel->ParentFont());
    EXPECT_TRUE(onPanel->ParentFont()) << "the edit follows the panel's font again";
    EXPECT_EQ(::SendMessageW(f.bar->Handle(), SKM_ISSKINNED, 0, 0), 0);
    delete skinner;
    ::RedrawWindow(f.form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(100);
    const raster::Bitmap after = f.Client();
    ASSERT_EQ(after.Width(), before.Width());
    int differ = 0;
    for (int y = 0; y < after.Height(); ++y)
        for (int x = 0; x < after.Width(); ++x) differ += At(after, x, y) != At(before, x, y);
    EXPECT_EQ(differ, 0) << "the stock look, pixel for pixel";
}

TEST(BoxSkinners, BareContainersAndSizeBoxesTakeTheSkinFace) {
    InstallControlsOnce();
    auto data = LoadPackedSkin("midnight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    const HWND dialog = MakeButtonDialog(L"Bare boxes", {{WS_TABSTOP | BS_DEFPUSHBUTTON, 20, 90, 60, 16, IDOK, L"OK"}});
    ASSERT_TRUE(dialog);
    const HWND inner = ::CreateWindowExW(0, L"#32770", L"", WS_CHILD | WS_VISIBLE, 10, 10, 160, 80, dialog, nullptr,
                                         nullptr, nullptr);
    const HWND label = ::CreateWindowExW(0, L"STATIC", L"On the face", WS_CHILD | WS_VISIBLE, 10, 10, 120, 20, inner,
                                         nullptr, nullptr, nullptr);
    const HWND sizeBox = ::CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_SIZEBOX, 200, 10, 18, 18,
                                           dialog, nullptr, nullptr, nullptr);
    ASSERT_TRUE(inner && label && sizeBox);
    RequestLog log;
    TWinSkinForm skinner(nullptr, dialog);
    skinner.AttachWindow(data.get());
    Activate(skinner);
    EXPECT_EQ(log.For(inner), std::vector<std::string>{"TSkinBoxH"});
    EXPECT_EQ(log.For(sizeBox), std::vector<std::string>{"TSkinSizer"});
    ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(80);
    const raster::Color face = Rgb(data->SkinColors.ButtonFace);
    const raster::Bitmap box = CaptureScreen(WindowRectOf(sizeBox));
    int notFace = 0;
    for (int y = 0; y < box.Height(); ++y)
        for (int x = 0; x < box.Width(); ++x) notFace += At(box, x, y) != face;
    EXPECT_EQ(notFace, 0) << "the size box is the skin face";
    const raster::Bitmap area = CaptureScreen(WindowRectOf(inner));
    EXPECT_EQ(At(area, 150, 70), face) << "erased with the face";
    EXPECT_EQ(At(area, 1, 1), face);
    const raster::Bitmap text = CaptureScreen(WindowRectOf(label));
    EXPECT_EQ(At(text, text.Width() - 2, text.Height() - 2), face) << "the static child paints on the face";
    tv::WindowDC dc(label);
    EXPECT_EQ(::SendMessageW(inner, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Get()), reinterpret_cast<LPARAM>(label)),
              reinterpret_cast<LRESULT>(data->FaceBrush()));

    // A bare status window skinned through its handle: its parts, bevels and texts are read
    // from the window itself.
    const HWND status = ::CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0,
                                          0, dialog, nullptr, nullptr, nullptr);
    ASSERT_TRUE(status);
    int edges[] = {90, -1};
    ::SendMessageW(status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    ::SendMessageW(status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"Bare"));
    ::SendMessageW(status, SB_SETTEXTW, 1 | SBT_POPOUT, reinterpret_cast<LPARAM>(L"\tRaised"));
    TChildSkinner* bare = CreateChildSkinner("TSkinStatusBar", &skinner);
    ASSERT_TRUE(bare);
    bare->AttachWindow(status, data.get(), &skinner, &skinner.ScratchCanvas());
    ::RedrawWindow(status, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump(60);
    const raster::Bitmap bar = CaptureScreen(WindowRectOf(status));
    for (int i = 0; i < 2; ++i) {
        RECT r{};
        ASSERT_TRUE(::SendMessageW(status, SB_GETRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r)));
        r.right = i == 1 ? bar.Width() : r.right + 2;
        const raster::Bitmap expected = PanelImage(*data, r.right - r.left, r.bottom - r.top, i + 1);
        EXPECT_GT(Matching(bar, expected, r.left, r.top, {0, 0, 60, 2}), 0.97) << i;
    }
    EXPECT_GT(Inked(bar, {0, 0, 90, bar.Height()}, Rgb(data->StatusBarEdges->NormalColour2),
                    At(bar, 80, bar.Height() / 2)),
              6);
    EXPECT_EQ(::SendMessageW(status, SKM_ISSKINNED, 0, 0), 1);
    ::DestroyWindow(dialog);
}

// ---- other sets' check controls, as their class names say --------------------------------

namespace {

class TGlyphHolder : public tv::TCustomControl {
    TV_CLASS(TGlyphHolder, tv::TCustomControl)
    using TCustomControl::TCustomControl;
    tv::TBitmap* GlyphsPtr() { return &glyphs; }
    bool UseCustom() const { return useCustom; }
    void SetUseCustom(bool v) {
        useCustom = v;
        uses.push_back(v);
    }
    tv::TBitmap glyphs;
    bool useCustom = false;
    std::vector<bool> uses;
    int transparent = 0;
};

class TRzCheckBox : public TGlyphHolder {
    TV_CLASS(TRzCheckBox, TGlyphHolder)
    using TGlyphHolder::TGlyphHolder;
};

class TRzRadioButton : public TGlyphHolder {
    TV_CLASS(TRzRadioButton, TGlyphHolder)
    using TGlyphHolder::TGlyphHolder;
};

class TCheckProperties : public tv::TPersistent {
    TV_CLASS(TCheckProperties, tv::TPersistent)
    tv::TBitmap* GlyphPtr() { return &glyph; }
    tv::TBitmap glyph;
};

class TcxCheckBox : public tv::TCustomControl {
    TV_CLASS(TcxCheckBox, tv::TCustomControl)
    using TCustomControl::TCustomControl;
    TCheckProperties* PropertiesPtr() { return &properties; }
    TCheckProperties properties;
};

}  // namespace

const tv::TClassInfo& TGlyphHolder::StaticClass() {
    static const tv::TClassInfo info =
        tv::DescribeClass<TGlyphHolder>("TGlyphHolder")
            .Obj<tv::TBitmap>("CustomGlyphs", &TGlyphHolder::GlyphsPtr, nullptr)
            .Bool("UseCustomGlyphs", &TGlyphHolder::UseCustom, &TGlyphHolder::SetUseCustom)
            .Int("TransparentColor", &TGlyphHolder::transparent)
            .Done();
    return info;
}
const tv::TClassInfo& TRzCheckBox::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TRzCheckBox>("TRzCheckBox").Done();
    return info;
}
const tv::TClassInfo& TRzRadioButton::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TRzRadioButton>("TRzRadioButton").Done();
    return info;
}
const tv::TClassInfo& TCheckProperties::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TCheckProperties>("TCheckProperties")
                                           .Obj<tv::TBitmap>("Glyph", &TCheckProperties::GlyphPtr, nullptr)
                                           .Done();
    return info;
}
const tv::TClassInfo& TcxCheckBox::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TcxCheckBox>("TcxCheckBox")
                                           .Obj<TCheckProperties>("Properties", &TcxCheckBox::PropertiesPtr, nullptr)
                                           .Done();
    return info;
}

namespace {

// Frame i (from 1) of a strip of frames cut to frameWidth, compared with frame j of source.
bool SameFrame(const tv::TBitmap& strip, int i, const raster::Bitmap& source, int j, int frameWidth) {
    const raster::Bitmap& px = strip.Pixels();
    for (int y = 0; y < source.Height(); ++y)
        for (int x = 0; x < frameWidth; ++x)
            if ((px.GetPixel((i - 1) * frameWidth + x, y) & 0xFFFFFF) !=
                (source.GetPixel((j - 1) * frameWidth + x, y) & 0xFFFFFF))
                return false;
    return true;
}

}  // namespace

TEST(BoxSkinners, OtherSetsCheckControlsGetTheSkinsGlyphStripsAndLoseThemWhenUnskinned) {
    InstallControlsOnce();
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty && data->Buttons);
    const TDataSkinButton& b = *data->Buttons;
    ASSERT_EQ(b.CheckFrames, 12);
    ASSERT_EQ(b.RadioFrames, 8);
    tv::TForm* form = MakeForm("Glyph holders", 300, 120);
    auto* check = new TRzCheckBox(form);
    check->SetParent(form);
    check->SetBounds(10, 10, 100, 20);
    auto* radio = new TRzRadioButton(form);
    radio->SetParent(form);
    radio->SetBounds(10, 40, 100, 20);
    auto* cx = new TcxCheckBox(form);
    cx->SetParent(form);
    cx->SetBounds(10, 70, 100, 20);
    const tv::TColor stockColor = check->Color();
    TWinSkinForm skinner(nullptr, form->Handle());
    skinner.AttachForm(data.get(), form);
    Activate(skinner);
    Pump(40);
    ASSERT_TRUE(skinner.FindSkinner(check->Handle()));
    EXPECT_EQ(skinner.FindSkinner(check->Handle())->ClassName(), "TSkinObjImage");

    // Check strip: [unchecked, checked, grayed] normal, then again, then disabled looks.
    const int cw = b.CheckBitmap.Width() / 12, rw = b.RadioBitmap.Width() / 8;
    ASSERT_EQ(check->glyphs.Width(), 9 * cw);
    EXPECT_TRUE(SameFrame(check->glyphs, 1, b.CheckBitmap, 1, cw));
    EXPECT_TRUE(SameFrame(check->glyphs, 2, b.CheckBitmap, 5, cw)) << "checked";
    EXPECT_TRUE(SameFrame(check->glyphs, 3, b.CheckBitmap, 9, cw)) << "grayed";
    EXPECT_TRUE(SameFrame(check->glyphs, 5, b.CheckBitmap, 5, cw));
    EXPECT_TRUE(SameFrame(check->glyphs, 7, b.CheckBitmap, 4, cw)) << "disabled";
    EXPECT_TRUE(SameFrame(check->glyphs, 8, b.CheckBitmap, 8, cw)) << "disabled, checked";
    EXPECT_EQ(check->transparent, 0xFF00FF);
    EXPECT_EQ(check->uses, (std::vector<bool>{false, true})) << "off and on: the control reloads";
    EXPECT_EQ(check->Color(), data->SkinColors.ButtonFace);
    ASSERT_EQ(radio->glyphs.Width(), 6 * rw);
    EXPECT_TRUE(SameFrame(radio->glyphs, 2, b.RadioBitmap, 5, rw));
    EXPECT_TRUE(SameFrame(radio->glyphs, 4, b.RadioBitmap, 5, rw));
    EXPECT_TRUE(SameFrame(radio->glyphs, 6, b.RadioBitmap, 8, rw));
    ASSERT_EQ(cx->properties.glyph.Width(), 6 * cw);
    EXPECT_TRUE(SameFrame(cx->properties.glyph, 3, b.CheckBitmap, 9, cw));

    // A new skin writes its strips again.
    skinner.FindSkinner(check->Handle())->RefreshSkin();
    EXPECT_EQ(check->uses, (std::vector<bool>{false, true, false, true}));

    skinner.Unskin();
    EXPECT_FALSE(check->useCustom);
    EXPECT_FALSE(radio->useCustom);
    EXPECT_TRUE(cx->properties.glyph.Empty());
    EXPECT_EQ(check->Color(), stockColor);
    delete form;
}
