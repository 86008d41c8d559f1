// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

// Colours as the components store them: 0x00BBGGRR values, where 0x800000nn
// names a system colour (nn the system colour index), mapped to the matching
// role of the widget's palette.
class ColorRef
{
public:
    static constexpr std::uint32_t SystemFlag = 0x80000000u;

    static QColor toQColor(std::uint32_t value, const QPalette& palette = QPalette());
    static std::uint32_t fromQColor(const QColor& color);
    static bool isSystem(std::uint32_t value) { return (value & 0xFF000000u) == SystemFlag; }
};

// Named values used by the components.
namespace Colors {
constexpr std::uint32_t Black = 0x000000, Maroon = 0x000080, Green = 0x008000, Olive = 0x008080,
                        Navy = 0x800000, Purple = 0x800080, Teal = 0x808000, Gray = 0x808080,
                        Silver = 0xC0C0C0, Red = 0x0000FF, Lime = 0x00FF00, Yellow = 0x00FFFF,
                        Blue = 0xFF0000, Fuchsia = 0xFF00FF, Aqua = 0xFFFF00, White = 0xFFFFFF;
// System colours (0x80000000 + index).
constexpr std::uint32_t ScrollBar = 0x80000000, Background = 0x80000001, ActiveCaption = 0x80000002,
                        InactiveCaption = 0x80000003, Menu = 0x80000004, Window = 0x80000005,
                        WindowFrame = 0x80000006, MenuText = 0x80000007, WindowText = 0x80000008,
                        CaptionText = 0x80000009, ActiveBorder = 0x8000000A,
                        InactiveBorder = 0x8000000B, AppWorkSpace = 0x8000000C,
                        Highlight = 0x8000000D, HighlightText = 0x8000000E, BtnFace = 0x8000000F,
                        BtnShadow = 0x80000010, GrayText = 0x80000011, BtnText = 0x80000012,
                        InactiveCaptionText = 0x80000013, BtnHighlight = 0x80000014,
                        DkShadow3D = 0x80000015, Light3D = 0x80000016, InfoText = 0x80000017,
                        InfoBk = 0x80000018;
} // namespace Colors
