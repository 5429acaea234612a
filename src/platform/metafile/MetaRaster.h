#pragma once
// Metafiles rasterised into images: for tracing outlines, caching pictures and
// anti-aliased drawing, a metafile is played into an ARGB image over a
// background colour, optionally drawn larger and scaled down smoothly.
#include "platform/metafile/CEmfPlayer.h"
#include "platform/metafile/MetaFileHandles.h"

#include <QColor>
#include <QImage>
#include <QSize>

// The picture played over `background` into an ARGB32 premultiplied image of
// `size`; with `supersample` above 1 it is drawn that many times larger and
// scaled down bilinearly. A null image for an empty size or a failed play.
// `source` chooses what of the picture fills the image (its frame or its
// drawn bounds).
QImage RasteriseEnhMetafile(HENHMETAFILE metafile, QSize size, QColor background, int supersample = 1,
                            EmfPlaySource source = EmfPlaySource::Frame);
// The same for a Windows metafile whose window box is `box`: the device
// context maps the box onto the image (the metafile's own window records set
// the same window again).
QImage RasteriseMetafile(HMETAFILE metafile, const RECT& box, QSize size, QColor background, int supersample = 1);
