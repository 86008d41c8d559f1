// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// Base of every window: closing hides it (the object lives on), the show
// handler FormShow runs only when a hidden window becomes visible, and
// showing a window that is already visible brings it to the front. A window
// opens at the place and size it had in the last run (WindowPlaces).
class TForm : public QWidget
{
    Q_OBJECT

public:
    explicit TForm(QWidget* parent = nullptr);

    void setVisible(bool visible) override;
    // A window that opens maximised: set before it is first shown.
    void setOpenMaximised(bool maximised);
    // Places the window at its design position and size.
    void setDesignGeometry(int left, int top, int width, int height);

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
    // Whether the window has taken its kept place (at its first showing).
    bool m_placed = false;
};
