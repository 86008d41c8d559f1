// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>

// Makes a locale the default for as long as the scope lives and then puts
// back the one it replaced, also when a comparison fails and leaves the test
// function early.
class LocaleScope
{
public:
    explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(m_previous); }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;

private:
    const QLocale m_previous; // the default in force when the scope began
};
