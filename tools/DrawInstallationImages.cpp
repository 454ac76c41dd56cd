// Draws the installation's fixed pictures: the dock's three background pieces, the dock's set and
// close buttons, the desktop panel's "add" and desktop-files buttons, the seven note papers and the
// program's icon. Run by the build into the installation's Images folder.

#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>
#include <QTextStream>
#include <cmath>

namespace {

QImage Canvas(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void Prepare(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

// The dock's shelf: a glassy band with a light rim on top, seen slightly from above. The ends are
// slanted so that the centre piece can be stretched to any width between them.
QPainterPath ShelfOutline(qreal width, qreal height, qreal leftSlant, qreal rightSlant) {
    QPainterPath path;
    const qreal top = height * 0.42;
    path.moveTo(leftSlant, top);
    path.lineTo(width - rightSlant, top);
    path.lineTo(width, height - 3);
    path.lineTo(0, height - 3);
    path.closeSubpath();
    return path;
}

void PaintShelf(QImage& image, qreal leftSlant, qreal rightSlant, qreal extendLeft, qreal extendRight) {
    QPainter p(&image);
    Prepare(p);
    const qreal w = image.width(), h = image.height();
    p.translate(-extendLeft, 0);
    const QPainterPath outline = ShelfOutline(w + extendLeft + extendRight, h, leftSlant, rightSlant);
    QLinearGradient glass(0, h * 0.42, 0, h);
    glass.setColorAt(0.0, QColor(255, 255, 255, 150));
    glass.setColorAt(0.12, QColor(220, 228, 240, 110));
    glass.setColorAt(0.6, QColor(120, 130, 150, 120));
    glass.setColorAt(1.0, QColor(60, 64, 76, 170));
    p.fillPath(outline, glass);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1.2));
    p.drawLine(QPointF(leftSlant, h * 0.42 + 0.6),
               QPointF(w + extendLeft + extendRight - rightSlant, h * 0.42 + 0.6));
    p.setPen(QPen(QColor(30, 30, 40, 150), 1.0));
    p.drawLine(QPointF(0, h - 2.5), QPointF(w + extendLeft + extendRight, h - 2.5));
}

QImage DockLeft() {
    QImage image = Canvas(55, 55);
    PaintShelf(image, 18, 0, 0, 40);
    return image;
}

QImage DockCenter() {
    QImage image = Canvas(16, 55);
    PaintShelf(image, 0, 0, 40, 40);
    return image;
}

QImage DockRight() {
    QImage image = Canvas(25, 55);
    PaintShelf(image, 0, 18, 40, 0);
    return image;
}

void PaintRoundBadge(QPainter& p, const QRectF& r, QColor top, QColor bottom) {
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.setPen(QPen(QColor(0, 0, 0, 110), 1));
    p.setBrush(fill);
    p.drawEllipse(r);
}

QImage CloseButton() {
    QImage image = Canvas(16, 16);
    QPainter p(&image);
    Prepare(p);
    PaintRoundBadge(p, QRectF(0.5, 0.5, 15, 15), QColor(250, 110, 100), QColor(190, 40, 35));
    p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5, 5), QPointF(11, 11));
    p.drawLine(QPointF(11, 5), QPointF(5, 11));
    return image;
}

QImage SetButton() {
    QImage image = Canvas(16, 16);
    QPainter p(&image);
    Prepare(p);
    PaintRoundBadge(p, QRectF(0.5, 0.5, 15, 15), QColor(140, 190, 250), QColor(40, 100, 190));
    // A gear: eight teeth around a ring.
    QPainterPath gear;
    const QPointF c(8, 8);
    for (int i = 0; i < 16; ++i) {
        const qreal angle = i * M_PI / 8;
        const qreal radius = (i % 2 == 0) ? 5.6 : 4.2;
        const QPointF point = c + QPointF(std::cos(angle) * radius, std::sin(angle) * radius);
        i == 0 ? gear.moveTo(point) : gear.lineTo(point);
    }
    gear.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(c, 1.8, 1.8);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(gear.subtracted(hole));
    return image;
}

void PaintTile(QPainter& p, const QRectF& r, QColor top, QColor bottom) {
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.setPen(QPen(QColor(255, 255, 255, 160), 1.5));
    p.setBrush(fill);
    p.drawRoundedRect(r, 12, 12);
    // A soft gloss over the upper half.
    QPainterPath gloss;
    gloss.addRoundedRect(r.adjusted(2, 2, -2, -r.height() / 2), 10, 10);
    QLinearGradient shine(r.topLeft(), QPointF(r.left(), r.center().y()));
    shine.setColorAt(0, QColor(255, 255, 255, 110));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillPath(gloss, shine);
}

