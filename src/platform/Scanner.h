#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QWidget;

// The scanner of the program, over SANE: a source chooser listing the
// scanners, and an acquisition that puts the scanned picture on the
// clipboard. Both talk to SANE off the user-interface thread, with the
// hourglass, so the windows keep repainting.
namespace platform {

// Pixel types an acquisition asks for, added together; 0 takes what the
// scanner offers, colour first.
enum PixelTypes : int { kTousTypes = 0, kNoirBlanc = 1, kGris = 2, kCouleur = 4 };

struct ScanSource {
    QString name;  // what SANE opens the scanner by
    QString vendor, model, type;
};

struct ScanResult {
    // The scanner reports a picture; image may still be empty.
    bool acquired = false;
    QImage image;
};

// What the layer asks of the scanner library. Both calls run off the
// user-interface thread.
class ScannerBackend {
public:
    virtual ~ScannerBackend() = default;
    // The scanners found; none when the library cannot be used.
    virtual std::optional<QList<ScanSource>> Sources() = 0;
    virtual ScanResult Acquire(const QString& source, int pixelTypes) = 0;
};

// The file of the scanner library, as the set-up installs it.
inline constexpr char kSaneLibrary[] = "libsane.so.1";

// The scanner library itself: SANE, loaded from that file when first asked
// for. Without it, or without one of its entry points, it finds no scanner.
std::unique_ptr<ScannerBackend> SaneBackend(
    const QString& library = QString::fromLatin1(kSaneLibrary));

// Lets the user choose a scanner: 1 when one was chosen; 0 when the chooser
// was cancelled, no scanner was found or the library cannot be used.
int TWAIN_SelectImageSource(QWidget* owner);
// Scans from the chosen scanner (the first one found when none was chosen)
// with its own settings and puts the picture on the clipboard: 0 when no
// picture was acquired.
int TWAIN_AcquireToClipboard(QWidget* owner, int pixelTypes);

namespace ScannerSeam {
// From Enable on, the chooser is not shown: each call records the names of
// the scanners it would list and is answered with the next scripted name;
// an empty or unknown name, or none left, cancels.
void Enable();
void Disable();
bool Enabled();
void Answer(const QStringList& names);
QList<QStringList> Calls();
// Talks to this library instead of SANE, until Disable.
void UseBackend(std::shared_ptr<ScannerBackend> backend);
// Loads SANE from this file instead of the installed one, until Disable.
void UseLibrary(const QString& file);
}  // namespace ScannerSeam

}  // namespace platform
