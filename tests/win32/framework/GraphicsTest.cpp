#include <gtest/gtest.h>

#include <memory>

#include "TestForms.h"

using namespace tv;

TEST(Graphics, BitmapPixelsAndGdiShareOneMemory) {
    TBitmap bmp;
    bmp.SetSize(8, 4);
    DIBSECTION ds{};
    ASSERT_EQ(::GetObjectW(bmp.Handle(), sizeof ds, &ds), int(sizeof ds)) << "a DIB section";
    EXPECT_EQ(ds.dsBm.bmBits, static_cast<void*>(bmp.Pixels().Bits()));

    bmp.Canvas().Brush().SetColor(clRed);
    RECT r{2, 1, 5, 3};
    bmp.Canvas().FillRect(r);
    EXPECT_EQ(bmp.Pixels().GetPixel(2, 1), raster::Rgb(255, 0, 0)) << "GDI drawing is seen by the raster side";
    EXPECT_EQ(bmp.Pixels().GetPixel(5, 1), 0u);
    bmp.Pixels().SetPixel(7, 3, raster::Rgb(1, 2, 3));
    EXPECT_EQ(bmp.Canvas().Pixel(7, 3), RGB(1, 2, 3)) << "and raster writes by GDI";

    TBitmap copy;
    copy.Assign(bmp);
    bmp.Pixels().SetPixel(2, 1, 0);
    EXPECT_EQ(copy.Pixels().GetPixel(2, 1), raster::Rgb(255, 0, 0)) << "copies own their pixels";
    EXPECT_NE(copy.Handle(), bmp.Handle());

    bmp.SetSize(16, 16);  // a new DIB: the canvas follows it
    bmp.Canvas().Brush().SetColor(clBlue);
    RECT all{0, 0, 16, 16};
    bmp.Canvas().FillRect(all);
    EXPECT_EQ(bmp.Pixels().GetPixel(15, 15), raster::Rgb(0, 0, 255));

    // Transparent drawing leaves the key colour's pixels of the target alone.
    TBitmap sprite;
    sprite.SetSize(2, 1);
    sprite.Pixels().SetPixel(0, 0, raster::kKeyColor);
    sprite.Pixels().SetPixel(1, 0, raster::Rgb(0, 255, 0));
    sprite.Transparent = true;
    bmp.Canvas().Draw(3, 3, sprite);
    EXPECT_EQ(bmp.Pixels().GetPixel(3, 3), raster::Rgb(0, 0, 255));
    EXPECT_EQ(bmp.Pixels().GetPixel(4, 3), raster::Rgb(0, 255, 0));
}

TEST(Graphics, FontsBrushesAndPensOwnTheirHandles) {
    TFont font;
    font.SetName("宋体");
    font.SetCharset(GB2312_CHARSET);
    font.SetHeight(-16);
    font.SetStyle({TFontStyle::fsUnderline});
    HFONT first = font.Handle();
    EXPECT_EQ(font.Handle(), first) << "made once";
    LOGFONTW lf{};
    ASSERT_GT(::GetObjectW(first, sizeof lf, &lf), 0);
    EXPECT_EQ(lf.lfHeight, -16);
    EXPECT_EQ(lf.lfCharSet, GB2312_CHARSET);
    EXPECT_TRUE(lf.lfUnderline);
    EXPECT_EQ(std::wstring(lf.lfFaceName), L"宋体");
    EXPECT_EQ(font.Size(), 12);
    font.SetColor(clPurple);
    EXPECT_EQ(font.Handle(), first) << "colour is not part of the GDI font";
    font.SetHeight(-20);
    EXPECT_EQ(::GetObjectType(first), 0u) << "the replaced font was deleted";
    EXPECT_NE(font.Handle(), nullptr);

    TBrush brush;
    brush.SetColor(clBtnFace);
    LOGBRUSH lb{};
    ::GetObjectW(brush.Handle(), sizeof lb, &lb);
    EXPECT_EQ(lb.lbColor, ::GetSysColor(COLOR_BTNFACE)) << "system colours resolve";
    brush.SetStyle(TBrushStyle::bsClear);
    EXPECT_EQ(brush.Handle(), nullptr);

    OwnedBrush owned(::CreateSolidBrush(RGB(1, 2, 3)));
    HBRUSH raw = owned.Get();
    OwnedBrush moved(std::move(owned));
    EXPECT_EQ(owned.Get(), nullptr);
    EXPECT_EQ(moved.Get(), raw);
    moved.Reset();
    EXPECT_EQ(::GetObjectType(raw), 0u);
    OwnedPen pen(::CreatePen(PS_SOLID, 1, 0));
    HPEN kept = pen.Release();
    EXPECT_EQ(pen.Get(), nullptr);
    EXPECT_EQ(::GetObjectType(kept), DWORD(OBJ_PEN)) << "released, not deleted";
    ::DeleteObject(kept);
}

