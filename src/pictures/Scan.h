#pragma once

#include <QImage>

namespace platform {
class ImageBox;
}

// What the buttons of the picture window Acquisition do to its picture.
namespace Scan {

// Quarter turns, to the left and to the right.
void PivoterGauche();
void PivoterDroite();
// Draws Source's picture turned a quarter turn onto Destination: to the
// left for a positive Angle, to the right for a negative one. Every pixel
// moves exactly; the sides swap. Yields to the event loop once per row,
// with the progress bar moving.
void PivoterImage(platform::ImageBox& Source, platform::ImageBox& Destination, float Angle);
// Shows PhotoScan1's picture in PhotoScan, fitted into Cadre (margin 50).
void AjusterScan();
// The open dialog, then the chosen file as the current picture. True when
// a picture was opened; a cancelled dialog or a file that is not a picture
// changes nothing.
bool OuvrirImage();
// The save dialog, then the picture written as a bitmap whatever the name.
// Enregistre: true only once the file is written whole (the frame is then
// emptied).
void SauvegarderImage(bool& Enregistre);
// Mirrors: left to right, and top to bottom.
void PivoterHorizontal();
void PivoterVertical();

// The largest picture the window takes, in pixels.
constexpr qint64 kPixelsMax = 50'000'000;

// A picture as the window keeps it: 32-bit with no transparency (what is
// transparent is shown on white).
QImage Opaque(const QImage& image);

// Fits PhotoScan into Cadre: a picture taller than the frame takes its
// height less margeHauteur, any other its width less margeLargeur; centred
// on whole twips.
void AjusterCadre(double margeHauteur, double margeLargeur);

}  // namespace Scan
