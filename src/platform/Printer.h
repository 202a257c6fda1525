#pragma once

#include <QColor>
#include <QList>
#include <QPixmap>
#include <QRectF>
#include <QString>
#include <memory>
#include <stdexcept>

class QPageLayout;
class QPainter;
class QPrinter;
class QWidget;

// The printer of the program: one current printer for the whole
// application, drawn on in device pixels of its printable area. The first
// drawing call starts the document; EndDoc sends the page.
namespace platform {

// How DrawText lays a text into its box.
enum DrawTextFlags : int {
    DT_TOP = 0x0,
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_NOCLIP = 0x100,
};

// A box in printer pixels.
struct RECT {
    qint32 Left = 0;
    qint32 Top = 0;
    qint32 Right = 0;
    qint32 Bottom = 0;
    bool operator==(const RECT&) const = default;
};

class PrinterError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Printer {
public:
    // The current printer: the system's default printer when there is one.
    static Printer& Current();
    ~Printer();
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    QPrinter& Device() { return *device_; }
    // The printable area in pixels.
    double ScaleWidth() const;
    double ScaleHeight() const;

    // Text attributes of the next DrawText. The face is the printer's own
    // unless a caller names another.
    QColor ForeColor = Qt::black;
    QString FontName;
    double FontSize = 9;
    bool FontBold = false;
    bool FontItalic = false;
    bool FontUnderline = false;

    // Draws the text into the box: words wrapped with DT_WORDBREAK, lines
    // broken at line ends, cut at the box's edges unless DT_NOCLIP.
    // DT_VCENTER and DT_BOTTOM apply to DT_SINGLELINE texts only. Raises
    // PrinterError when the document cannot start.
    void DrawText(const QString& text, const RECT& box, int flags);
    // The outline of a rectangle from corner to corner, one pixel wide.
    void Rectangle(double x1, double y1, double x2, double y2, const QColor& colour);
    // The picture stretched to the given size at the given place.
    void PaintPicture(const QPixmap& picture, double x, double y, double width, double height);
    // Ends the document and sends the page; a document with nothing drawn
    // sends nothing. Raises PrinterError when the printer refuses it.
    void EndDoc();
    // Abandons the document under way; a PDF file being written is removed.
    void KillDoc();
    bool Printing() const;

private:
    friend struct PrinterAccess;
    explicit Printer(std::unique_ptr<QPrinter> device);
    QPainter& Painter();
    void Finish(bool keep);
    // The printable area, where the page is drawn.
    QRectF Imprimable() const;

    std::unique_ptr<QPrinter> device_;
    std::unique_ptr<QPainter> painter_;
    // A PDF goes to a file beside the chosen one, renamed over it once whole.
    QString target_;
    QString partial_;
};

// Qt's print dialog on the current printer (it offers printing to a PDF
// file). True when the user confirmed it.
bool ShowPrinterDialog(QWidget* parent = nullptr);

namespace PrinterSeam {
struct Call {
    enum Kind { Text, Rectangle, Picture, EndDoc };
    Kind kind = Text;
    // Text: its box. Rectangle: its corners. Picture: the place and size
    // rounded to whole pixels (area holds them exactly).
    RECT box;
    QRectF area;
    QString text;
    int flags = 0;
    QColor colour;
    bool bold = false;
    double size = 0;
    bool italic = false;
    bool underline = false;
    QString face;
    QSize pictureSize;
};
// Makes the current printer a PDF file of this page layout and resolution,
// and records every drawing call from now on.
void UsePdf(const QString& file, const QPageLayout& layout, int dpi);
// Back to the system's printer; nothing recorded.
void Disable();
bool Enabled();
QList<Call> Calls();
void Clear();
// The print dialog is not shown: each call is counted and answered with the
// next scripted answer (true: confirmed), cancelled when none is left.
void AnswerDialog(const QList<bool>& answers);
int DialogCalls();
}  // namespace PrinterSeam

}  // namespace platform
