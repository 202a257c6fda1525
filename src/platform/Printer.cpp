#include "platform/Printer.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextLayout>
#include <cmath>
#include <filesystem>

#include "platform/Controls.h"

namespace platform {

namespace {
struct SeamState {
    bool enabled = false;
    QList<PrinterSeam::Call> calls;
    bool dialogScripted = false;
    QList<bool> answers;
    int dialogCalls = 0;
};
SeamState& Seam() {
    static SeamState s;
    return s;
}

std::unique_ptr<Printer>& Slot() {
    static std::unique_ptr<Printer> p;
    return p;
}

std::unique_ptr<QPrinter> SystemPrinter() {
    // The default printer when the system has one; without any, Qt falls
    // back to a PDF printer with no file, which the dialog lets the user name.
    return std::make_unique<QPrinter>(QPrinter::HighResolution);
}

void Record(PrinterSeam::Call c) {
    if (Seam().enabled) Seam().calls.push_back(std::move(c));
}

QString LineEnds(QString s) {
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(u'\r', u'\n');
    return s;
}
}  // namespace

struct PrinterAccess {
    static std::unique_ptr<Printer> Make(std::unique_ptr<QPrinter> d) {
        return std::unique_ptr<Printer>(new Printer(std::move(d)));
    }
};

Printer& Printer::Current() {
    auto& slot = Slot();
    static const bool once = [] {
        // The printer goes before the application object does.
        qAddPostRoutine([] { Slot().reset(); });
        return true;
    }();
    (void)once;
    if (!slot) slot = PrinterAccess::Make(SystemPrinter());
    return *slot;
}

Printer::Printer(std::unique_ptr<QPrinter> device) : device_(std::move(device)) {
    // A printer's own face is a plain narrow sans-serif; the screen's wide
    // face is used only when none is installed.
    for (const char* face : {"Arial", "Liberation Sans", "Arimo", "Nimbus Sans", "Helvetica",
                             "DejaVu Sans Condensed"}) {
        const QString name = QString::fromLatin1(face);
        if (QFontInfo(QFont(name)).family().startsWith(name, Qt::CaseInsensitive)) {
            FontName = name;
            return;
        }
    }
    FontName = SkinFont(9).family();
}

Printer::~Printer() {
    KillDoc();
}

double Printer::ScaleWidth() const {
    return device_->width();
}

double Printer::ScaleHeight() const {
    return device_->height();
}

bool Printer::Printing() const {
    return painter_ && painter_->isActive();
}

QPainter& Printer::Painter() {
    if (Printing()) return *painter_;
    QPrinter& d = *device_;
    if (d.outputFormat() == QPrinter::PdfFormat) {
        target_ = d.outputFileName();
        if (target_.isEmpty())
            throw PrinterError(
                "Aucune imprimante n'est disponible. Choisissez une imprimante ou un fichier PDF "
                "avec le bouton Configurer.");
        const QFileInfo fi(target_);
        partial_ = fi.absolutePath() + QStringLiteral("/.") + fi.fileName() +
                   QStringLiteral(".%1.part").arg(QCoreApplication::applicationPid());
        d.setOutputFileName(partial_);
    } else if (!d.isValid()) {
        throw PrinterError(QStringLiteral("L'imprimante « %1 » n'est pas disponible.")
                               .arg(d.printerName())
                               .toStdString());
    }
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(&d)) {
        painter_.reset();
        QString why;
        if (!partial_.isEmpty()) {
            d.setOutputFileName(target_);
            QFile::remove(partial_);
            partial_.clear();
            why = QStringLiteral("Le fichier « %1 » ne peut pas être écrit.").arg(target_);
        } else {
            why = QStringLiteral("L'imprimante « %1 » a refusé l'impression.").arg(d.printerName());
        }
        throw PrinterError(why.toStdString());
    }
    painter_->setRenderHint(QPainter::SmoothPixmapTransform);
    painter_->setRenderHint(QPainter::Antialiasing, false);
    return *painter_;
}

