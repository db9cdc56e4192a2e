#include <gtest/gtest.h>

#include "framework/GraphicsTypes.h"
#include "base/System.h"

using namespace tv;

TEST(GraphicsTypes, ColoursResolveSystemIndicesAndKeepPlainValues) {
    EXPECT_EQ(ColorToRGB(clPurple), 0x800080u);
    EXPECT_EQ(ColorToRGB(clBlue), 0xFF0000u);
    EXPECT_EQ(ColorToRGB(clBtnFace), sys::SysColor(sys::color::BtnFace));
    EXPECT_EQ(ColorToRGB(clWindowText), sys::SysColor(sys::color::WindowText));
    EXPECT_EQ(ColorToRGB(TColor(0x12345678)), 0x345678u) << "the top byte is not colour";
    EXPECT_LT(clBtnFace, 0) << "system colours are negative";
    std::int64_t v = 0;
    ASSERT_TRUE(ColorIdents().ValueOf("CLBTNFACE", v));
    EXPECT_EQ(v, std::int64_t(clBtnFace));
    EXPECT_EQ(ColorIdents().NameOf(clPurple), "clPurple");
    EXPECT_EQ(ColorIdents().NameOf(0x123456), "");
    ASSERT_TRUE(CharsetIdents().ValueOf("GB2312_CHARSET", v));
    EXPECT_EQ(v, 134);
    ASSERT_TRUE(CursorType().ValueOf("crHandPoint", v));
    EXPECT_EQ(v, crHandPoint);
    EXPECT_EQ(FontStyleType().NameOf(2), "fsUnderline");
}
