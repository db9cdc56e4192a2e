#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <new>
#include <stdexcept>

#include "app/Unit1.h"
#include "base/Ascii.h"
#include "base/LittleEndian.h"
#include "lzhenc/LzhEncode.h"
#include "lzhenc/SkinArchive.h"
#include "skin/core/WinSkinData.h"

using namespace skin;

namespace {

std::uint32_t Bits(TSkinControlTypes s) { return std::uint32_t(s.Bits()); }

TForm1* MainWindow() {
    static bool made = false;
    if (!made) {
        made = true;
        tv::InitFramework();
        tv::RegisterFrameworkClasses();
        tv::Application->CreateForm(Form1);
    }
    return Form1;
}

const tv::TObjectNode* FindChild(const tv::TObjectNode& node, const std::string& name) {
    for (const auto& c : node.children)
        if (c.name == name) return &c;
    return nullptr;
}

const tv::TPropertyNode* FindProp(const tv::TObjectNode& node, const std::string& name) {
    for (const auto& p : node.props)
        if (p.name == name) return &p;
    return nullptr;
}

// A container read from a description of its own (Loaded runs at the end).
std::unique_ptr<TSkinData> ReadContainer(const std::string& body) {
    auto data = std::make_unique<TSkinData>(nullptr);
    tv::ReadComponent(*data, "object SkinData2: TSkinData\n" + body + "end\n");
    return data;
}

// A container whose load fails at its last step with what make() throws: none of the
// skin's own errors, as a low-memory machine or a fault in a later step would.
template <class Make>
class FailingSkinData : public TSkinData {
public:
    explicit FailingSkinData(Make make) : TSkinData(nullptr), make_(make) {}

protected:
    void ReplaceFaceBrush() override { make_(); }

private:
    Make make_;
};

// The binary property's bytes for a packed skin: 32-bit count, then the skin.
void WriteStoredSkin(tv::TStream& stream, const std::vector<std::uint8_t>& packed) {
    stream.WriteInt32(std::int32_t(packed.size()));
    stream.WriteBuffer(packed.data(), packed.size());
    stream.Seek(0, 0);
}

}  // namespace

TEST(MainWindow, ContainerHoldsTheStoredSettingsAndAParsedSkin) {
    TForm1* form = MainWindow();
    ASSERT_NE(form, nullptr);
    TSkinData* data = form->SkinData1;
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->Owner(), form);
    EXPECT_EQ(data->Name(), "SkinData1");
    EXPECT_TRUE(data->Active()) << "a parsed skin keeps the stored Active";
    EXPECT_EQ(data->DisableTag, 99);
    EXPECT_EQ(Bits(data->SkinControls), 0x001FFFFBu);
    EXPECT_EQ(data->Options.Bits(), 0x0048u);
    EXPECT_EQ(data->SkinFormtype, TSkinFormType::sfMainform);
    EXPECT_EQ(data->Version(), "4.86.06.13");
    EXPECT_TRUE(data->MenuUpdate);
    EXPECT_FALSE(data->MenuMerge);
    EXPECT_EQ(data->SkinStore(), "(none)") << "the stored '(Good)' is not kept at run time";
    EXPECT_TRUE(data->SkinFile().empty());

    EXPECT_FALSE(data->SkinEmpty);
    EXPECT_TRUE(data->LoadError.empty()) << data->LoadError;
    EXPECT_EQ(data->SkinName, "Tovalin Daylight");
    EXPECT_FALSE(data->BorderTop->Bitmap.Empty());
    EXPECT_NE(data->BorderTop->Bitmap.Handle(), nullptr) << "skin images are DIB sections GDI can draw";
    EXPECT_GT(data->SysButtons.size(), 3u);
    EXPECT_NE(data->FaceBrush(), nullptr);
    LOGBRUSH lb{};
    ASSERT_EQ(::GetObjectW(data->FaceBrush(), sizeof lb, &lb), int(sizeof lb));
    EXPECT_EQ(lb.lbColor, tv::ColorToRGB(data->SkinColors.ButtonFace));

    ASSERT_EQ(data->Skin3rd().Count(), 117);
    for (int i = 0; i < 117; ++i) EXPECT_EQ(data->Skin3rd()[i], DefaultSkin3rd()[std::size_t(i)]) << i;
}

