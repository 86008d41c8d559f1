// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/TForm.h"

class DBGrid;
class HeldBackChanges;
class QPushButton;

// The levels of one model by number and name; adds and changes them through
// the level editor, whose saved level it then shows, and removes them at
// once after a question. Changes typed into the grid are held back until a
// removal writes them; they are not dropped unasked.
class TlstLevel : public TForm
{
    Q_OBJECT
public:
    explicit TlstLevel(QWidget* parent = nullptr);

    DBGrid* DBGrid1;
    QPushButton* btnLevelCreate;
    QPushButton* btnLevelModify;
    QPushButton* btnLevelRemove;
    QPushButton* btnLevelRefresh;
    QPushButton* Button1;

    // The model whose levels are listed: the one the structure module lists,
    // chosen by the main window before showing.
    int ModelID() const;

    void FormCreate() {}
    void FormShow() override;
    void FormHide() override;
    void btnLevelCreateClick();
    void btnLevelModifyClick();
    void btnLevelRemoveClick();
    void btnLevelRefreshClick();
    void Button1Click();
    bool FormCloseQuery() override;
    // True when the list may drop what it holds back; asks when it holds anything.
    bool settleChanges();
    // The level editor stored this level: the list of its model shows it, current.
    void levelSaved(int model, int level);

private:
    void createControls();
    void reopenLevels();
    void showEditor(int mode, int model, int level);

    HeldBackChanges* m_heldBack;
    bool m_followsEditor = false;
};

extern TlstLevel* lstLevel;
