// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QApplication;
class QTranslator;
class TForm;

// The application object: its title (the caption of every error box), the
// objects it owns (created in order, destroyed in reverse) and the event loop.
class Application
{
public:
    // Uses the running QApplication, or starts one from argc/argv.
    Application(int& argc, char** argv);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    static QString title();
    static void setTitle(const QString& title);

    // Creates an owned object, points its global variable at it and only then
    // runs its creation handler (FormCreate), so the handler may use the global.
    // At shutdown FormDestroy runs, the object is deleted and the global cleared.
    template <class T, class... Args> T* create(T*& global, Args&&... args)
    {
        auto object = std::make_shared<T>(std::forward<Args>(args)...);
        global = object.get();
        m_owned.push_back({object, [object, &global] {
                               if constexpr (requires(T & t) { t.FormDestroy(); })
                                   object->FormDestroy();
                               global = nullptr;
                           }});
        if constexpr (requires(T & t) { t.FormCreate(); })
            object->FormCreate();
        return object.get();
    }

    int ownedCount() const { return static_cast<int>(m_owned.size()); }

    // Shows the main window and runs the event loop until that window is closed.
    int run(TForm* mainForm);

private:
    struct Owned
    {
        std::shared_ptr<void> object;
        std::function<void()> release;
    };

    void loadTranslations();

    std::unique_ptr<QApplication> m_qt;
    std::unique_ptr<QTranslator> m_translator;
    std::vector<Owned> m_owned;
};
