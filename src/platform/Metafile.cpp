#include "platform/Metafile.h"

#include <libwmf/api.h>
#include <libwmf/gd.h>

#include <QByteArrayView>
#include <cmath>

namespace platform {

namespace {

constexpr quint32 kCleePlacable = 0x9AC6CDD7;
constexpr int kTaillePlacable = 22;
// The resolution the program draws at: 15 twips to the pixel.
constexpr double kPointsParPouce = 72;
constexpr double kPixelsParPouce = 96;

// Every read stops at the end of the bytes: past it, a short file reads 0.
// A view of an empty array holds no pointer at all to read through.
quint16 Mot(QByteArrayView b, qsizetype i) {
    if (i < 0 || i > b.size() - 2) return 0;
    return static_cast<quint16>(uchar(b[i]) | uchar(b[i + 1]) << 8);
}

quint32 DoubleMot(QByteArrayView b, qsizetype i) {
    return Mot(b, i) | quint32(Mot(b, i + 2)) << 16;
}

// The header that follows the placeable one, or begins a plain metafile.
bool EnTeteWmf(QByteArrayView b, qsizetype debut) {
    if (b.size() < debut + 6) return false;
    const quint16 type = Mot(b, debut), taille = Mot(b, debut + 2), version = Mot(b, debut + 4);
    return (type == 1 || type == 2) && taille == 9 && (version == 0x0100 || version == 0x0300);
}

bool Placable(QByteArrayView b) {
    return b.size() >= 4 && DoubleMot(b, 0) == kCleePlacable;
}

// Whether a record sets the map mode. Without one the library reports the
// drawing in points of the placeable frame; with one (drawing programs set
// MM_ANISOTROPIC and a window), in units of its own.
bool FixeModeDeMappage(QByteArrayView b, qsizetype debut) {
    constexpr quint16 kSetMapMode = 0x0103;
    qsizetype i = debut + 2 * qsizetype(Mot(b, debut + 2));
    while (i >= 0 && i <= b.size() - 6) {
        const quint32 taille = DoubleMot(b, i);
        const quint16 fonction = Mot(b, i + 4);
        if (fonction == kSetMapMode) return true;
        if (fonction == 0 || taille < 3 || taille > quint32((b.size() - i) / 2)) return false;
        i += 2 * qsizetype(taille);
    }
    return false;
}

// One use of the library, released on every way out.
class Lecteur {
public:
    Lecteur() {
        wmfAPI_Options options{};
        options.function = wmf_gd_function;
        const unsigned long drapeaux =
            WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
        if (wmf_api_create(&api_, drapeaux, &options) != wmf_E_None) {
            if (api_) wmf_api_destroy(api_);
            api_ = nullptr;
        }
    }
    ~Lecteur() {
        if (!api_) return;
        if (ouvert_) wmf_mem_close(api_);
        wmf_api_destroy(api_);
    }
    Lecteur(const Lecteur&) = delete;
    Lecteur& operator=(const Lecteur&) = delete;

    wmfAPI* Api() const { return api_; }
    bool Ouvrir(QByteArray& octets) {
        ouvert_ = wmf_mem_open(api_, reinterpret_cast<unsigned char*>(octets.data()),
                               static_cast<long>(octets.size())) == wmf_E_None;
        return ouvert_;
    }

private:
    wmfAPI* api_ = nullptr;
    bool ouvert_ = false;
};

int Recevoir(void* contexte, char* octets, int longueur) {
    if (longueur > 0) static_cast<QByteArray*>(contexte)->append(octets, longueur);
    return longueur;
}

}  // namespace

bool IsMetafile(const QByteArray& head) {
    const QByteArrayView b(head);
    return Placable(b) ? EnTeteWmf(b, kTaillePlacable) : EnTeteWmf(b, 0);
}

MetafilePicture ReadMetafile(const QByteArray& bytes, qint64 maxPixels) {
    MetafilePicture out;
    if (!IsMetafile(bytes)) return out;
    // The library reads from memory it may not own as constant.
    QByteArray octets = bytes;
    Lecteur lecteur;
    wmfAPI* api = lecteur.Api();
    if (!api || !lecteur.Ouvrir(octets)) return out;
    wmfD_Rect cadre{};
    if (wmf_scan(api, 0, &cadre) != wmf_E_None) return out;
    double largeur = 0, hauteur = 0;
    // The frame of a placeable header, from its corners and units to the inch.
    const bool placable = Placable(octets);
    const quint16 pouce = placable ? Mot(octets, 14) : 0;
    const int dx = placable ? qint16(Mot(octets, 10)) - qint16(Mot(octets, 6)) : 0;
    const int dy = placable ? qint16(Mot(octets, 12)) - qint16(Mot(octets, 8)) : 0;
    if (pouce > 0 && dx != 0 && dy != 0) {
        // The frame of the picture, as its header gives it, sets its size.
        const double l = std::abs(dx) / double(pouce), h = std::abs(dy) / double(pouce);
        largeur = std::round(l * kPixelsParPouce);
        hauteur = std::round(h * kPixelsParPouce);
        // In points, the frame itself is the box: the drawing keeps its
        // place and its margins inside it. In the library's own units, the
        // drawing is played in the box its scan reports.
        if (!FixeModeDeMappage(octets, kTaillePlacable)) {
            cadre.TL = {0, 0};
            cadre.BR = {static_cast<float>(l * kPointsParPouce),
                        static_cast<float>(h * kPointsParPouce)};
        }
    } else {
        // Without a frame, the extent of the drawing, one pixel to the point.
        largeur = std::ceil(cadre.BR.x - cadre.TL.x);
        hauteur = std::ceil(cadre.BR.y - cadre.TL.y);
    }
    if (!(largeur >= 1 && hauteur >= 1)) return out;
    if (largeur * hauteur > double(maxPixels)) {
        out.tooLarge = true;
        return out;
    }
    wmf_gd_t* gd = WMF_GD_GetData(api);
    if (!(gd->flags & WMF_GD_SUPPORTS_PNG)) return out;
    // Handed back as a PNG written into memory of ours: a picture handed
    // over as it is would never be freed by the library.
    QByteArray png;
    gd->type = wmf_gd_png;
    gd->flags |= WMF_GD_OUTPUT_MEMORY | WMF_GD_OWN_BUFFER;
    gd->sink.context = &png;
    gd->sink.function = Recevoir;
    gd->bbox = cadre;
    gd->width = static_cast<unsigned int>(largeur);
    gd->height = static_cast<unsigned int>(hauteur);
    if (wmf_play(api, 0, &cadre) != wmf_E_None || api->err != wmf_E_None) return out;
    out.image.loadFromData(png, "PNG");
    return out;
}

}  // namespace platform
