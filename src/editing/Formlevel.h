// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/TForm.h"

class DBEdit;
class QGroupBox;
class QLabel;
class QPushButton;

// One level with all its editable parameters: creates a new level or changes
// an existing one. Enter presses the focused button and in an edit field means
// "ОК"; Esc means "Отмена".
class TfrmLevel : public TForm
{
    Q_OBJECT
public:
    explicit TfrmLevel(QWidget* parent = nullptr);

    QGroupBox* GroupBox1;
    DBEdit* editLvlNumber;
    DBEdit* editLvlName;
    QLabel* Label1;
    QLabel* Label2;
    QGroupBox* GroupBox2;
    QGroupBox* GroupBox3;
    QGroupBox* GroupBox4;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Label8;
    DBEdit* editLvlNodeAmount;
    DBEdit* editLvlTskDcsTime;
    DBEdit* editLvlTskFlowDist;
    DBEdit* editLvlTskFlowInt;
    DBEdit* editLvlNodeCostDelay;
    DBEdit* editLvlNodeCostUse;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    DBEdit* DBEdit1;
    QLabel* Label9;
    QLabel* Label10;
    DBEdit* DBEdit2;

    int ModelID = 0;
    int LevelID = 0;
    // 1 creates a new level, 2 changes the level (ModelID, LevelID).
    int EditMode = 0;

    void FormCreate() {}
    void FormShow() override;
    void FormHide() override;
    void btnOKClick();
    void btnCancelClick();

Q_SIGNALS:
    // "ОК" has stored the level under these keys and hidden the window.
    void levelSaved(int model, int level);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createGroups();
    DBEdit* edit(QWidget* group, const QString& name, const QString& field, const QString& label,
                 int left, int top, int width = 121);
};

extern TfrmLevel* frmLevel;
