#include "platform/Scanner.h"

#include <dlfcn.h>
#include <sane/sane.h>
#include <sane/saneopts.h>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstring>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/Resume.h"
#include "platform/Screen.h"

namespace platform {

namespace {

struct SeamState {
    bool enabled = false;
    QStringList answers;
    QList<QStringList> calls;
    std::shared_ptr<ScannerBackend> backend;
    QString library;
};
SeamState& Seam() {
    static SeamState s;
    return s;
}

// The scanner chosen last, as the acquisition uses it.
QString& Choisie() {
    static QString s;
    return s;
}

// Runs the work on a thread of its own while the event loop goes on, with
// the hourglass shown.
template <class R>
R HorsInterface(const std::function<R()>& work) {
    // The library is used by one call at a time.
    static bool occupee = false;
    if (occupee) return R{};
    occupee = true;
    Finally libre([] { occupee = false; });
    Hourglass wait;
    R result{};
    QEventLoop loop;
    std::thread t([&] {
        try {
            result = work();
        } catch (...) {
            result = R{};
        }
        QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
    });
    loop.exec();
    t.join();
    return result;
}

std::shared_ptr<ScannerBackend> Backend() {
    if (Seam().backend) return Seam().backend;
    if (!Seam().library.isEmpty()) return SaneBackend(Seam().library);
    return SaneBackend();
}

// ------------------------------------------------------------------ SANE

// The entry points of the library, looked up when the scanner is first
// asked for: the program does not need SANE to start or to run.
struct Sane {
    decltype(&::sane_init) init;
    decltype(&::sane_exit) exit;
    decltype(&::sane_get_devices) get_devices;
    decltype(&::sane_open) open;
    decltype(&::sane_close) close;
    decltype(&::sane_get_option_descriptor) get_option_descriptor;
    decltype(&::sane_control_option) control_option;
    decltype(&::sane_start) start;
    decltype(&::sane_get_parameters) get_parameters;
    decltype(&::sane_read) read;
    decltype(&::sane_cancel) cancel;
};

// The library in that file, or none when it cannot be loaded or lacks an
// entry point; asked again at the next use, so that a SANE installed while
// the program runs is found. Once loaded it stays for the whole run, with
// the backends it has loaded.
const Sane* ChargerSane(const QString& fichier) {
    static std::mutex verrou;
    static std::map<QString, Sane> chargees;
    std::lock_guard<std::mutex> garde(verrou);
    if (const auto it = chargees.find(fichier); it != chargees.end()) return &it->second;
    void* lib = dlopen(QFile::encodeName(fichier).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!lib) return nullptr;
    Sane api{};
    bool complet = true;
    auto lier = [&](auto& f, const char* nom) {
        void* s = dlsym(lib, nom);
        complet = complet && s;
        f = reinterpret_cast<std::remove_reference_t<decltype(f)>>(s);
    };
    lier(api.init, "sane_init");
    lier(api.exit, "sane_exit");
    lier(api.get_devices, "sane_get_devices");
    lier(api.open, "sane_open");
    lier(api.close, "sane_close");
    lier(api.get_option_descriptor, "sane_get_option_descriptor");
    lier(api.control_option, "sane_control_option");
    lier(api.start, "sane_start");
    lier(api.get_parameters, "sane_get_parameters");
    lier(api.read, "sane_read");
    lier(api.cancel, "sane_cancel");
    if (!complet) {
        dlclose(lib);
        return nullptr;
    }
    return &chargees.emplace(fichier, api).first->second;
}

// One session of the library, closed on every way out.
class Session {
public:
    explicit Session(const Sane* api) : api_(api) {
        SANE_Int version = 0;
        ok_ = api_ && api_->init(&version, nullptr) == SANE_STATUS_GOOD;
    }
    ~Session() {
        if (ok_) api_->exit();
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    bool Ok() const { return ok_; }

private:
    const Sane* api_;
    bool ok_ = false;
};

// Sets the scan mode to the first of the wanted ones the scanner offers.
void ChoisirMode(const Sane& sane, SANE_Handle h, int pixelTypes) {
    QStringList voulus;
    if (pixelTypes == kTousTypes || (pixelTypes & kCouleur))
        voulus << QStringLiteral(SANE_VALUE_SCAN_MODE_COLOR);
    if (pixelTypes & kGris) voulus << QStringLiteral(SANE_VALUE_SCAN_MODE_GRAY);
    if (pixelTypes & kNoirBlanc) voulus << QStringLiteral(SANE_VALUE_SCAN_MODE_LINEART);
    SANE_Int count = 0;
    if (sane.control_option(h, 0, SANE_ACTION_GET_VALUE, &count, nullptr) != SANE_STATUS_GOOD)
        return;
    for (SANE_Int i = 1; i < count; ++i) {
        const SANE_Option_Descriptor* d = sane.get_option_descriptor(h, i);
        if (!d || !d->name || std::strcmp(d->name, SANE_NAME_SCAN_MODE) != 0) continue;
        if (d->type != SANE_TYPE_STRING || d->constraint_type != SANE_CONSTRAINT_STRING_LIST ||
            !SANE_OPTION_IS_ACTIVE(d->cap) || !SANE_OPTION_IS_SETTABLE(d->cap))
            return;
        QStringList offerts;
        for (const SANE_String_Const* s = d->constraint.string_list; *s; ++s)
            offerts << QString::fromUtf8(*s);
        for (const QString& v : voulus) {
            if (!offerts.contains(v)) continue;
            std::vector<char> value(static_cast<size_t>(std::max<SANE_Int>(d->size, 1)), 0);
            const QByteArray u = v.toUtf8();
            std::memcpy(value.data(), u.constData(),
                        std::min(static_cast<size_t>(u.size()), value.size() - 1));
            sane.control_option(h, i, SANE_ACTION_SET_VALUE, value.data(), nullptr);
            return;
        }
        return;
    }
}

// One sample of a line, brought to 0..255.
int Echantillon(const uchar* line, int k, int depth) {
    switch (depth) {
        case 1:
            return (line[k / 8] >> (7 - k % 8)) & 1 ? 255 : 0;
        case 16: {
            quint16 v = 0;
            std::memcpy(&v, line + 2 * k, 2);
            return v >> 8;
        }
        default:
            return line[k];
    }
}

struct Trame {
    SANE_Parameters p{};
    QByteArray data;
    int Lignes() const {
        if (p.bytes_per_line <= 0) return 0;
        const int lues = static_cast<int>(data.size() / p.bytes_per_line);
        // A hand scanner does not know its height: what came is the picture.
        return p.lines < 0 ? lues : std::min(p.lines, lues);
    }
};

// Reads every frame of one scan; false when the scan failed.
bool LireTrames(const Sane& sane, SANE_Handle h, std::vector<Trame>& trames) {
    std::vector<uchar> buf(1 << 16);
    for (;;) {
        if (sane.start(h) != SANE_STATUS_GOOD) return false;
        Trame t;
        if (sane.get_parameters(h, &t.p) != SANE_STATUS_GOOD) return false;
        SANE_Status st;
        SANE_Int len = 0;
        while ((st = sane.read(h, buf.data(), static_cast<SANE_Int>(buf.size()), &len)) ==
               SANE_STATUS_GOOD)
            t.data.append(reinterpret_cast<const char*>(buf.data()), len);
        if (st != SANE_STATUS_EOF) return false;
        const bool last = t.p.last_frame;
        trames.push_back(std::move(t));
        if (last) return true;
    }
}

QImage Assembler(const std::vector<Trame>& trames) {
    if (trames.empty()) return {};
    const SANE_Parameters& p0 = trames.front().p;
    const int w = p0.pixels_per_line;
    int h = trames.front().Lignes();
    for (const Trame& t : trames) h = std::min(h, t.Lignes());
    if (w <= 0 || h <= 0) return {};
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    for (const Trame& t : trames) {
        const SANE_Parameters& p = t.p;
        if (p.pixels_per_line != w) return {};
        for (int y = 0; y < h; ++y) {
            const auto* line = reinterpret_cast<const uchar*>(t.data.constData()) +
                               static_cast<qsizetype>(y) * p.bytes_per_line;
            auto* out = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < w; ++x) {
                int r = qRed(out[x]), g = qGreen(out[x]), b = qBlue(out[x]);
                switch (p.format) {
                    case SANE_FRAME_GRAY: {
                        int v = Echantillon(line, x, p.depth);
                        // In line art a set bit is black.
                        if (p.depth == 1) v = 255 - v;
                        r = g = b = v;
                        break;
                    }
                    case SANE_FRAME_RGB:
                        r = Echantillon(line, 3 * x, p.depth);
                        g = Echantillon(line, 3 * x + 1, p.depth);
                        b = Echantillon(line, 3 * x + 2, p.depth);
                        break;
                    case SANE_FRAME_RED:
                        r = Echantillon(line, x, p.depth);
                        break;
                    case SANE_FRAME_GREEN:
                        g = Echantillon(line, x, p.depth);
                        break;
                    case SANE_FRAME_BLUE:
                        b = Echantillon(line, x, p.depth);
                        break;
                    default:
                        return {};
                }
                out[x] = qRgb(r, g, b);
            }
        }
    }
    return img;
}

class SaneBackendImpl : public ScannerBackend {
public:
    explicit SaneBackendImpl(QString library) : library_(std::move(library)) {}