TEST(Graphics, ACanvasBorrowsADcAndGivesItBackAsItWas) {
    TBitmap target;
    target.SetSize(40, 20);
    OwnedDC dc(::CreateCompatibleDC(nullptr));
    HGDIOBJ original = ::SelectObject(dc.Get(), target.Handle());
    HGDIOBJ originalFont = ::GetCurrentObject(dc.Get(), OBJ_FONT);
    {
        TCanvas canvas;
        canvas.SetHandle(dc.Get());
        canvas.Font().SetColor(clWhite);
        canvas.Font().SetHeight(-14);
        canvas.Brush().SetColor(clBlack);
        canvas.TextOut(0, 0, "Ag");
        HGDIOBJ first = ::GetCurrentObject(dc.Get(), OBJ_FONT);
        EXPECT_NE(first, originalFont);
        canvas.Font().SetHeight(-12);  // the selected font is let go before it is deleted
        EXPECT_EQ(::GetObjectType(first), 0u) << "no font left behind";
        EXPECT_NE(::GetObjectType(::GetCurrentObject(dc.Get(), OBJ_FONT)), 0u) << "the DC never holds a deleted font";
        HBRUSH brush = canvas.Brush().Handle();
        canvas.FillRect(RECT{0, 0, 1, 1});
        canvas.Brush().SetColor(clRed);
        EXPECT_EQ(::GetObjectType(brush), 0u);
        EXPECT_NE(::GetObjectType(::GetCurrentObject(dc.Get(), OBJ_BRUSH)), 0u);
        canvas.TextOut(0, 0, "Ag");
        SIZE size = canvas.TextExtent("Ag");
        EXPECT_GT(size.cx, 0);
        canvas.SetHandle(nullptr);
        EXPECT_EQ(::GetCurrentObject(dc.Get(), OBJ_FONT), originalFont);
    }
    ::SelectObject(dc.Get(), original);
    bool white = false;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x) white |= target.Pixels().GetPixel(x, y) == raster::Rgb(255, 255, 255);
    EXPECT_TRUE(white) << "text in the font colour";
}

TEST(Graphics, ImageListsCutMaskAndDraw) {
    TBitmap strip;
    strip.SetSize(64, 16);
    strip.Pixels().Fill(raster::Rgb(255, 255, 255));
    for (int i = 0; i < 4; ++i) strip.Pixels().SetPixel(i * 16 + i, 5, raster::Rgb(0, 0, 0));
    TImageList list(nullptr);
    EXPECT_EQ(list.AddMasked(strip, clWhite), 0);
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(strip.Pixels().GetPixel(0, 0), raster::Rgb(255, 255, 255)) << "the source is left as it was";

    TBitmap canvas;
    canvas.SetSize(16, 16);
    canvas.Pixels().Fill(raster::Rgb(0, 0, 255));
    list.Draw(canvas.Canvas(), 0, 0, 2);
    EXPECT_EQ(canvas.Pixels().GetPixel(2, 5), raster::Rgb(0, 0, 0)) << "image 2's own pixel";
    EXPECT_EQ(canvas.Pixels().GetPixel(0, 0), raster::Rgb(0, 0, 255)) << "masked white stays out";
    const raster::Bitmap before = canvas.Pixels().Clone();
    list.Draw(canvas.Canvas(), 0, 0, 9);  // no such image: nothing happens
    list.Draw(canvas.Canvas(), 0, 0, -1);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) ASSERT_EQ(canvas.Pixels().GetPixel(x, y), before.GetPixel(x, y)) << x << "," << y;
    list.Delete(0);
    EXPECT_EQ(list.Count(), 3);
    list.SetSize(8, 8);
    EXPECT_EQ(list.Count(), 0);
}

TEST(Graphics, TimersFireFromTheMessageLoopWhileEnabled) {
    TTimer timer(nullptr);
    int ticks = 0;
    timer.SetInterval(20);
    timer.OnTimer = [&](TObject* sender) { ticks += sender == &timer; };
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 2; }));
    timer.SetEnabled(false);
    int stopped = ticks;
    Pump(100);
    EXPECT_EQ(ticks, stopped);
    {
        TTimer shortLived(nullptr);
        shortLived.SetInterval(10);
        shortLived.OnTimer = [&](TObject*) { ++ticks; };
    }
    Pump(60);
    EXPECT_EQ(ticks, stopped) << "a freed timer never fires";
}

