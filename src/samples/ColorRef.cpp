// SPDX-License-Identifier: GPL-3.0-or-later
#include "samples/ColorRef.h"

#include <array>

namespace {

// System colour index -> palette group and role.
struct SystemRole
{
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

constexpr std::array<SystemRole, 25> kSystemRoles{{
    {QPalette::Active, QPalette::Button},            // scroll bar
    {QPalette::Active, QPalette::Window},            // desktop background
    {QPalette::Active, QPalette::Highlight},         // active caption
    {QPalette::Inactive, QPalette::Highlight},       // inactive caption
    {QPalette::Active, QPalette::Window},            // menu
    {QPalette::Active, QPalette::Base},              // window
    {QPalette::Active, QPalette::Shadow},            // window frame
    {QPalette::Active, QPalette::WindowText},        // menu text
    {QPalette::Active, QPalette::Text},              // window text
    {QPalette::Active, QPalette::HighlightedText},   // caption text
    {QPalette::Active, QPalette::Button},            // active border
    {QPalette::Inactive, QPalette::Button},          // inactive border
    {QPalette::Active, QPalette::Dark},              // application workspace
    {QPalette::Active, QPalette::Highlight},         // highlight
    {QPalette::Active, QPalette::HighlightedText},   // highlight text
    {QPalette::Active, QPalette::Button},            // button face
    {QPalette::Active, QPalette::Dark},              // button shadow
    {QPalette::Disabled, QPalette::Text},            // grey text
    {QPalette::Active, QPalette::ButtonText},        // button text
    {QPalette::Inactive, QPalette::HighlightedText}, // inactive caption text
    {QPalette::Active, QPalette::Light},             // button highlight
    {QPalette::Active, QPalette::Shadow},            // 3-D dark shadow
    {QPalette::Active, QPalette::Midlight},          // 3-D light
    {QPalette::Active, QPalette::ToolTipText},       // tooltip text
    {QPalette::Active, QPalette::ToolTipBase},       // tooltip background
}};

} // namespace

QColor ColorRef::toQColor(std::uint32_t value, const QPalette& palette)
{
    if (isSystem(value)) {
        const std::uint32_t index = value & 0xFFu;
        if (index >= kSystemRoles.size())
            return QColor();
        return palette.color(kSystemRoles[index].group, kSystemRoles[index].role);
    }
    return QColor(int(value & 0xFFu), int((value >> 8) & 0xFFu), int((value >> 16) & 0xFFu));
}

std::uint32_t ColorRef::fromQColor(const QColor& color)
{
    return std::uint32_t(color.red()) | (std::uint32_t(color.green()) << 8) |
           (std::uint32_t(color.blue()) << 16);
}
