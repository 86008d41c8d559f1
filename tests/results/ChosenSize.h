// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "results/PictureSizeDialog.h"

// While alive, answers the picture size dialog with the given size (pixels
// QSize(): the view's own size; nothing: the user cancels) instead of showing
// it, and counts how often it was asked.
class ChosenSize
{
public:
    explicit ChosenSize(std::optional<ChartImage::PngSize> answer = ChartImage::PngSize{})
        : m_answer(answer), m_previous(PictureSizeDialog::setSink([this](const QSize& natural) {
              ++m_asked;
              if (m_answer && m_answer->pixels == QSize())
                  return std::optional(ChartImage::PngSize{natural, 0});
              return m_answer;
          }))
    {
    }
    ~ChosenSize() { PictureSizeDialog::setSink(std::move(m_previous)); }
    ChosenSize(const ChosenSize&) = delete;
    ChosenSize& operator=(const ChosenSize&) = delete;

    int asked() const { return m_asked; }

private:
    std::optional<ChartImage::PngSize> m_answer;
    int m_asked = 0;
    PictureSizeDialog::Sink m_previous;
};
