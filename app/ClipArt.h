// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

// The busy window's animation clips, drawn by code: small looping pictures of 80 × 50 pixels standing for the
// desktop's common clips (searching a folder, a file or a computer, copying, recycling, deleting). Pure drawing on
// QImage, so the player can render frames on a thread of its own and tests can look at single frames.
namespace ClipArt {

// The clip indices, in the order the busy window's callers number them.
enum Clip {
    None = 0,
    FindFolder,
    FindFile,
    FindComputer,
    CopyFiles,
    CopyFile,
    RecycleFile,
    EmptyRecycle,
    DeleteFile,
    LastClip = DeleteFile
};

constexpr int kFrameWidth = 80;
constexpr int kFrameHeight = 50;

// True for 0 .. LastClip.
bool isClip(int clip);

// Frames of one loop; 0 for None and for an index that is no clip.
int frameCount(int clip);

// Frame `index` (taken modulo the frame count) of `clip` on an opaque background. None and unknown clips give
// the bare background.
QImage frame(int clip, int index, const QColor &background);

} // namespace ClipArt