void Printer::DrawText(const QString& text, const RECT& box, int flags) {
    PrinterSeam::Call c;
    c.kind = PrinterSeam::Call::Text;
    c.box = box;
    c.text = text;
    c.flags = flags;
    c.colour = ForeColor;
    c.bold = FontBold;
    c.size = FontSize;
    c.italic = FontItalic;
    c.underline = FontUnderline;
    c.face = FontName;
    Record(c);

    QPainter& p = Painter();
    const QRectF r(box.Left, box.Top, box.Right - box.Left, box.Bottom - box.Top);
    if (r.width() <= 0 || r.height() <= 0) return;
    QFont f(FontName);
    f.setPointSizeF(FontSize > 0 ? FontSize : 9);
    f.setBold(FontBold);
    f.setItalic(FontItalic);
    f.setUnderline(FontUnderline);

    const bool single = flags & DT_SINGLELINE;
    QTextOption option;
    option.setWrapMode((flags & DT_WORDBREAK) && !single ? QTextOption::WordWrap
                                                         : QTextOption::NoWrap);
    option.setAlignment((flags & DT_CENTER)  ? Qt::AlignHCenter
                        : (flags & DT_RIGHT) ? Qt::AlignRight
                                             : Qt::AlignLeft);
    QString s = LineEnds(text);
    if (single) s.replace(u'\n', u' ');

    // Every paragraph laid into the box's width, line under line.
    std::vector<std::unique_ptr<QTextLayout>> layouts;
    double y = 0;
    for (const QString& para : s.split(u'\n')) {
        auto layout = std::make_unique<QTextLayout>(para, f, p.device());
        layout->setTextOption(option);
        layout->beginLayout();
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLineWidth(r.width());
            line.setPosition(QPointF(0, y));
            y += line.height();
        }
        layout->endLayout();
        layouts.push_back(std::move(layout));
    }
    double top = r.top();
    if (single && (flags & DT_VCENTER)) top += (r.height() - y) / 2;
    if (single && (flags & DT_BOTTOM)) top += r.height() - y;

    // Nothing is printed outside the printable area: a line that would pass
    // its bottom is lost whole, as is all that comes after it.
    const QRectF page = Imprimable();
    p.save();
    p.setClipRect((flags & DT_NOCLIP) ? page : r.intersected(page));
    p.setPen(ForeColor);
    for (const auto& layout : layouts)
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            // Lines wholly below the box are not drawn at all.
            if (!(flags & DT_NOCLIP) && top + line.y() >= r.bottom()) break;
            if (top + line.y() + line.height() > page.bottom()) break;
            if (!(flags & DT_NOCLIP) && line.naturalTextWidth() > r.width()) {
                // A word longer than the box (the dotted placeholder) is cut
                // at its edge: what lies past it does not go to the page,
                // not even hidden.
                const QString& texte = layout->text();
                const int debut = line.textStart();
                const int fin =
                    std::min(debut + line.textLength(),
                             line.xToCursor(r.width(), QTextLine::CursorOnCharacter) + 1);
                p.setFont(f);
                p.drawText(
                    QPointF(r.left() + line.cursorToX(debut), top + line.y() + line.ascent()),
                    texte.mid(debut, fin - debut));
                continue;
            }
            line.draw(&p, QPointF(r.left(), top));
        }
    p.restore();
}

void Printer::Rectangle(double x1, double y1, double x2, double y2, const QColor& colour) {
    PrinterSeam::Call c;
    c.kind = PrinterSeam::Call::Rectangle;
    c.box = {static_cast<qint32>(std::lround(x1)), static_cast<qint32>(std::lround(y1)),
             static_cast<qint32>(std::lround(x2)), static_cast<qint32>(std::lround(y2))};
    c.area = QRectF(QPointF(x1, y1), QPointF(x2, y2));
    c.colour = colour;
    Record(c);

    QPainter& p = Painter();
    p.save();
    p.setClipRect(Imprimable());
    p.setPen(QPen(colour, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)));
    p.restore();
}

