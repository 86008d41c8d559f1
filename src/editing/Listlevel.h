// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/TForm.h"

class DBGrid;
class QPushButton;

// The levels of one model by number and name; adds and changes them through
// the level editor and removes them at once.
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

    // The model whose levels are listed; set by the main window before showing.
    int ModelID = 0;

    void FormCreate() {}
    void FormShow() override;
    void FormHide() override;
    void btnLevelCreateClick();
    void btnLevelModifyClick();
    void btnLevelRemoveClick();
    void btnLevelRefreshClick();
    void Button1Click();

private:
    void createControls();
    void reopenLevels();
};

extern TlstLevel* lstLevel;
