// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/Formparm.h"

#include "chart/PinnedResult.h"
#include "number/Handler.h"
#include "results/ResultPin.h"
#include "toolkit/DesignControls.h"

#include <QHBoxLayout>
#include <QHash>
#include <QKeySequence>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

TfrmShowParam* frmShowParam = nullptr;

namespace {

// The lines of a listing, each with its key (the level it belongs to and its
// caption: "Модель", "Уровень k" or a parameter's) and its value; a line
// without a caption has an empty key.
struct Line
{
    QString key;
    QString value;
};
QList<Line> parse(const QStringList& lines)
{
    QList<Line> parsed;
    int level = 0;
    for (const QString& line : lines) {
        if (line.startsWith(QStringLiteral("Уровень ")))
            ++level;
        const qsizetype colon = line.indexOf(QStringLiteral(": "));
        parsed.append(colon <= 0
                          ? Line{}
                          : Line{QString::number(level) + QLatin1Char('|') + line.left(colon),
                                 line.mid(colon + 2)});
    }
    return parsed;
}

// Adds the lines, marking those whose value the other listing does not share.
void addCompared(QListWidget* list, const QStringList& lines, const QStringList& other,
                 const QString& otherName)
{
    QHash<QString, QString> others;
    for (const Line& line : parse(other))
        others.insert(line.key, line.value);
    const QList<Line> parsed = parse(lines);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        auto* item = new QListWidgetItem(lines[i], list);
        const Line& line = parsed[i];
        const auto found = others.constFind(line.key);
        if (line.key.isEmpty() || (found != others.constEnd() && *found == line.value))
            continue;
        QFont bold = item->font();
        bold.setBold(true);
        item->setFont(bold);
        item->setBackground(TfrmShowParam::differenceBackground());
        item->setData(Qt::AccessibleDescriptionRole, QStringLiteral("отличается"));
        item->setToolTip(QStringLiteral("%1: %2").arg(
            otherName, found == others.constEnd() ? QStringLiteral("нет") : *found));
    }
}

} // namespace

TfrmShowParam::TfrmShowParam(QWidget* parent) : TForm(parent)
{
    setObjectName(QStringLiteral("frmShowParam"));
    setHelpAnchor(QStringLiteral("listing"));
    setWindowTitle(QStringLiteral("Параметры"));
    setAccessibleName(windowTitle());
    setDesignGeometry(174, 141, 534, 320);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setAccessibleName(QStringLiteral("Параметры модели"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setSortingEnabled(false);
    ListBox1->setUniformItemSizes(true);

    btnOK = new QPushButton(QStringLiteral("ОК"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setAccessibleName(btnOK->text());
    btnOK->setFixedSize(DesignControls::scaled(btnOK, QSize(75, 25)));
    btnOK->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addStretch(1);
    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(16, 32, 16, 16);
    main->setSpacing(23);
    main->addWidget(ListBox1, 1);
    main->addLayout(buttons);

    setTabOrder(ListBox1, btnOK);
    connectHandler(btnOK, &QPushButton::clicked, this, &TfrmShowParam::btnOKClick);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    QObject::connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void TfrmShowParam::btnOKClick()
{
    close();
}

void TfrmShowParam::setListing(const QStringList& lines)
{
    if (lines == m_listing && ListBox1->count() > 0)
        return;
    m_listing = lines;
    showListing();
}

void TfrmShowParam::setResultPin(ResultPin* pin)
{
    if (m_pin)
        disconnect(m_pin, nullptr, this, nullptr);
    m_pin = pin;
    if (m_pin)
        connect(m_pin, &ResultPin::changed, this, &TfrmShowParam::showListing);
    showListing();
}

// A pale yellow that leaves the black text readable.
QColor TfrmShowParam::differenceBackground()
{
    return QColor(255, 240, 170);
}

void TfrmShowParam::showListing()
{
    ListBox1->clear();
    const std::shared_ptr<const PinnedResult> pinned = m_pin ? m_pin->pinned() : nullptr;
    if (!pinned) {
        ListBox1->addItems(m_listing);
        return;
    }
    addCompared(ListBox1, m_listing, pinned->listing(), QStringLiteral("в закрепленном расчете"));
    ListBox1->addItem(QString());
    auto* heading = new QListWidgetItem(QStringLiteral("Закрепленный расчет:"), ListBox1);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    addCompared(ListBox1, pinned->listing(), m_listing, QStringLiteral("в текущем расчете"));
}
