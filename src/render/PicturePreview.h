#pragma once
// The picture chooser's preview of a picture file: the file loaded through the
// picture import with the chooser's current options, drawn on white and
// fitted into the preview box.
#include <QImage>
#include <QSize>
#include <QString>

struct PicturePreview {
    QImage image;              // the fitted picture; null when the file gave none
    // False when Clean Background and Transparent Edges do not apply to the
    // file: a metafile, or a picture that brings its own transparency.
    bool optionsApply = true;
};

// False when the file cannot be loaded as a picture.
bool LoadPicturePreview(const QString& path, bool cleanBackground, bool transparentEdges, const QSize& box,
                        PicturePreview& out);