TEST(Graphics, ListBoxItemsLiveWithAndWithoutAWindow) {
    TForm* form = CreateComponent<TForm>(Application);
    auto* list = new TListBox(form);
    list->SetParent(form);
    list->Items().Add("one");
    list->Items().Add("二");
    list->SetItemIndex(1);
    EXPECT_FALSE(list->HandleAllocated());
    HWND wnd = list->Handle();
    EXPECT_EQ(::SendMessageW(wnd, LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(list->ItemIndex(), 1);
    list->Items().Insert(0, "zero");
    EXPECT_EQ(list->Items().Text(), "zero\r\none\r\n二\r\n");
    EXPECT_THROW(list->Items().Get(3), EStringListError);
    list->Perform(CM_RECREATEWND);
    EXPECT_NE(list->Handle(), wnd);
    EXPECT_EQ(list->Items().Text(), "zero\r\none\r\n二\r\n") << "items survive a new window";
    EXPECT_EQ(list->ItemIndex(), 2);
    list->Clear();
    EXPECT_EQ(list->Items().Count(), 0);
    EXPECT_EQ(list->ItemIndex(), -1);
    delete form;
}

TEST(Graphics, AFormWritesItsDescriptionAndReadsItBack) {
    // Owned by no one, so that its name is the description's whatever other forms exist.
    std::unique_ptr<TTestForm1> owned(CreateComponent<TTestForm1>(nullptr));
    TTestForm1& form = *owned;
    std::string text = WriteComponent(form);
    for (const char* piece : {"object Form1: TTestForm1", "object Label1: TLabel", "Cursor = crHandPoint",
                              "Font.Style = [fsUnderline]", "Font.Charset = GB2312_CHARSET", "OnClick = Button1Click",
                              "Color = clBtnFace", "Caption = '隐藏窗口'"})
        EXPECT_NE(text.find(piece), std::string::npos) << piece << "\n" << text;
    auto* copy = new TTestForm1(nullptr);
    ReadComponent(*copy, text);
    ASSERT_NE(copy->Button1, nullptr);
    EXPECT_EQ(copy->Button1->Caption(), form.Button1->Caption());
    EXPECT_EQ(copy->Label1->Font().Color(), clPurple);
    EXPECT_EQ(copy->ListBox1->Items().Text(), form.ListBox1->Items().Text());
    EXPECT_EQ(copy->Button1->OnClick.name, "Button1Click");
    EXPECT_EQ(WriteComponent(*copy), text);
    delete copy;
}

TEST(Graphics, BitmapResourcesLoadWithTheirPalette) {
    TBitmap bmp;
    EXPECT_FALSE(bmp.LoadFromResourceName(::GetModuleHandleW(nullptr), "NOSUCHBITMAP"));
    ASSERT_TRUE(bmp.LoadFromResourceName(::GetModuleHandleW(nullptr), "PALETTE8"));
    ASSERT_EQ(bmp.Width(), 5);
    ASSERT_EQ(bmp.Height(), 3);
    // Palette entry i is (red 7i, green 255 - i, blue i); rows are stored bottom-up.
    auto entry = [](int i) { return raster::Rgb((i * 7) & 255, 255 - i, i); };
    EXPECT_EQ(bmp.Pixels().GetPixel(0, 0), entry(0));
    EXPECT_EQ(bmp.Pixels().GetPixel(4, 0), entry(4));
    EXPECT_EQ(bmp.Pixels().GetPixel(2, 1), entry(30));
    EXPECT_EQ(bmp.Pixels().GetPixel(0, 2), entry(255));
    EXPECT_EQ(bmp.Pixels().GetPixel(4, 2), entry(251));
}

TEST(Graphics, CanvasShapesUseThePenAndBrush) {
    TBitmap bmp;
    bmp.SetSize(20, 20);
    TCanvas& c = bmp.Canvas();
    c.Pen().SetColor(clRed);
    c.Brush().SetColor(clLime);
    POINT triangle[] = {{2, 2}, {17, 2}, {2, 17}};
    c.Polygon(triangle, 3);
    EXPECT_EQ(bmp.Pixels().GetPixel(9, 2), raster::Rgb(255, 0, 0)) << "outline in the pen colour";
    EXPECT_EQ(bmp.Pixels().GetPixel(5, 5), raster::Rgb(0, 255, 0)) << "inside in the brush colour";
    EXPECT_EQ(bmp.Pixels().GetPixel(16, 16), 0u);
    RECT clip = c.ClipRect();
    EXPECT_EQ(clip.right, 20);
    EXPECT_EQ(clip.bottom, 20);
}

TEST(Graphics, ImageListsLoadMonochromeGlyphResourcesWithAMaskColour) {
    TImageList list(nullptr);
    EXPECT_FALSE(list.LoadFromResourceName(::GetModuleHandleW(nullptr), "NOSUCHBITMAP", 16, clWhite));
    ASSERT_TRUE(list.LoadFromResourceName(::GetModuleHandleW(nullptr), "GLYPHS1", 16, clWhite));
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Width(), 16);
    EXPECT_EQ(list.Height(), 16);
    for (int i = 0; i < 4; ++i) {
        TBitmap canvas;
        canvas.SetSize(16, 16);
        canvas.Pixels().Fill(raster::Rgb(0, 0, 255));
        list.Draw(canvas.Canvas(), 0, 0, i);
        // Each glyph has one black pixel at (i + 1, 3); its white is the mask.
        EXPECT_EQ(canvas.Pixels().GetPixel(i + 1, 3), raster::Rgb(0, 0, 0)) << i;
        EXPECT_EQ(canvas.Pixels().GetPixel(i + 2, 3), raster::Rgb(0, 0, 255)) << i;
        EXPECT_EQ(canvas.Pixels().GetPixel(0, 0), raster::Rgb(0, 0, 255)) << i;
    }
}
