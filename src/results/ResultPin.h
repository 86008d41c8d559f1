// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>
#include <memory>

class PinnedResult;
class TChartControl;
class TfrmOutput;
class TfrmShowParam;
class TfrmTblOut;

// The result kept for comparison («Закрепить для сравнения»): at most one,
// shared by the result windows, kept until «Открепить» or the end of the
// program; pinning again replaces it. Its values are shared, never copied
// by a window (see PinnedResult). Windows hear of every change.
class ResultPin : public QObject
{
    Q_OBJECT

public:
    // Takes the current result, or null when there is none to pin.
    using Source = std::function<std::shared_ptr<const PinnedResult>()>;

    explicit ResultPin(Source current, QObject* parent = nullptr);

    // The result the table window holds, with the listing of its levels;
    // null unless it is a completed calculation (it has recorded inputs)
    // with at least one point. A chart holding the same calculation lends
    // the range of its values, which it has worked out to draw them.
    static std::shared_ptr<const PinnedResult> currentOf(const TfrmTblOut& table,
                                                         const TfrmShowParam& listing,
                                                         const TChartControl* chart = nullptr);
    // The application's one pin, taking the current result from the table
    // and the listing, handed to the three result windows; the table window
    // owns it.
    static ResultPin* share(TfrmOutput& chart, TfrmTblOut& table, TfrmShowParam& listing);

    // Keeps the current result; with none, the pinned one stays.
    void pin();
    void unpin();
    const std::shared_ptr<const PinnedResult>& pinned() const { return m_pinned; }

Q_SIGNALS:
    void changed();

private:
    Source m_current;
    std::shared_ptr<const PinnedResult> m_pinned;
};