    std::optional<QList<ScanSource>> Sources() override {
        const Sane* sane = ChargerSane(library_);
        Session s(sane);
        if (!s.Ok()) return std::nullopt;
        const SANE_Device** list = nullptr;
        if (sane->get_devices(&list, SANE_FALSE) != SANE_STATUS_GOOD || !list) return std::nullopt;
        QList<ScanSource> out;
        for (const SANE_Device** d = list; *d; ++d)
            out.append({QString::fromUtf8((*d)->name), QString::fromUtf8((*d)->vendor),
                        QString::fromUtf8((*d)->model), QString::fromUtf8((*d)->type)});
        return out;
    }

    ScanResult Acquire(const QString& source, int pixelTypes) override {
        const Sane* sane = ChargerSane(library_);
        Session s(sane);
        if (!s.Ok()) return {};
        QString nom = source;
        if (nom.isEmpty()) {
            const SANE_Device** list = nullptr;
            if (sane->get_devices(&list, SANE_FALSE) != SANE_STATUS_GOOD || !list || !list[0])
                return {};
            nom = QString::fromUtf8(list[0]->name);
        }
        SANE_Handle h = nullptr;
        if (sane->open(nom.toUtf8().constData(), &h) != SANE_STATUS_GOOD) return {};
        Finally close([sane, h] {
            sane->cancel(h);
            sane->close(h);
        });
        ChoisirMode(*sane, h, pixelTypes);
        std::vector<Trame> trames;
        if (!LireTrames(*sane, h, trames)) return {};
        QImage img = Assembler(trames);
        return {!img.isNull(), img};
    }

private:
    QString library_;
};

// ---------------------------------------------------------------- chooser

QString Libelle(const ScanSource& s) {
    const QString modele = (s.vendor + u' ' + s.model).simplified();
    return modele.isEmpty() ? s.name : modele + QStringLiteral(" (") + s.name + u')';
}

// The chooser shown to the user: the scanner's name, or empty on cancel.
QString Choisir(QWidget* owner, const QList<ScanSource>& sources) {
    QDialog d(owner ? owner : QApplication::activeWindow());
    d.setWindowTitle(QStringLiteral("Sélection du scanner"));
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(new QLabel(QStringLiteral("Choisissez le scanner à utiliser :"), &d));
    auto* liste = new QListWidget(&d);
    liste->setAccessibleName(QStringLiteral("Scanners"));
    for (const ScanSource& s : sources) liste->addItem(Libelle(s));
    const int courant = [&] {
        for (qsizetype i = 0; i < sources.size(); ++i)
            if (sources[i].name == Choisie()) return static_cast<int>(i);
        return 0;
    }();
    liste->setCurrentRow(courant);
    layout->addWidget(liste);
    auto* boutons = new QDialogButtonBox(&d);
    boutons->addButton(QStringLiteral("Choisir"), QDialogButtonBox::AcceptRole);
    boutons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    QObject::connect(boutons, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    QObject::connect(boutons, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    QObject::connect(liste, &QListWidget::itemDoubleClicked, &d, &QDialog::accept);
    layout->addWidget(boutons);
    if (d.exec() != QDialog::Accepted || liste->currentRow() < 0) return {};
    return sources[liste->currentRow()].name;
}

}  // namespace

std::unique_ptr<ScannerBackend> SaneBackend(const QString& library) {
    return std::make_unique<SaneBackendImpl>(library);
}

int TWAIN_SelectImageSource(QWidget* owner) {
    const std::shared_ptr<ScannerBackend> b = Backend();
    const auto sources =
        HorsInterface<std::optional<QList<ScanSource>>>([b] { return b->Sources(); });
    if (!sources || sources->isEmpty()) return 0;
    QString nom;
    SeamState& s = Seam();
    if (s.enabled) {
        QStringList noms;
        for (const ScanSource& src : *sources) noms << src.name;
        s.calls.append(noms);
        const QString answer = s.answers.isEmpty() ? QString() : s.answers.takeFirst();
        if (noms.contains(answer)) nom = answer;
    } else {
        nom = Choisir(owner, *sources);
    }
    if (nom.isEmpty()) return 0;
    Choisie() = nom;
    return 1;
}

int TWAIN_AcquireToClipboard(QWidget*, int pixelTypes) {
    const std::shared_ptr<ScannerBackend> b = Backend();
    const QString nom = Choisie();
    const ScanResult r =
        HorsInterface<ScanResult>([b, nom, pixelTypes] { return b->Acquire(nom, pixelTypes); });
    if (!r.acquired) return 0;
    if (!r.image.isNull()) QGuiApplication::clipboard()->setImage(r.image);
    return 1;
}

namespace ScannerSeam {
void Enable() {
    Seam().enabled = true;
}
void Disable() {
    Seam() = SeamState();
    Choisie().clear();
}
bool Enabled() {
    return Seam().enabled;
}
void Answer(const QStringList& names) {
    Seam().answers = names;
}
QList<QStringList> Calls() {
    return Seam().calls;
}
void UseBackend(std::shared_ptr<ScannerBackend> backend) {
    Seam().backend = std::move(backend);
}
void UseLibrary(const QString& file) {
    Seam().library = file;
}
}  // namespace ScannerSeam

}  // namespace platform