TEST(MainWindow, DescriptionWrittenAndReadBackKeepsTheSkinByteForByte) {
    TSkinData* data = MainWindow()->SkinData1;
    const std::vector<std::uint8_t> packed = data->SkinStream.Bytes();
    ASSERT_GT(packed.size(), 1000u);

    const tv::TObjectNode written = tv::ParseDescription(tv::WriteComponent(*MainWindow()));
    const tv::TObjectNode* node = FindChild(written, "SkinData1");
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->className, "TSkinData");
    const tv::TPropertyNode* stream = FindProp(*node, "SkinStream");
    ASSERT_NE(stream, nullptr);
    ASSERT_EQ(stream->value.binary.size(), packed.size() + 4);
    EXPECT_EQ(base::le::U32At(stream->value.binary, 0), packed.size());
    EXPECT_TRUE(std::equal(packed.begin(), packed.end(), stream->value.binary.begin() + 4));
    const tv::TPropertyNode* lines = FindProp(*node, "Skin3rd.Strings");
    ASSERT_NE(lines, nullptr);
    EXPECT_EQ(lines->value.list.size(), 117u);
    for (const char* name : {"Active", "DisableTag", "SkinControls", "Options", "SkinFormtype", "Version",
                             "MenuUpdate", "MenuMerge"})
        EXPECT_NE(FindProp(*node, name), nullptr) << name << " is always stored";

    // Read into a new container: the same bytes, parsed again.
    TSkinData copy(nullptr);
    tv::ReadComponent(copy, *node);
    EXPECT_EQ(copy.SkinStream.Bytes(), packed);
    EXPECT_FALSE(copy.SkinEmpty);
    EXPECT_EQ(copy.SkinName, data->SkinName);
    EXPECT_TRUE(copy.Active());
    EXPECT_EQ(Bits(copy.SkinControls), Bits(data->SkinControls));
    EXPECT_EQ(copy.Skin3rd().Count(), 117) << "read lines replace the defaults";
    const tv::TObjectNode again = tv::WriteComponentNode(copy);
    EXPECT_EQ(FindProp(again, "SkinStream")->value.binary, stream->value.binary);
}

TEST(Container, DefaultsOfANewContainer) {
    MainWindow();
    TSkinData d(nullptr);
    EXPECT_FALSE(d.Active());
    EXPECT_TRUE(d.SkinEmpty);
    EXPECT_EQ(d.DisableTag, 99);
    EXPECT_EQ(Bits(d.SkinControls), 0x001FFFFBu);
    EXPECT_FALSE(d.SkinControls.Contains(TSkinControlType::xcMenuItem));
    EXPECT_FALSE(d.SkinControls.Contains(TSkinControlType::xcFastReport));
    EXPECT_TRUE(d.Options.Contains(TSkinOption::xoPreview));
    EXPECT_TRUE(d.Options.Contains(TSkinOption::xoToolbarBK));
    EXPECT_EQ(d.Options.Bits(), 0x48u);
    EXPECT_TRUE(d.MenuUpdate);
    EXPECT_FALSE(d.MenuMerge);
    EXPECT_TRUE(d.FramePainting);
    EXPECT_EQ(d.SkinFormtype, TSkinFormType::sfMainform);
    EXPECT_EQ(d.FaceBrush(), nullptr);
    EXPECT_EQ(d.Buttons->Name, "Buttons");
    EXPECT_EQ(d.BorderBottom->Name, "Bottom");
    EXPECT_EQ(d.Title->Name, "Title");
    EXPECT_FALSE(d.Progress);
    EXPECT_EQ(d.SkinColors.ButtonFace, 0) << "no colours before the first load";

    // 117 lines; three classes twice, every other once.
    ASSERT_EQ(d.Skin3rd().Count(), 117);
    std::map<std::string, int> seen;
    for (int i = 0; i < d.Skin3rd().Count(); ++i) {
        const std::string line = d.Skin3rd()[i];
        const auto eq = line.find('=');
        ASSERT_NE(eq, std::string::npos) << line;
        ++seen[line.substr(0, eq)];
    }
    EXPECT_EQ(seen.size(), 114u);
    EXPECT_EQ(seen["TDBCheckboxEh"], 2);
    EXPECT_EQ(seen["TLMDFontSizeCombobox"], 2);
    EXPECT_EQ(seen["TWWDBCombobox"], 2);
    EXPECT_EQ(d.Skin3rd()[0], "TCategoryButtons=scrollbar");
    EXPECT_EQ(base::AsciiLower(d.Skin3rd().Values("TRzRadioGroup")), "radiogroup");
    EXPECT_EQ(base::AsciiLower(d.Skin3rd().Values("TcxButton")), "bitbtn");

    // The system menu glyphs: four 16-pixel images.
    EXPECT_EQ(d.MenuGlyphs().Count(), 4);
    EXPECT_EQ(d.MenuGlyphs().Width(), 16);

    // Written values that are ignored.
    d.SetSkinStore("(Good)");
    d.SetVersion("1.0");
    EXPECT_EQ(d.SkinStore(), "(none)");
    EXPECT_EQ(d.Version(), "4.86.06.13");
}

