#pragma once

#include "platform/Controls.h"

// Any control with a width and a height in twips, read each time they are
// needed: the frame a picture is fitted into.
class FrameRef {
public:
    template <class C>
    FrameRef(const C& c)  // NOLINT: every frame control converts
        : obj_(&c),
          width_([](const void* o) { return static_cast<const C*>(o)->Width(); }),
          height_([](const void* o) { return static_cast<const C*>(o)->Height(); }) {}
    double Width() const { return width_(obj_); }
    double Height() const { return height_(obj_); }

private:
    const void* obj_;
    double (*width_)(const void*);
    double (*height_)(const void*);
};

namespace General {

// Lets the user choose a picture file; shows it in Image fitted to Cadre and
// keeps its path in Image.Tag. False, with nothing changed, when the dialog
// is cancelled or the file is not a picture (the user is told).
bool ChercherImage(platform::PictureBox& Image, FrameRef Cadre);

}  // namespace General

namespace ChargerAlbums {

// Sizes Contenu to the proportions of the picture in Frmmain.ImageTemp so
// that it fits Conteneur with a 100-twip margin, and centres it.
void AjusterPhoto(FrameRef Conteneur, platform::PictureBox& Contenu);

}  // namespace ChargerAlbums