void Printer::PaintPicture(const QPixmap& picture, double x, double y, double width,
                           double height) {
    PrinterSeam::Call c;
    c.kind = PrinterSeam::Call::Picture;
    c.area = QRectF(x, y, width, height);
    c.box = {static_cast<qint32>(std::lround(x)), static_cast<qint32>(std::lround(y)),
             static_cast<qint32>(std::lround(x + width)),
             static_cast<qint32>(std::lround(y + height))};
    c.pictureSize = picture.size();
    Record(c);

    if (picture.isNull()) throw PrinterError("Pas d'image à imprimer.");
    QPainter& p = Painter();
    if (width <= 0 || height <= 0) return;
    p.save();
    p.setClipRect(Imprimable());
    // The page has no more pixels than the box: a larger picture is brought
    // down to them first, so that a camera photo does not go whole into the
    // document.
    const QSize pixels(static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(height)));
    if (picture.width() > pixels.width() || picture.height() > pixels.height()) {
        const QImage small =
            picture.toImage().scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        p.drawImage(QRectF(x, y, width, height), small, QRectF(small.rect()));
    } else {
        p.drawPixmap(QRectF(x, y, width, height), picture, QRectF(picture.rect()));
    }
    p.restore();
}

QRectF Printer::Imprimable() const {
    return QRectF(0, 0, ScaleWidth(), ScaleHeight());
}

void Printer::EndDoc() {
    PrinterSeam::Call c;
    c.kind = PrinterSeam::Call::EndDoc;
    Record(c);
    if (!Printing()) return;
    const bool ended = painter_->end();
    painter_.reset();
    if (partial_.isEmpty()) {
        if (!ended) throw PrinterError("L'imprimante a refusé l'impression.");
        return;
    }
    const QString partial = partial_;
    const QString target = target_;
    device_->setOutputFileName(target);
    partial_.clear();
    std::error_code err;
    if (ended)
        std::filesystem::rename(QFile::encodeName(partial).toStdString(),
                                QFile::encodeName(target).toStdString(), err);
    if (!ended || err) {
        QFile::remove(partial);
        throw PrinterError(
            QStringLiteral("Le fichier « %1 » ne peut pas être écrit.").arg(target).toStdString());
    }
}

void Printer::KillDoc() {
    if (Printing()) {
        device_->abort();
        painter_->end();
    }
    painter_.reset();
    if (!partial_.isEmpty()) {
        QFile::remove(partial_);
        device_->setOutputFileName(target_);
        partial_.clear();
    }
}

bool ShowPrinterDialog(QWidget* parent) {
    SeamState& s = Seam();
    if (s.dialogScripted) {
        ++s.dialogCalls;
        return !s.answers.isEmpty() && s.answers.takeFirst();
    }
    QPrintDialog d(&Printer::Current().Device(), parent ? parent : QApplication::activeWindow());
    return d.exec() == QDialog::Accepted;
}

namespace PrinterSeam {
void UsePdf(const QString& file, const QPageLayout& layout, int dpi) {
    auto d = std::make_unique<QPrinter>(QPrinter::HighResolution);
    d->setOutputFormat(QPrinter::PdfFormat);
    d->setOutputFileName(file);
    d->setResolution(dpi);
    d->setFullPage(false);
    d->setPageLayout(layout);
    Slot() = PrinterAccess::Make(std::move(d));
    Seam().enabled = true;
    Seam().calls.clear();
}
void Disable() {
    Slot().reset();
    Seam() = SeamState();
}
bool Enabled() {
    return Seam().enabled;
}
QList<Call> Calls() {
    return Seam().calls;
}
void Clear() {
    Seam().calls.clear();
}
void AnswerDialog(const QList<bool>& answers) {
    Seam().dialogScripted = true;
    Seam().answers = answers;
    Seam().dialogCalls = 0;
}
int DialogCalls() {
    return Seam().dialogCalls;
}
}  // namespace PrinterSeam

}  // namespace platform
