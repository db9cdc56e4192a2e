#include "framework/GraphicsTypes.h"

#include "base/System.h"

namespace tv {

std::uint32_t ColorToRGB(TColor color) {
    std::uint32_t v = std::uint32_t(color);
    if (v & 0x80000000u) return sys::SysColor(int(v & 0xFF));
    return v & 0xFFFFFF;
}

const TEnumInfo& ColorIdents() {
    static const TEnumInfo info{
        "TColor",
        {{"clBlack", clBlack}, {"clMaroon", clMaroon}, {"clGreen", clGreen}, {"clOlive", clOlive},
         {"clNavy", clNavy}, {"clPurple", clPurple}, {"clTeal", clTeal}, {"clGray", clGray},
         {"clSilver", clSilver}, {"clRed", clRed}, {"clLime", clLime}, {"clYellow", clYellow},
         {"clBlue", clBlue}, {"clFuchsia", clFuchsia}, {"clAqua", clAqua}, {"clWhite", clWhite},
         {"clNone", clNone}, {"clDefault", clDefault}, {"clScrollBar", clScrollBar},
         {"clBackground", clBackground}, {"clActiveCaption", clActiveCaption},
         {"clInactiveCaption", clInactiveCaption}, {"clMenu", clMenu}, {"clWindow", clWindow},
         {"clWindowFrame", clWindowFrame}, {"clMenuText", clMenuText}, {"clWindowText", clWindowText},
         {"clCaptionText", clCaptionText}, {"clActiveBorder", clActiveBorder},
         {"clInactiveBorder", clInactiveBorder}, {"clAppWorkSpace", clAppWorkSpace},
         {"clHighlight", clHighlight}, {"clHighlightText", clHighlightText}, {"clBtnFace", clBtnFace},
         {"clBtnShadow", clBtnShadow}, {"clGrayText", clGrayText}, {"clBtnText", clBtnText},
         {"clInactiveCaptionText", clInactiveCaptionText}, {"clBtnHighlight", clBtnHighlight},
         {"cl3DDkShadow", cl3DDkShadow}, {"cl3DLight", cl3DLight}, {"clInfoText", clInfoText},
         {"clInfoBk", clInfoBk}, {"clHotLight", clHotLight},
         {"clGradientActiveCaption", clGradientActiveCaption},
         {"clGradientInactiveCaption", clGradientInactiveCaption}, {"clMenuHighlight", clMenuHighlight},
         {"clMenuBar", clMenuBar}}};
    return info;
}

const TEnumInfo& CharsetIdents() {
    static const TEnumInfo info{"TFontCharset",
                                {{"ANSI_CHARSET", 0}, {"DEFAULT_CHARSET", 1}, {"SYMBOL_CHARSET", 2},
                                 {"MAC_CHARSET", 77}, {"SHIFTJIS_CHARSET", 128}, {"HANGEUL_CHARSET", 129},
                                 {"JOHAB_CHARSET", 130}, {"GB2312_CHARSET", 134}, {"CHINESEBIG5_CHARSET", 136},
                                 {"GREEK_CHARSET", 161}, {"TURKISH_CHARSET", 162}, {"VIETNAMESE_CHARSET", 163},
                                 {"HEBREW_CHARSET", 177}, {"ARABIC_CHARSET", 178}, {"BALTIC_CHARSET", 186},
                                 {"RUSSIAN_CHARSET", 204}, {"THAI_CHARSET", 222}, {"EASTEUROPE_CHARSET", 238},
                                 {"OEM_CHARSET", 255}}};
    return info;
}

const TEnumInfo& FontStyleType() {
    static const TEnumInfo info =
        TEnumInfo::Sequential("TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
    return info;
}

const TEnumInfo& CursorType() {
    static const TEnumInfo info{
        "TCursor",
        {{"crDefault", crDefault}, {"crNone", crNone}, {"crArrow", crArrow}, {"crCross", crCross},
         {"crIBeam", crIBeam}, {"crSizeNESW", crSizeNESW}, {"crSizeNS", crSizeNS}, {"crSizeNWSE", crSizeNWSE},
         {"crSizeWE", crSizeWE}, {"crUpArrow", crUpArrow}, {"crHourGlass", crHourGlass}, {"crDrag", crDrag},
         {"crNoDrop", crNoDrop}, {"crHSplit", crHSplit}, {"crVSplit", crVSplit}, {"crMultiDrag", crMultiDrag},
         {"crSQLWait", crSQLWait}, {"crNo", crNo}, {"crAppStart", crAppStart}, {"crHelp", crHelp},
         {"crHandPoint", crHandPoint}, {"crSizeAll", crSizeAll}}};
    return info;
}

}  // namespace tv
