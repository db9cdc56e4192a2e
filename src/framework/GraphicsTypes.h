// Colours, character sets, cursors and font styles as descriptions name them.
// Portable: the skin model resolves colours without a window system.
#pragma once

#include <cstdint>

#include "framework/TypInfo.h"

namespace tv {

// COLORREF layout (red in bits 0-7); a value with bit 31 set names system colour
// (value & 0xFF), resolved through the current system colours.
using TColor = std::int32_t;

inline constexpr TColor SystemColor(int index) { return TColor(0x80000000u | std::uint32_t(index)); }

inline constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                        clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                        clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                        clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF,
                        clNone = 0x1FFFFFFF, clDefault = 0x20000000;
inline constexpr TColor clScrollBar = SystemColor(0), clBackground = SystemColor(1),
                        clActiveCaption = SystemColor(2), clInactiveCaption = SystemColor(3),
                        clMenu = SystemColor(4), clWindow = SystemColor(5), clWindowFrame = SystemColor(6),
                        clMenuText = SystemColor(7), clWindowText = SystemColor(8),
                        clCaptionText = SystemColor(9), clActiveBorder = SystemColor(10),
                        clInactiveBorder = SystemColor(11), clAppWorkSpace = SystemColor(12),
                        clHighlight = SystemColor(13), clHighlightText = SystemColor(14),
                        clBtnFace = SystemColor(15), clBtnShadow = SystemColor(16), clGrayText = SystemColor(17),
                        clBtnText = SystemColor(18), clInactiveCaptionText = SystemColor(19),
                        clBtnHighlight = SystemColor(20), cl3DDkShadow = SystemColor(21),
                        cl3DLight = SystemColor(22), clInfoText = SystemColor(23), clInfoBk = SystemColor(24),
                        clHotLight = SystemColor(26), clGradientActiveCaption = SystemColor(27),
                        clGradientInactiveCaption = SystemColor(28), clMenuHighlight = SystemColor(29),
                        clMenuBar = SystemColor(30);

// Plain RGB (COLORREF) of a colour; system colours are looked up now.
std::uint32_t ColorToRGB(TColor color);
const TEnumInfo& ColorIdents();

const TEnumInfo& CharsetIdents();

enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
const TEnumInfo& FontStyleType();

// Cursors: 0 is the default of the control's class; negative values are the stock shapes.
enum TCursor : int {
    crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6, crSizeNS = -7,
    crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11, crDrag = -12, crNoDrop = -13,
    crHSplit = -14, crVSplit = -15, crMultiDrag = -16, crSQLWait = -17, crNo = -18, crAppStart = -19,
    crHelp = -20, crHandPoint = -21, crSizeAll = -22,
};
const TEnumInfo& CursorType();

}  // namespace tv
