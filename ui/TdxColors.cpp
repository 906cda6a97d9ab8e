// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/TdxColors.h"

bool TdxColors::operator==(const TdxColors &other) const {
    return BackgroundFrom == other.BackgroundFrom && BackgroundTo == other.BackgroundTo &&
           BorderLine == other.BorderLine && ClickedFrom == other.ClickedFrom && ClickedTo == other.ClickedTo &&
           FocusedFrom == other.FocusedFrom && FocusedTo == other.FocusedTo && HighlightFrom == other.HighlightFrom &&
           HighlightTo == other.HighlightTo && HotTrack == other.HotTrack;
}