QImage AddButton() {
    QImage image = Canvas(64, 64);
    QPainter p(&image);
    Prepare(p);
    PaintTile(p, QRectF(4, 4, 56, 56), QColor(120, 210, 120), QColor(30, 140, 60));
    p.setPen(QPen(Qt::white, 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(32, 18), QPointF(32, 46));
    p.drawLine(QPointF(18, 32), QPointF(46, 32));
    return image;
}

QImage WinFileButton() {
    QImage image = Canvas(64, 64);
    QPainter p(&image);
    Prepare(p);
    // A folder with a small window on its front.
    QPainterPath back;
    back.moveTo(6, 14);
    back.lineTo(24, 14);
    back.lineTo(29, 19);
    back.lineTo(58, 19);
    back.lineTo(58, 54);
    back.lineTo(6, 54);
    back.closeSubpath();
    p.setPen(QPen(QColor(150, 100, 20), 1.2));
    p.setBrush(QColor(235, 180, 60));
    p.drawPath(back);
    QLinearGradient front(0, 24, 0, 56);
    front.setColorAt(0, QColor(255, 222, 120));
    front.setColorAt(1, QColor(240, 175, 50));
    p.setBrush(front);
    p.drawRoundedRect(QRectF(4, 24, 56, 32), 3, 3);
    const QRectF window(20, 30, 24, 20);
    p.setPen(QPen(QColor(30, 80, 150), 1.2));
    p.setBrush(QColor(245, 250, 255));
    p.drawRect(window);
    p.fillRect(QRectF(20, 30, 24, 5), QColor(50, 120, 210));
    p.fillRect(QRectF(23, 38, 8, 9), QColor(120, 180, 240));
    p.fillRect(QRectF(33, 38, 8, 9), QColor(120, 180, 240));
    return image;
}

// One sheet of note paper: a coloured page with a darker band at the top (where the note is
// dragged), faint ruled lines and a turned-up lower right corner.
QImage NotePaper(QColor paper) {
    QImage image = Canvas(200, 220);
    QPainter p(&image);
    Prepare(p);
    const QRectF page(2, 2, 194, 214);
    p.fillRect(page.translated(2, 2), QColor(0, 0, 0, 40));
    QPainterPath sheet;
    sheet.moveTo(page.topLeft());
    sheet.lineTo(page.topRight());
    sheet.lineTo(page.right(), page.bottom() - 18);
    sheet.lineTo(page.right() - 18, page.bottom());
    sheet.lineTo(page.bottomLeft());
    sheet.closeSubpath();
    QLinearGradient body(page.topLeft(), page.bottomLeft());
    body.setColorAt(0, paper.lighter(108));
    body.setColorAt(1, paper);
    p.setPen(QPen(paper.darker(130), 1));
    p.setBrush(body);
    p.drawPath(sheet);
    p.fillRect(QRectF(page.left() + 0.5, page.top() + 0.5, page.width() - 1, 20), paper.darker(112));
    p.setPen(QPen(paper.darker(118), 1));
    for (qreal y = 44; y < page.bottom() - 10; y += 18)
        p.drawLine(QPointF(14, y), QPointF(page.right() - 8, y));
    QPainterPath fold;
    fold.moveTo(page.right(), page.bottom() - 18);
    fold.lineTo(page.right() - 18, page.bottom() - 18);
    fold.lineTo(page.right() - 18, page.bottom());
    fold.closeSubpath();
    p.setPen(QPen(paper.darker(140), 1));
    p.setBrush(paper.darker(118));
    p.drawPath(fold);
    return image;
}

// Drawn on a 64-unit grid and scaled, so that every size of the menu icon is the same picture.
QImage ProgramIcon(int size = 64) {
    QImage image = Canvas(size, size);
    QPainter p(&image);
    Prepare(p);
    p.scale(size / 64.0, size / 64.0);
    PaintTile(p, QRectF(3, 3, 58, 58), QColor(110, 160, 240), QColor(30, 90, 160));
    // Three dock tiles on a shelf.
    p.setPen(Qt::NoPen);
    const QColor tiles[] = {QColor(255, 200, 80), QColor(120, 220, 140), QColor(250, 120, 120)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(tiles[i]);
        p.drawRoundedRect(QRectF(12 + i * 14, 22, 11, 11), 3, 3);
    }
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawRoundedRect(QRectF(9, 37, 46, 6), 3, 3);
    return image;
}

// The application icon in the sizes a hicolor theme folder offers to menus and docks.
bool DrawThemeIcons(const QDir& hicolor) {
    bool ok = true;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        ok &= hicolor.mkpath(folder);
        ok &= ProgramIcon(size).save(hicolor.filePath(folder + QStringLiteral("/marovia.png")));
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        QTextStream(stderr) << "usage: DrawInstallationImages <Images folder> [<hicolor icon folder>]\n";
        return 2;
    }
    if (argc == 3 && !DrawThemeIcons(QDir(QString::fromLocal8Bit(argv[2])))) return 1;
    const QDir images(QString::fromLocal8Bit(argv[1]));
    images.mkpath(QStringLiteral("TakeNotes"));
    bool ok = DockLeft().save(images.filePath(QStringLiteral("DockPanelLeft.png")));
    ok &= DockCenter().save(images.filePath(QStringLiteral("DockPanelCenter.png")));
    ok &= DockRight().save(images.filePath(QStringLiteral("DockPanelRight.png")));
    ok &= SetButton().save(images.filePath(QStringLiteral("set.png")));
    ok &= CloseButton().save(images.filePath(QStringLiteral("Close.png")));
    ok &= AddButton().save(images.filePath(QStringLiteral("Add.png")));
    ok &= WinFileButton().save(images.filePath(QStringLiteral("WinFile.png")));
    ok &= ProgramIcon().save(images.filePath(QStringLiteral("Marovia.png")));
    // Yellow, pink, purple, green, blue, grey and off-white, in the order of the notes' colour menu.
    const QColor papers[] = {QColor(255, 236, 130), QColor(255, 190, 210), QColor(215, 190, 250),
                             QColor(190, 240, 170), QColor(180, 215, 255), QColor(205, 205, 205),
                             QColor(248, 246, 236)};
    for (int i = 0; i < 7; ++i)
        ok &= NotePaper(papers[i]).save(images.filePath(QStringLiteral("TakeNotes/%1.Png").arg(i + 1)));
    return ok ? 0 : 1;
}
