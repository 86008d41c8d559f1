// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/TForm.h"

#include <QHash>
#include <optional>

class DBEdit;
class HeldBackChanges;
class QGroupBox;
class QLabel;
class QPushButton;

// One level with all its editable parameters: creates a new level or changes
// an existing one. Enter presses the focused button and in an edit field means
// "ОК"; Esc means "Отмена". What is typed is held back until "ОК": opening
// another level or closing the window asks first, "Отмена" drops it. "ОК"
// refuses what the store's level rules refuse (no number or name, the number
// of another level of its model, a value out of its range), naming the field
// and keeping what is typed.
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
    QLabel* Label11;
    DBEdit* editLvlNodeCostDcsInt;

    // The keys of the level shown: the parameters of qryEditLevel, which
    // openLevel sets; both 0 for a new level.
    int ModelID() const;
    int LevelID() const;
    // 1 creates a new level, 2 changes the level (ModelID, LevelID).
    int EditMode = 0;

    void FormCreate() {}
    void FormShow() override;
    void FormHide() override;
    bool FormCloseQuery() override;
    void btnOKClick();
    void btnCancelClick();
    // Shows the editor for this level (mode and keys as EditMode, ModelID,
    // LevelID). A visible editor holding typed changes asks first whether to
    // save them; false when the user stays with them («Отмена»).
    bool openLevel(int mode, int model, int level);
    // True when the editor may drop what is typed: nothing is, or the user
    // answered «Нет», or «Да» and the level was stored.
    bool settleChanges();

Q_SIGNALS:
    // "ОК" has stored the level under these keys and hidden the window.
    void levelSaved(int model, int level);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createGroups();
    void createCostGroup();
    void loadLevel();
    void checkEntry();
    void refuse(DBEdit* field, const QString& text);
    void saveLevel();
    DBEdit* edit(QWidget* group, const QString& name, const QString& field, const QString& label,
                 int left, int top, int width = 121);

    // A level stored by the question before another level opens: its model,
    // the LVLID it was read under and the one it got.
    struct Saved
    {
        int model;
        int from;
        int as;
    };

    HeldBackChanges* m_heldBack;
    std::optional<Saved> m_saved;
    QHash<QString, DBEdit*> m_edits; // by the column each edits
};

extern TfrmLevel* frmLevel;