TEST(Container, LoadedAdjustsTheControlSet) {
    MainWindow();
    auto a = ReadContainer("  SkinControls = [xcMainMenu, xcMenuItem, xcSystemMenu]\n");
    EXPECT_EQ(Bits(a->SkinControls), (1u << 0) | (1u << 20));
    auto b = ReadContainer("  SkinControls = [xcMenuItem, xcSystemMenu]\n");
    EXPECT_EQ(Bits(b->SkinControls), 1u << 2);
    auto c = ReadContainer("  SkinControls = [xcScrollbar, xcMainMenu]\n");
    EXPECT_EQ(c->SkinControls.Contains(TSkinControlType::xcScrollbar), User32Entries().GetScrollBarInfo != nullptr);

    // Only a main skin adjusts the menu members and captures the icon; the others stop
    // once they have joined the skin manager.
    HWND app = tv::Application->Handle();
    HICON icon = ::LoadIconW(nullptr, MAKEINTRESOURCEW(32516));  // IDI_INFORMATION
    HICON old = reinterpret_cast<HICON>(::SendMessageW(app, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
    auto main = ReadContainer("  SkinControls = [xcMainMenu]\n");
    EXPECT_GT(main->AppIcon.Width(), 0) << "a main skin captures the program's icon";
    for (const char* type : {"sfOnlyThisForm", "sfDialog", "sfDLL"}) {
        auto d = ReadContainer(std::string("  SkinFormtype = ") + type +
                               "\n  SkinControls = [xcMainMenu, xcMenuItem, xcSystemMenu]\n");
        EXPECT_EQ(Bits(d->SkinControls), (1u << 0) | (1u << 2) | (1u << 20)) << type;
        auto e = ReadContainer(std::string("  SkinFormtype = ") + type + "\n  SkinControls = [xcMenuItem, xcSystemMenu]\n");
        EXPECT_EQ(Bits(e->SkinControls), (1u << 2) | (1u << 20)) << type;
        EXPECT_EQ(d->AppIcon.Width(), 0) << type;
    }
    ::SendMessageW(app, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(old));
}

TEST(Container, WithoutAStoredSkinActiveIsSwitchedOff) {
    MainWindow();
    auto empty = ReadContainer("  Active = True\n  SkinStream = {00000000}\n");
    EXPECT_TRUE(empty->SkinStream.Bytes().empty());
    EXPECT_TRUE(empty->SkinEmpty);
    EXPECT_FALSE(empty->Active());
    auto none = ReadContainer("  Active = True\n");
    EXPECT_FALSE(none->Active());
    auto negative = ReadContainer("  Active = True\n  SkinStream = {FFFFFFFF}\n");
    EXPECT_TRUE(negative->SkinStream.Bytes().empty()) << "a negative count reads nothing";
    EXPECT_THROW(ReadContainer("  SkinStream = {FFFFFF7F0102}\n"), tv::EReadError)
        << "a count beyond the stored bytes is a damaged description";
    auto dialog = ReadContainer("  Active = True\n  SkinFormtype = sfDialog\n");
    EXPECT_TRUE(dialog->Active()) << "only a main skin is switched off";
    // Set at run time, Active is only stored: the skin manager acts on it.
    dialog->SetActive(false);
    EXPECT_FALSE(dialog->Active());
}

TEST(Container, ADamagedStoredSkinLeavesTheFormLoadable) {
    MainWindow();
    // A packed skin whose caption image is not a BMP.
    const std::string ini = "[Personality]\r\nTop=top.bmp\r\n";
    const std::string junk = "BM but nothing of a bitmap";
    const std::vector<lzhenc::ArchiveMember> members = {
        {"skin.ini", std::vector<std::uint8_t>(ini.begin(), ini.end())},
        {"top.bmp", std::vector<std::uint8_t>(junk.begin(), junk.end())}};
    const std::vector<std::uint8_t> packed = lzhenc::Pack(lzhenc::BuildArchive(20000, members));
    std::string hex;
    const char* digits = "0123456789ABCDEF";
    auto put = [&](std::uint8_t b) {
        hex += digits[b >> 4];
        hex += digits[b & 15];
    };
    for (int k = 0; k < 4; ++k) put(std::uint8_t(packed.size() >> (8 * k)));
    for (std::uint8_t b : packed) put(b);
    std::unique_ptr<TSkinData> damaged;
    ASSERT_NO_THROW(damaged = ReadContainer("  Active = True\n  SkinStream = {" + hex + "}\n"));
    EXPECT_TRUE(damaged->SkinEmpty);
    EXPECT_FALSE(damaged->Active());
    EXPECT_NE(damaged->LoadError.find("top.bmp"), std::string::npos) << damaged->LoadError;
    EXPECT_EQ(damaged->SkinStream.Bytes(), packed) << "the stored bytes are kept as they were";
}

TEST(Container, AnyFailureOfALoadIsItsLoadError) {
    const std::vector<std::uint8_t>& packed = MainWindow()->SkinData1->SkinStream.Bytes();
    ASSERT_FALSE(packed.empty());
    auto check = [&](TSkinData& d, const char* failure, const char* mentioned) {
        SCOPED_TRACE(failure);
        tv::TMemoryStream stored;
        WriteStoredSkin(stored, packed);
        ASSERT_NO_THROW(d.ReadSkinStream(stored));
        EXPECT_TRUE(d.SkinEmpty);
        EXPECT_NE(d.LoadError.find(mentioned), std::string::npos) << d.LoadError;
        EXPECT_EQ(d.SkinStream.Bytes(), packed) << "the stored bytes are kept as they were";

        // The same through a skin file.
        const auto path = std::filesystem::temp_directory_path() / "tv-skindata-failing.skn";
        {
            std::ofstream out(path, std::ios::binary);
            out.write(reinterpret_cast<const char*>(packed.data()), std::streamsize(packed.size()));
        }
        d.LoadError.clear();
        ASSERT_NO_THROW(d.SetSkinFile(path.string()));
        std::filesystem::remove(path);
        EXPECT_TRUE(d.SkinEmpty);
        EXPECT_NE(d.LoadError.find(mentioned), std::string::npos) << d.LoadError;
    };
    FailingSkinData noMemory([] { throw std::bad_alloc(); });
    check(noMemory, "bad_alloc", "memory");
    FailingSkinData runtime([] { throw std::runtime_error("face brush failed"); });
    check(runtime, "runtime_error", "face brush failed");
    FailingSkinData foreign([] { throw 42; });
    check(foreign, "not an exception class", "could not be loaded");

    // The same container without the fault loads the skin: the fault alone stopped it.
    TSkinData sound(nullptr);
    tv::TMemoryStream stored;
    WriteStoredSkin(stored, packed);
    sound.ReadSkinStream(stored);
    EXPECT_FALSE(sound.SkinEmpty);
    EXPECT_TRUE(sound.LoadError.empty()) << sound.LoadError;
}

TEST(Container, QueryFormSkinRules) {
    MainWindow();
    TSkinData d(nullptr);
    bool doSkin = true;
    d.QueryFormSkin(nullptr, "SysMonthCal32", doSkin);
    EXPECT_FALSE(doSkin);
    doSkin = true;
    d.QueryFormSkin(nullptr, "TfrPreviewForm", doSkin);
    EXPECT_TRUE(doSkin) << "skinned unless xcFastReport is in";
    d.SkinControls.Include(TSkinControlType::xcFastReport);
    d.QueryFormSkin(nullptr, "TfrPreviewForm", doSkin);
    EXPECT_FALSE(doSkin);
    doSkin = true;
    d.QueryFormSkin(nullptr, "tfrPreviewForm", doSkin);
    EXPECT_TRUE(doSkin) << "the prefix is case-sensitive";
    doSkin = false;
    d.QueryFormSkin(nullptr, "TForm1", doSkin);
    EXPECT_FALSE(doSkin) << "otherwise the caller's value stands";

    std::vector<std::string> asked;
    d.OnFormSkin = [&](tv::TObject* sender, const std::string& name, bool&) {
        EXPECT_EQ(sender, &d);
        asked.push_back(name);
    };
    doSkin = true;
    d.QueryFormSkin(nullptr, "SysMonthCal32", doSkin);
    EXPECT_TRUE(doSkin) << "the handler decides alone";
    EXPECT_EQ(asked, std::vector<std::string>{"SysMonthCal32"});

    int changed = 0;
    d.NotifySkinChanged();
    d.OnSkinChanged = [&](tv::TObject* sender) {
        EXPECT_EQ(sender, &d);
        ++changed;
    };
    d.NotifySkinChanged();
    EXPECT_EQ(changed, 1);
}

TEST(Container, SkinFileReplacesTheSkin) {
    TSkinData* stored = MainWindow()->SkinData1;
    const auto path = std::filesystem::temp_directory_path() / "tv-skindata-test.skn";
    {
        std::ofstream out(path, std::ios::binary);
        const auto& bytes = stored->SkinStream.Bytes();
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    TSkinData d(nullptr);
    d.SetSkinFile(path.string());
    EXPECT_EQ(d.SkinFile(), path.string());
    EXPECT_FALSE(d.SkinEmpty);
    EXPECT_EQ(d.SkinName, stored->SkinName);
    EXPECT_EQ(d.SkinStream.Bytes(), stored->SkinStream.Bytes());
    std::filesystem::remove(path);

    d.SetSkinFile(path.string());
    EXPECT_TRUE(d.SkinEmpty) << "a missing file loads nothing";
    EXPECT_EQ(d.SkinName, stored->SkinName) << "and changes nothing else";
}

TEST(Helpers, TextControlsAndOptionalEntryPoints) {
    TForm1* form = MainWindow();
    EXPECT_EQ(AnsiToWide("宋体 ok"), std::wstring(L"宋体 ok"));
    EXPECT_EQ(AnsiToWide(""), std::wstring());

    const tv::OwnedDC dc(::CreateCompatibleDC(nullptr));
    RECT r{0, 0, 200, 50};
    EXPECT_GT(DrawTextWide(dc.Get(), L"隐藏窗口", r, DT_CALCRECT | DT_SINGLELINE), 0);
    EXPECT_GT(r.right, 0);

    EXPECT_EQ(ControlFromHandle(nullptr), nullptr);
    EXPECT_EQ(ControlFromHandle(form->ListBox1->Handle()), form->ListBox1);
    EXPECT_EQ(ControlFromHandle(form->Handle()), form);
    EXPECT_EQ(ControlFromHandle(::GetDesktopWindow()), nullptr);

    ASSERT_NE(User32Entries().GetScrollBarInfo, nullptr) << "every system we run on has it";
    EXPECT_NE(User32Entries().TrackMouseEvent, nullptr);
    EXPECT_NE(User32Entries().GetComboBoxInfo, nullptr);
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    EXPECT_TRUE(QueryScrollBarInfo(form->ListBox1->Handle(), OBJID_VSCROLL, info));
    TrackMouseLeave(form->Handle());  // must not fail without the mouse over it
}

TEST(Helpers, AppIconCapturedOnMagenta) {
    TForm1* form = MainWindow();
    TSkinData* data = form->SkinData1;
    HWND app = tv::Application->Handle();
    HICON icon = ::LoadIconW(nullptr, MAKEINTRESOURCEW(32516));  // IDI_INFORMATION
    HICON old = reinterpret_cast<HICON>(::SendMessageW(app, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
    data->CaptureAppIcon();
    ::SendMessageW(app, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(old));
    ASSERT_EQ(data->AppIcon.Width(), ::GetSystemMetrics(SM_CXSMICON));
    ASSERT_EQ(data->AppIcon.Height(), ::GetSystemMetrics(SM_CYSMICON));
    EXPECT_TRUE(data->AppIcon.Transparent);
    EXPECT_EQ(data->AppIcon.TransparentColor, tv::clFuchsia);
    const raster::Bitmap& px = data->AppIcon.Pixels();
    int magenta = 0, other = 0;
    for (int y = 0; y < px.Height(); ++y)
        for (int x = 0; x < px.Width(); ++x) ((px.GetPixel(x, y) & 0xFFFFFF) == 0xFF00FF ? magenta : other)++;
    EXPECT_GT(other, 0) << "the icon is drawn";
    EXPECT_GT(magenta, 0) << "on magenta where it is transparent";
}
