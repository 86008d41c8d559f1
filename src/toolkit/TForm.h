// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QAction;
class QPushButton;

// Base of every window: closing hides it (the object lives on), the show
// handler FormShow runs only when a hidden window becomes visible, and
// showing a window that is already visible brings it to the front. A window
// opens at the place and size it had in the last run (WindowPlaces). A window
// with a section of the manual opens it with F1 and with «Справка» in its
// context menus (HelpWindow). At its first showing it is fitted to its
// screen (ScreenFit).
class TForm : public QWidget
{
    Q_OBJECT

public:
    explicit TForm(QWidget* parent = nullptr);

    void setVisible(bool visible) override;
    // A window that opens maximised: set before it is first shown.
    void setOpenMaximised(bool maximised);
    // Places the window at its design position and size (the size scaled
    // with the font, DesignControls::scale).
    void setDesignGeometry(int left, int top, int width, int height);
    // The window's section of the manual (its anchor): F1 opens the help
    // there, and «Справка» (F1) joins the window's context menus.
    void setHelpAnchor(const QString& anchor);
    QString helpAnchor() const { return m_helpAnchor; }
    // A «Справка» button at its design position that opens the window's section.
    QPushButton* helpButton(int left, int top);

Q_SIGNALS:
    // The window was closed by the user or by close().
    void closed();

protected:
    virtual void FormShow() {}
    // Asked before the window closes (by the user or by close()); false keeps
    // it open. An error raised here is shown and keeps the window open too.
    virtual bool FormCloseQuery() { return true; }
    // Runs when a visible window is hidden (closed, or hidden by a handler).
    virtual void FormHide() {}
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void offerHelpInMenus();
    void showHelp();

    QString m_helpAnchor;
    QAction* m_help = nullptr;
    // Whether the window has taken its kept place (at its first showing).
    bool m_placed = false;
};
