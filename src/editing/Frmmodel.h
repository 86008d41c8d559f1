// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/TForm.h"

class DBGrid;
class EmptyGridHint;
class HeldBackChanges;
class QLabel;
class QPushButton;

// The main window: the list of models with held-back changes, and the way
// to the level list and the calculation window. Held-back changes mark the
// title and are counted under the buttons; nothing held back is dropped
// («Выход», the close box, «Обновить») before the user has answered whether
// to save it.
class TfrmMathModel : public TForm
{
    Q_OBJECT
public:
    explicit TfrmMathModel(QWidget* parent = nullptr);

    DBGrid* DBGrid1;
    QPushButton* btnModelCreate;
    QPushButton* btnModelModify;
    QPushButton* btnModelRemove;
    QPushButton* btnModelRefresh;
    QPushButton* btnModelSave;
    QPushButton* btnModelCancel;
    QPushButton* btnLevel;
    QPushButton* btnCalc;
    QPushButton* btnHelp;
    QPushButton* Button1;
    QLabel* lblHeldBack;

    void FormCreate();
    void FormDestroy();

    void btnModelCreateClick();
    void btnModelModifyClick();
    void btnModelRemoveClick();
    void btnModelRefreshClick();
    void btnModelSaveClick();
    void btnModelCancelClick();
    void btnLevelClick();
    void btnCalcClick();
    void Button1Click();
    bool FormCloseQuery() override;

private:
    void createControls();
    void connectHandlers();
    void reopenModels();
    bool settleModels();
    bool saveNewModel();
    QString modelName(const QString& kind) const;

    HeldBackChanges* m_heldBack;
    EmptyGridHint* m_noModels;
};

extern TfrmMathModel* frmMathModel;
