// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <vector>

class QWidget;

// The gallery's pages. Each component's page file registers one page that
// shows the component live (in each of its kinds, where it has several).
class GalleryPages
{
public:
    struct Page
    {
        QString title;
        std::function<QWidget*()> create;
    };

    static std::vector<Page>& all()
    {
        static std::vector<Page> pages;
        return pages;
    }

    struct Registrar
    {
        Registrar(const QString& title, std::function<QWidget*()> create)
        {
            all().push_back({title, std::move(create)});
        }
    };
};
